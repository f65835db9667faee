#pragma once

#include "gamegenie/GameGenieCodeStore.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The Game Genie code rows as an mGBA cheats file: one cheat set per row that holds a code, named after its
// description ("# <name>", then the code); a row not in use becomes a set that starts switched off
// ("!disabled" before its "#" line). mGBA tells Game Genie and GameShark codes apart by itself.
//
// The file is shared with mGBA, which writes its cheats window back into it whenever a cheat is added, ticked
// or removed there. Cartling's own sets carry a mark at the end of their names (mGBA keeps set names, but
// drops every line it does not understand); every other set is the user's and is kept as it is, in its order.
namespace MgbaCheats {

// The longest description written into a set name: mGBA reads its cheats file in lines of limited length,
// and the rest of a longer line would be read as a line of its own.
inline constexpr int MaxNameBytes = 96;
// Ends the name of every set Cartling writes.
inline constexpr char Mark[] = " [Cartling]";

// `unnamed` names a row without a description; the row number follows it ("Code 3"). Cartling's sets only.
QByteArray file(const CodeSet &rows, const QString &unnamed);

// Cartling's sets of the file that hold a code, in file order: each code and whether mGBA's window left its
// set switched on.
QList<CodeChoice> choices(const QByteArray &existing);

// The file with Cartling's sets replaced by those of the rows (none for rows without codes). The user's sets
// stay byte for byte and in their order; Cartling's go before them, after any code lines that precede the
// first set name (mGBA puts those into a set of their own, which a set name before them would take over).
QByteArray merged(const QByteArray &existing, const CodeSet &rows, const QString &unnamed);

// The game's file: "<ROM stem>.cheats" in the folder "Trucos" of the base folder, beside the picture folder
// (not in /tmp: a Flatpak emulator has a /tmp of its own). mGBA's Qt program ignores a cheats file named
// on its command line, but every mGBA loads "<ROM stem>.cheats" from the cheats folder it is given.
QString path(const QString &baseFolder, const QString &rom);

// Reads the file; empty when there is none. False when a file is there but cannot be read.
bool read(const QString &path, QByteArray *existing);

// Writes the merged file whole (through a temporary file), making its folder; false when the file cannot be
// read or written, and then it is unchanged.
bool write(const QString &path, const CodeSet &rows, const QString &unnamed);

} // namespace MgbaCheats
