#pragma once

#include "library/GameRename.h"

#include <QList>
#include <QString>
#include <optional>

// The record of one "Renombrar según DAT" run, kept in the base folder. It is written whole before the first
// file is renamed, the games' companions included, so that a run killed half-way leaves every file under its
// old name or its new one and the log names both; "Deshacer último cambio de nombres" reads it to put every
// name back.
struct RenameLog
{
    enum class State
    {
        Started, // written before the renames; the files tell how far the run came
        Done,
        Undone,
    };
    using Move = FileMove;
    // A game's stem that changes with its files, with its companions, entries and records.
    using StemMove = ::StemMove;

    State state = State::Started;
    QList<Move> files;
    QList<StemMove> stems;

    // base folder + "/CambiosDeNombre.json"
    static QString defaultFile();
    // The log in the file; nothing when there is none. Raises CartlingError naming the file when it cannot be
    // read or is not a log, and when it is a link or another user's file, which is never read.
    static std::optional<RenameLog> load(const QString &file = defaultFile());
    // Writes the log whole, atomically; raises CartlingError when it cannot be written, also when its name is a
    // link or its folder is a link or another user's, where it is never written.
    void save(const QString &file = defaultFile()) const;
};
