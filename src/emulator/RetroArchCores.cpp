#include "emulator/RetroArchCores.h"

#include "emulator/RetroArchConfig.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace RetroArchCores {

const QStringList &fileNames()
{
    static const QStringList names{QStringLiteral("gambatte_libretro.so"), QStringLiteral("sameboy_libretro.so"),
                                   QStringLiteral("mgba_libretro.so"), QStringLiteral("gearboy_libretro.so")};
    return names;
}

QStringList folders(bool flatpak)
{
    // Each RetroArch loads only the cores built for it: the Flatpak's from its own folder, the host's from the
    // system's folders and the user's configuration folder.
    const QString userCores = RetroArchConfig::userConfigFolder(flatpak) + QStringLiteral("/cores");
    if (flatpak)
        return {userCores};
    return {QStringLiteral("/usr/lib/x86_64-linux-gnu/libretro"), QStringLiteral("/usr/lib/libretro"), userCores};
}

QStringList find(const QStringList &folders)
{
    QStringList cores;
    for (const QString &folder : folders) {
        for (const QString &name : fileNames()) {
            const QString core = folder + u'/' + name;
            if (QFileInfo(core).isFile())
                cores << core;
        }
    }
    return cores;
}

QString libraryName(const QString &core)
{
    return libraryName(core, {QFileInfo(core).path(), QStringLiteral("/usr/share/libretro/info")});
}

QString libraryName(const QString &core, const QStringList &infoFolders)
{
    const QFileInfo file(core);
    static const QHash<QString, QString> known{{QStringLiteral("gambatte_libretro"), QStringLiteral("Gambatte")},
                                               {QStringLiteral("sameboy_libretro"), QStringLiteral("SameBoy")},
                                               {QStringLiteral("mgba_libretro"), QStringLiteral("mGBA")},
                                               {QStringLiteral("gearboy_libretro"), QStringLiteral("Gearboy")}};
    const QString stem = file.completeBaseName();
    if (const auto it = known.constFind(stem); it != known.constEnd())
        return it.value();
    for (const QString &folder : infoFolders) {
        const QString name = RetroArchConfig::read(folder + u'/' + stem + QStringLiteral(".info"))
                                 .value(QStringLiteral("corename"))
                                 .trimmed();
        // The name becomes a folder's: one that would lead elsewhere is not taken.
        if (!name.isEmpty() && !name.contains(u'/') && !name.startsWith(u'.'))
            return name;
    }
    QString name = stem;
    if (name.endsWith(QStringLiteral("_libretro")))
        name.chop(9);
    return name;
}

} // namespace RetroArchCores
