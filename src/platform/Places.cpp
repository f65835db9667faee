#include "platform/Places.h"

#include "settings/BaseFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace Places {

QString driveRoot()
{
#ifdef Q_OS_WIN
    return QStringLiteral("C:/");
#else
    QString root = qEnvironmentVariable("CARTLING_DRIVE_ROOT");
    if (root.isEmpty())
        root = QDir::homePath();
    if (!root.endsWith(u'/'))
        root += u'/';
    return root;
#endif
}

QString runtimeFolder()
{
#ifdef Q_OS_UNIX
    // Where XDG_RUNTIME_DIR is missing or unfit Qt would make up a runtime folder and warn; Cartling makes its own.
    if (const QString xdg = qEnvironmentVariable("XDG_RUNTIME_DIR"); !xdg.isEmpty() && isPrivateFolder(xdg))
        return QDir::cleanPath(xdg);
    // In the shared temporary folder anyone may make this name first: a folder that is not already the user's
    // own and private is refused, never taken over or opened up.
    const QString folder = QDir::tempPath() + QStringLiteral("/cartling-") + userId();
    const QByteArray path = QFile::encodeName(folder);
    if (::mkdir(path.constData(), 0700) == 0)
        ::chmod(path.constData(), 0700); // whatever the umask took away; nobody else can reach it yet
    return isPrivateFolder(folder) ? folder : QString();
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return base.isEmpty() ? QDir::tempPath() : base;
#endif
}

bool isPrivateFolder(const QString &folder)
{
#ifdef Q_OS_UNIX
    struct stat st
    {
    };
    return ::lstat(QFile::encodeName(folder).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 07777) == 0700;
#else
    return QFileInfo(folder).isDir();
#endif
}

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

QString folderTag(const QString &folder)
{
    QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QDir::cleanPath(QDir(folder).absolutePath());
    // Short, so that a socket's path made from it stays within what the system allows.
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

QString extractionFolder()
{
    QString runtime = runtimeFolder();
    // Without a private runtime folder the extraction folder lies in the temporary folder, guarded by its own
    // checks, as it always did.
    if (runtime.isEmpty())
        runtime = QDir::tempPath();
    return runtime + QStringLiteral("/cartling-gbrom-") + userId() + u'-' + folderTag(BaseFolder::path());
}

bool ensureExtractionFolder()
{
    const QString folder = extractionFolder();
#ifdef Q_OS_UNIX
    struct stat st
    {
    };
    if (::lstat(QFile::encodeName(folder).constData(), &st) != 0) {
        if (::mkdir(QFile::encodeName(folder).constData(), 0700) != 0)
            return false;
        if (::lstat(QFile::encodeName(folder).constData(), &st) != 0)
            return false;
    }
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    // A folder left readable to others (by an older program or a user) is made private again.
    return (st.st_mode & 077) == 0 || ::chmod(QFile::encodeName(folder).constData(), 0700) == 0;
#else
    return QDir().mkpath(folder);
#endif
}

void removeEmptyExtractionFolder()
{
    // rmdir removes neither a folder that holds anything nor a link standing in its place.
    QDir().rmdir(extractionFolder());
}

bool emptyFolder(const QString &folder)
{
    bool all = true;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QString path = entry.absoluteFilePath();
        // A link, even one to a folder, is removed itself (QFile::remove unlinks it); only a real
        // sub-folder is walked, and removeRecursively does not follow links inside it either.
        if (entry.isDir() && !entry.isSymLink())
            all = QDir(path).removeRecursively() && all;
        else
            all = QFile::remove(path) && all;
    }
    return all;
}

QString defaultEmulatorName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("zibo.exe");
#else
    return QStringLiteral("zibo");
#endif
}

} // namespace Places
