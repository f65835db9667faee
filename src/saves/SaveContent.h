#pragma once

#include "saves/SavePlace.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Whole files of saves and their copies.
namespace SaveBytes {
// The file's bytes; nothing when it cannot be read.
std::optional<QByteArray> read(const QString &path);
// The bytes written whole through a temporary file, the folder made first; false when that fails.
bool writeWhole(const QString &path, const QByteArray &bytes);
// A new file of a copy: written under a temporary name that then takes the name, so a copy is whole or not
// there, but without waiting for the disk (a copy lost with the power is one the save itself outlives); never
// replaces a file. False when that fails.
bool writeNew(const QString &path, const QByteArray &bytes);
} // namespace SaveBytes

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
