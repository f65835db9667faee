#include "platform/FileAttributes.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace FileAttributes {

void makePlainArchive(const QString &path)
{
#ifdef Q_OS_UNIX
    // One lstat: this runs before every read of a user's file, thousands of times in a title run, and
    // QFileInfo's permissions would add three access() calls each time.
    const QByteArray name = QFile::encodeName(path);
    struct stat st
    {
    };
    if (::lstat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode) || (st.st_mode & S_IWUSR))
        return;
    ::chmod(name.constData(), (st.st_mode & 07777) | S_IWUSR);
#else
    const QFileInfo info(path);
    if (!info.isFile() || info.isSymLink())
        return;
    const QFileDevice::Permissions permissions = info.permissions();
    if (!(permissions & QFileDevice::WriteOwner))
        QFile::setPermissions(path, permissions | QFileDevice::WriteOwner);
#endif
}

bool isReadOnly(const QString &path)
{
    return !(QFileInfo(path).permissions() & QFileDevice::WriteOwner);
}

} // namespace FileAttributes
