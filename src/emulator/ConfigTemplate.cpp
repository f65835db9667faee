#include "emulator/ConfigTemplate.h"

#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "platform/TextFile.h"
#include "settings/BaseFolder.h"

#include <QDir>
#include <QFileInfo>

ConfigTemplate::ConfigTemplate() : m_lines(initialLines()) {}

QStringList ConfigTemplate::initialLines()
{
    QStringList lines(SlotCount);
    lines[0] = QStringLiteral(";***********  Zibo Archivo de Configuracion  ************");
    lines[1] = u';' + QString(32, u' ') + QStringLiteral("Cartling 1.7");
    lines[2] = u';' + QString(13, u' ') + QStringLiteral("Cartling: see readme.txt in the Cartling folder");
    lines[3] = QStringLiteral("-verbose 0");
    lines[4] = QStringLiteral("-sound 1");
    lines[5] = QStringLiteral("-uperiod 0");
    lines[6] = QStringLiteral("-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] ");
    lines[11] = QStringLiteral("-2pj");
    lines[24] = QStringLiteral("-nodelay");
    lines[26] = QStringLiteral("-nocrc");
    lines[33] = QStringLiteral("-csw");
    lines[54] = QStringLiteral("-captsw");
    return lines;
}

QString ConfigTemplate::fileIn(const QString &emulatorFolder)
{
    QString folder = emulatorFolder;
    if (!folder.isEmpty() && !folder.endsWith(u'/') && !folder.endsWith(u'\\'))
        folder += u'/';
    // An emulator installed for the whole system lives in a folder the user cannot write (/usr/games); its
    // Zibo.cfg then goes into the base folder's own Zibo folder, so the launch can go on.
    const QString target = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (QFileInfo(target).isDir() && !TextFile::folderWritable(target))
        return BaseFolder::file(QStringLiteral("Zibo/Zibo.cfg"));
    return folder + QStringLiteral("Zibo.cfg");
}

void ConfigTemplate::replace(int slot, const QString &text)
{
    if (slot < 0 || slot >= SlotCount)
        return;
    QString line = text;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    m_lines[slot] = line;
}

QByteArray ConfigTemplate::bytes() const
{
    // The emulator reads single bytes: always Windows-1252 and never a mark, so line 0 starts with ";" and "Ñ" is
    // D1. A line that cannot be written so never reaches the emulator; the options keep such text out already.
    QStringList lines = m_lines;
    for (QString &line : lines) {
        if (!TextEncoding::fitsWindows1252(line))
            line.clear();
    }
    return TextEncoding::toWindows1252(TextEncoding::joinLines(lines));
}

void ConfigTemplate::saveAs(const QString &path) const
{
    if (!TextFile::writeBytes(path, bytes()))
        throw CartlingError(QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path)));
}
