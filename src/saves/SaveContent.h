#pragma once

#include "saves/SavePlace.h"

#include <QByteArray>
#include <QString>
#include <optional>

// A game's save apart from how an emulator stores it: the battery bytes and, for a cartridge with a clock,
// the clock's reading at a moment. Read from one emulator's place and written to another's, a save keeps the
// player's progress when the player changes emulator.
struct SaveContent
{
    QByteArray battery;
    std::optional<qint64> clockSeconds; // the clock's reading at `at`
    qint64 at = 0;                      // Unix time

    // The save at `place`; nothing when there is no save file or it cannot be read.
    static std::optional<SaveContent> read(const SavePlace &place, qint64 now);
    // Writes the save to `place` in the form that place keeps, each file whole (through a temporary file);
    // a clock is carried on to `now`. False when a file cannot be written.
    bool write(const SavePlace &place, qint64 now) const;
};
