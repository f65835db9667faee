#include "settings/BaseFolder.h"

#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString g_base;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString refusal(const QString &folder, const QString &reason)
{
    return QStringLiteral("Cannot use %1 as the base folder: %2.").arg(shown(folder), reason);
}
} // namespace

namespace BaseFolder {

void capture()
{
    g_base = QDir::currentPath();
}

QString path()
{
    if (g_base.isEmpty())
        capture();
    return g_base;
}

QString file(const QString &name)
{
    const QString base = path();
    return base.endsWith(u'/') ? base + name : base + u'/' + name;
}

QString settingsPath()
{
    return file(QStringLiteral("Cartling.ini"));
}

std::optional<QString> prepare(const QString &folder, Parents parents)
{
    if (folder.isEmpty())
        return QStringLiteral("Cannot use an empty folder name as the base folder.");
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(folder));
    const QFileInfo info(absolute);
    if (info.exists()) {
        if (!info.isDir())
            return refusal(absolute, QStringLiteral("it is a file, not a folder"));
        if (!TextFile::folderWritable(absolute))
            return refusal(absolute, QStringLiteral("you cannot write to it"));
        return std::nullopt;
    }
    if (info.isSymLink())
        return refusal(absolute,
                       QStringLiteral("it is a link to %1, which does not exist").arg(shown(info.symLinkTarget())));

    // The nearest folder that exists must take the new one; with MustExist that is the parent itself.
    QString existing = info.absolutePath();
    if (parents == Parents::Create) {
        while (!QFileInfo::exists(existing) && !QFileInfo(existing).isSymLink() && !QDir(existing).isRoot())
            existing = QFileInfo(existing).absolutePath();
    }
    const QFileInfo holder(existing);
    if (!holder.exists())
        return refusal(absolute, QStringLiteral("the folder %1 does not exist").arg(shown(existing)));
    if (!holder.isDir())
        return refusal(absolute, QStringLiteral("%1 is a file, not a folder").arg(shown(existing)));
    if (!TextFile::folderWritable(existing))
        return refusal(absolute, QStringLiteral("you cannot write to %1, where it would be made").arg(shown(existing)));
    if (!QDir().mkpath(absolute))
        return refusal(absolute, QStringLiteral("it cannot be created"));
    return std::nullopt;
}

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/cartling");
}

void copyMissingFiles(const QString &shipped, const QString &folder)
{
    const QDir source(shipped);
    for (const QFileInfo &entry : source.entryInfoList(QDir::Files | QDir::NoDotAndDotDot)) {
        const QString target = QDir(folder).filePath(entry.fileName());
        // A dangling link counts as the user's own entry too: it is never replaced.
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (QFile::copy(entry.absoluteFilePath(), target))
            QFile::setPermissions(target,
                                  QFile::permissions(target) | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
}

} // namespace BaseFolder
