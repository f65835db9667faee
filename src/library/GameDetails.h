#pragma once

#include "gamegenie/GameGenieCodeStore.h"

#include <QString>
#include <optional>

// What the main window and the codes dialog show of the selected game: its stem, internal name, display
// title and Game Genie codes, read afresh from the data files of the base folder. Nothing of the ROM file
// itself is read.
struct GameDetails
{
    QString stem;         // the file name without folder and last extension; empty without a "."
    QString internalName; // "GGCT.ini", section stem, key "Titulo"
    QString title;        // "Titulos.ini", section stem, key "Titulo"
    CodeSet codes;        // "GGCodes.ini", section internal name (an empty name reads as no codes)

    // The title as shown: the stored one, else the stem.
    QString shownTitle() const { return title.isEmpty() ? stem : title; }

    // Opens the three data files, reads the game of `romPath` (nothing without a path) and releases them.
    // Raises CartlingError naming a file that cannot be read.
    static std::optional<GameDetails> read(const std::optional<QString> &romPath);

    // Stores `title` as the stem's display title in "Titulos.ini" and returns it as the file now holds it.
    // An empty stem names no game: nothing is stored and nothing returned. Raises CartlingError when the file cannot be
    // read or written.
    static std::optional<QString> storeTitle(const QString &stem, const QString &title);
};
