#pragma once

#include <QString>
#include <QStringList>

// RetroArch's Game Boy cores and where they are looked for.
namespace RetroArchCores {

// gambatte, sameboy, mgba and gearboy, in that order of preference.
const QStringList &fileNames();

// The usual core folders: the system's and the user's for an installed RetroArch, the Flatpak's own for
// its export (which cannot load the others).
QStringList folders(bool flatpak);

// The cores found in the folders, by folder and then by preference.
QStringList find(const QStringList &folders);

} // namespace RetroArchCores
