#pragma once

#include "gamegenie/GameGenieCodeStore.h"

#include <QByteArray>
#include <QString>

// The Game Genie code rows as RetroArch's cheat file, which it loads for a game from
// "<cheat_database_path>/<core's library name>/<content stem>.cht": one cheat per row that holds a code, in row
// order, named by its description; a row not in use is listed but not enabled. The core tells Game Genie and
// GameShark codes apart by itself.
namespace RetroArchCheats {

// `unnamed` names a row without a description; the row number follows it ("Código 3").
QByteArray file(const CodeSet &rows, const QString &unnamed);

// The game's file in the cheats folder: the library name's folder, the ROM's name without its last extension
// (RetroArch's name for the content, a ZIP archive's included) and ".cht".
QString path(const QString &cheatsFolder, const QString &library, const QString &rom);

} // namespace RetroArchCheats
