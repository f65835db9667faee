#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

namespace WholeFile {

std::optional<QByteArray> read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

bool write(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

bool writeNew(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile file(QFileInfo(path).path() + QStringLiteral("/.cartling-copy-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    file.close();
    // QFile::rename never replaces a file that has the name; the temporary one then goes with its object.
    if (!file.rename(path))
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace WholeFile
