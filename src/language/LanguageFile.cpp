#include "language/LanguageFile.h"

#include "language/LanguageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "platform/TextFile.h"

#include <QDir>

LanguageFile LanguageFile::read(const QString &path)
{
    // Refuses a pipe, a device or a huge file before reading it.
    const auto text = TextFile::load(path);
    if (!text) {
        throw CartlingError(
            QStringLiteral("Cannot open file \"%1\". The file does not exist.").arg(QDir::toNativeSeparators(path)));
    }
    return fromText(text->text);
}

LanguageFile LanguageFile::fromBytes(const QByteArray &bytes)
{
    return fromText(TextEncoding::decode(bytes));
}

LanguageFile LanguageFile::fromText(const QString &text)
{
    LanguageFile file;
    file.m_lines = TextEncoding::splitLines(text);
    file.m_binary = text.contains(QChar(0));
    return file;
}

bool LanguageFile::accepted() const
{
    return !m_binary && m_lines.size() >= MinimumLines;
}

QStringList LanguageFile::table() const
{
    QStringList table = m_lines;
    const QStringList &builtin = LanguageTable::builtin();
    for (qsizetype index = table.size(); index < builtin.size(); ++index)
        table.append(builtin[index]);
    return table;
}

QByteArray LanguageFile::builtinFileBytes()
{
    return TextEncoding::toWindows1252(TextEncoding::joinLines(LanguageTable::builtin()));
}
