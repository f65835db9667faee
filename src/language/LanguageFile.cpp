#include "language/LanguageFile.h"

#include "language/LanguageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"

#include <QDir>
#include <QFile>

LanguageFile LanguageFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw CartlingError(
            QStringLiteral("Cannot open file \"%1\". %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw CartlingError(
            QStringLiteral("Cannot read file \"%1\". %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    }
    return fromBytes(bytes);
}

LanguageFile LanguageFile::fromBytes(const QByteArray &bytes)
{
    LanguageFile file;
    file.m_lines = TextEncoding::splitLines(TextEncoding::decode(bytes));
    file.m_binary = bytes.contains('\0');
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
