#include "platform/FileAttributes.h"

#include <QFile>
#include <QFileInfo>

namespace FileAttributes {

void makePlainArchive(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return;
    QFile::setPermissions(path, info.permissions() | QFileDevice::WriteOwner);
}

bool isReadOnly(const QString &path)
{
    return !(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
}

} // namespace FileAttributes
