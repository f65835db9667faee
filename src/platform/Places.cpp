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

QString extractionFolder()
{
    QString base;
#ifdef Q_OS_UNIX
    // Without XDG_RUNTIME_DIR Qt would make up a runtime folder and warn; the temporary folder serves then.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
#endif
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
#ifdef Q_OS_UNIX
    const QString user = QString::number(::geteuid());
#else
    const QString user = qEnvironmentVariable("USERNAME");
#endif
    return base + QStringLiteral("/cartling-gbrom-") + user;
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
    return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
#else
    return QDir().mkpath(folder);
#endif
}

void emptyFolder(const QString &folder)
{
    QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::System);
    for (const QFileInfo &entry : entries) {
        // QFile::remove on a link removes the link itself.
        QFile::remove(entry.absoluteFilePath());
    }
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
