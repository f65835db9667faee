#pragma once

#include "emulator/EmulatorKind.h"

#include <QList>
#include <QString>
#include <QStringList>

// The emulators Cartling knows that are installed on this machine: the known programs on PATH and among
// the Flatpak exports, each once, with the Game Boy cores found for RetroArch.
namespace InstalledEmulators {

struct Found
{
    EmulatorKind kind = EmulatorKind::Zibo;
    QString program;
    QStringList cores; // RetroArch only
};

// The system's and the user's Flatpak export folders, where Flatpak keeps them: $FLATPAK_SYSTEM_DIR, else
// /var/lib/flatpak; $FLATPAK_USER_DIR, else $XDG_DATA_HOME/flatpak, else ~/.local/share/flatpak.
QStringList flatpakExportFolders();

// Looks in the folders of PATH (in order), then in the Flatpak folders. A program reached twice (through a
// link, or twice on PATH) is listed once, where it is found first.
QList<Found> find(const QStringList &pathFolders, const QStringList &flatpakFolders);
// The same with this process's PATH (and the games folders, which may not be on it) and the usual Flatpak
// folders.
QList<Found> find();

} // namespace InstalledEmulators
