#include "platform/TextFile.h"

#include "platform/TextEncoding.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace TextFile {

std::optional<QString> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return TextEncoding::decode(file.readAll());
}

std::optional<QStringList> readLines(const QString &path)
{
    const auto text = read(path);
    if (!text)
        return std::nullopt;
    return TextEncoding::splitLines(*text);
}

bool writable(const QString &path)
{
    const QFileInfo file(path);
    if (file.exists() && (!file.isFile() || !(file.permissions() & QFileDevice::WriteOwner)))
        return false;
    return folderWritable(file.absolutePath());
}

bool folderWritable(const QString &path)
{
    const QFileInfo folder(path);
    if (!folder.isDir() || !folder.isWritable())
        return false;
#ifdef Q_OS_UNIX
    // The owner's own folder counts by its permission bits, so a folder made read-only stays so for root.
    if (folder.ownerId() == ::geteuid() && !(folder.permissions() & QFileDevice::WriteOwner))
        return false;
#endif
    return true;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    if (!writable(path))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeLines(const QString &path, const QStringList &lines)
{
    return writeBytes(path, TextEncoding::encode(TextEncoding::joinLines(lines)));
}

} // namespace TextFile
