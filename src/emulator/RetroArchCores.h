#pragma once

#include <QString>
#include <QStringList>

// RetroArch's Game Boy cores and where they are looked for.
namespace RetroArchCores {

// gambatte, sameboy, mgba and gearboy, in that order of preference.
const QStringList &fileNames();

// The usual core folders: the system's and the user's for an installed RetroArch, the Flatpak's own for
// its export. Neither can load the other's cores.
QStringList folders(bool flatpak);

// The cores found in the folders, by folder and then by preference.
QStringList find(const QStringList &folders);

// The name the core gives itself, under which RetroArch files its cheats and options ("Gambatte", "mGBA"): known
// for the four Game Boy cores, else the "corename" of the core's information file beside it or in the system's
// information folder, else the file name without "_libretro.so".
QString libraryName(const QString &core);
// The same with the information files looked for in the given folders.
QString libraryName(const QString &core, const QStringList &infoFolders);

} // namespace RetroArchCores
