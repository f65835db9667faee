#include "emulator/RetroArchCores.h"

#include <QDir>
#include <QFileInfo>

namespace RetroArchCores {

const QStringList &fileNames()
{
    static const QStringList names{QStringLiteral("gambatte_libretro.so"), QStringLiteral("sameboy_libretro.so"),
                                   QStringLiteral("mgba_libretro.so"), QStringLiteral("gearboy_libretro.so")};
    return names;
}

QStringList folders(bool flatpak)
{
    const QString home = QDir::homePath();
    const QString flatpakCores = home + QStringLiteral("/.var/app/org.libretro.RetroArch/config/retroarch/cores");
    if (flatpak)
        return {flatpakCores};
    return {QStringLiteral("/usr/lib/x86_64-linux-gnu/libretro"), QStringLiteral("/usr/lib/libretro"),
            home + QStringLiteral("/.config/retroarch/cores"), flatpakCores};
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

} // namespace RetroArchCores
