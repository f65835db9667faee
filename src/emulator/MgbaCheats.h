#pragma once

#include "gamegenie/GameGenieCodeStore.h"

#include <QByteArray>
#include <QString>

// The Game Genie code rows as an mGBA cheats file: one cheat set per row that holds a code, named after its
// description ("# <name>", then the code); a row not in use becomes a set that starts switched off
// ("!disabled" before its "#" line). mGBA tells Game Genie and GameShark codes apart by itself.
namespace MgbaCheats {

// The longest set name written: mGBA reads its cheats file in lines of limited length, and the rest of a
// longer line would be read as a line of its own.
inline constexpr int MaxNameBytes = 96;

// `unnamed` names a row without a description; the row number follows it ("Code 3").
QByteArray file(const CodeSet &rows, const QString &unnamed);

// The game's file: "<ROM stem>.cheats" in the folder "Trucos" of the base folder, beside the picture folder
// (not in /tmp: a Flatpak emulator has a /tmp of its own). mGBA's Qt program ignores a cheats file named
// on its command line, but every mGBA loads "<ROM stem>.cheats" from the cheats folder it is given.
QString path(const QString &baseFolder, const QString &rom);

// Writes the file whole, making its folder; false when it cannot be written.
bool write(const QString &path, const CodeSet &rows, const QString &unnamed);

} // namespace MgbaCheats
