#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class SettingsFile;

// The files of one launch that an emulator other than Zibo is given, each passed as one whole argument.
struct LaunchFiles
{
    QString rom;
    QString cheats;      // the game's cheats file, empty when no codes are passed
    QString shotsFolder; // Cartling's own picture folder, whose PNG shots the harvest files
    QString savesFolder; // the Save folder of the directories dialog when it is on, else empty
};

// The argument lists of the emulators that take their options on the command line.
namespace EmulatorArguments {

// mGBA: the stored options as its own command-line options, then the ROM.
QStringList mgba(const SettingsFile &settings, const LaunchFiles &files);

// mGBA's colour for one colour of a palette line ("#3f1212"): each 6-bit channel scaled to 0..255, as
// the decimal value of 0xRRGGBB.
QString mgbaColour(const QString &sixBitColour);

// RetroArch: "-L <core>", then the ROM.
QStringList retroArch(const QString &core, const QString &rom);

// The user's template split as a desktop entry's Exec line is (no shell), %ROM%, %CHEATS%, %SAVES% and
// %SHOTS% replaced inside the arguments they stand in, never splitting them. Nothing for a template
// with an unbalanced quote.
std::optional<QStringList> ownCommand(const QString &commandTemplate, const LaunchFiles &files);

// Whether every double quote of the template that opens a quoted part also closes it.
bool quotesBalanced(const QString &commandTemplate);

} // namespace EmulatorArguments

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
