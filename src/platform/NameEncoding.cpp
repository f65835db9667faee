#include "platform/NameEncoding.h"

#include "platform/FileRename.h"
#include "platform/TextEncoding.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace NameEncoding {

bool isText(const QByteArray &rawName)
{
    return TextEncoding::isValidUtf8(rawName);
}

bool isUndecodable(const QString &path)
{
    if (!path.contains(QChar(QChar::ReplacementCharacter)))
        return false;
#ifdef Q_OS_UNIX
    // A name that really holds U+FFFD is text, and its path names the file.
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) != 0;
#else
    return false;
#endif
}

QString windowsReading(const QByteArray &rawName)
{
    return TextEncoding::fromWindows1252(rawName);
}

bool repair(const QString &folder, const QByteArray &rawName)
{
    if (rawName.isEmpty() || rawName.contains('/') || isText(rawName))
        return false;
    const QByteArray base = QFile::encodeName(folder.endsWith(u'/') ? folder : folder + u'/');
    return FileRename::renameWithoutReplacing(base + rawName, base + windowsReading(rawName).toUtf8());
}

} // namespace NameEncoding
