#include "platform/FileAttributes.h"

#include <QFile>
#include <QFileInfo>

namespace FileAttributes {

void makePlainArchive(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return;
    // Most files are writable already; skipping the call keeps a title run over thousands of files cheap.
    const QFileDevice::Permissions permissions = info.permissions();
    if (!(permissions & QFileDevice::WriteOwner))
        QFile::setPermissions(path, permissions | QFileDevice::WriteOwner);
}

bool isReadOnly(const QString &path)
{
    return !(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
}

} // namespace FileAttributes
