#include "gamegenie/GameGenieCodeStore.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "settings/BaseFolder.h"
#include "settings/DataIniFile.h"

namespace {

QString flagKey(int n)
{
    return QStringLiteral("AC") + QString::number(n);
}

QString codeKey(int n)
{
    return QStringLiteral("C") + QString::number(n);
}

QString descriptionKey(int n)
{
    return QStringLiteral("D") + QString::number(n);
}

} // namespace

GameGenieCodeStore::GameGenieCodeStore() = default;

GameGenieCodeStore::GameGenieCodeStore(QString fileName) : m_fileName(std::move(fileName)) {}

QString GameGenieCodeStore::defaultFileName()
{
    return BaseFolder::file(QStringLiteral("GGCodes.ini"));
}

QString GameGenieCodeStore::fileName() const
{
    return m_fileName.isEmpty() ? defaultFileName() : m_fileName;
}

CodeSet GameGenieCodeStore::load(const QString &internalName) const
{
    const DataIniFile file(fileName());
    return read(file, internalName);
}

CodeSet GameGenieCodeStore::read(const DataIniFile &file, const QString &internalName)
{
    CodeSet rows;
    for (int n = 1; n <= RowCount; ++n) {
        CodeRow &row = rows[n - 1];
        row.active = file.readBool(internalName, flagKey(n), false);
        row.code = file.readString(internalName, codeKey(n), QString());
        row.description = file.readString(internalName, descriptionKey(n), QString());
    }
    return rows;
}

namespace {

void writeRows(DataIniFile &file, const QString &internalName, const CodeSet &rows)
{
    for (int n = 1; n <= GameGenieCodeStore::RowCount; ++n) {
        const CodeRow &row = rows[n - 1];
        file.writeBool(internalName, flagKey(n), row.active);
        file.writeString(internalName, codeKey(n), row.code);
        file.writeString(internalName, descriptionKey(n), row.description);
    }
}

} // namespace

void GameGenieCodeStore::saveAll(const QString &internalName, const CodeSet &rows) const
{
    if (internalName.isEmpty())
        return;
    // A value the file refuses (a line break) must not leave half of the rows written: every row is checked
    // before the file is touched. A code goes to the emulator in Zibo.cfg, which holds only Windows-1252.
    for (const CodeRow &row : rows) {
        if (!TextEncoding::fitsWindows1252(row.code))
            throw CartlingError(messageTable().text(SafetyText::CodeNotForEmulator).arg(row.code));
    }
    for (int n = 1; n <= RowCount; ++n) {
        DataIniFile::checkStorable(fileName(), internalName, codeKey(n), rows[n - 1].code);
        DataIniFile::checkStorable(fileName(), internalName, descriptionKey(n), rows[n - 1].description);
    }
    DataIniFile file(fileName());
    writeRows(file, internalName, rows);
    file.updateFile();
}

bool GameGenieCodeStore::saveFlag(const QString &internalName, int row, bool active, const QString &code) const
{
    if (internalName.isEmpty() || code.size() < ShortestFlagStored || row < 1 || row > RowCount)
        return false;
    DataIniFile file(fileName());
    file.writeBool(internalName, flagKey(row), active);
    file.updateFile();
    return true;
}

bool GameGenieCodeStore::saveChoice(const QString &internalName, int row, bool active, const QString &code) const
{
    if (internalName.isEmpty() || row < 1 || row > RowCount)
        return false;
    DataIniFile file(fileName());
    if (file.readString(internalName, codeKey(row), QString()) != code)
        return false;
    file.writeBool(internalName, flagKey(row), active);
    file.updateFile();
    return true;
}
