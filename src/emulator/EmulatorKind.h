#pragma once

#include <QString>
#include <QStringList>

class SettingsFile;

// The kinds of emulator program Cartling knows how to start. Zibo reads Zibo.cfg; the others get their
// options on the command line. What each kind is given and leaves is its Emulator class's to say.
enum class EmulatorKind
{
    Zibo,       // every program not recognised below: Zibo.cfg and the ROM as the one argument
    Mgba,       // mgba-qt, mgba (SDL), the Flatpak export io.mgba.mGBA
    RetroArch,  // retroarch, the Flatpak export org.libretro.RetroArch: "-L <core>" and the ROM
    OwnCommand, // any program with an argument template of the user's
};

namespace EmulatorKinds {

// The kind by the program's file name, found without regard to case and without ".exe"; a link is also
// known by the name of the program it leads to. Never OwnCommand.
EmulatorKind recognise(const QString &program);

// Whether the program is a Flatpak export (its name is the application's id), which sees only its own
// sandbox: its files must not be in /tmp, and only its own RetroArch cores can be loaded.
bool isFlatpakExport(const QString &program);

// The kind a launch of the stored emulator uses: the own command line when one is stored for this very
// program, else the kind recognised from its name.
EmulatorKind ofStored(const SettingsFile &settings, const QString &program);
// The same for the stored program ("Zibo", with the default executable name when none is stored).
EmulatorKind ofStored(const SettingsFile &settings);

// Whether Zibo.cfg is written for the stored program: for Zibo and every program not recognised, also when an
// own command line starts it, as such a program may be Zibo. The others take their options their own way, and
// their folders (/usr/games, the Flatpak exports) are no place for a file of Cartling's.
bool writesZiboCfg(const SettingsFile &settings);

// The kind's name: "Zibo", "mGBA", "RetroArch"; the own command line's name comes from the language table.
QString name(EmulatorKind kind);

// The program names searched for on PATH and among the Flatpak exports, with the kind of each.
struct KnownProgram
{
    const char *name;
    EmulatorKind kind;
};
const QList<KnownProgram> &knownPrograms();

} // namespace EmulatorKinds
