#include "platform/Places.h"

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
    QString base;
#ifdef Q_OS_UNIX
    // Without XDG_RUNTIME_DIR Qt would make up a runtime folder and warn; the temporary folder serves then.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
#endif
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return base.isEmpty() ? QDir::tempPath() : base;
}

QString userId()
{
#ifdef Q_OS_UNIX
    return QString::number(::geteuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}

QString extractionFolder()
{
    return runtimeFolder() + QStringLiteral("/cartling-gbrom-") + userId();
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
