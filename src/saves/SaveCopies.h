#pragma once

#include "saves/SavePlace.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The copies of one game's battery save that Cartling keeps in Copias/<ROM stem>/ of the base folder: one
// before every launch and one when the emulator ends, each only when its bytes are new. A copy is named by the
// time it was taken ("2026-12-08 14-03-22.sav", the clock file beside it as ".rtc"), written whole or not at
// all. The 20 newest are kept, and the oldest, which is often the one a player wants back, is never deleted.
class SaveCopies
{
public:
    static constexpr int Kept = 20;

    struct Copy
    {
        QString save;  // the copy's battery save
        QString clock; // its clock file, empty when there is none
        QDateTime taken;
        qint64 size = 0;
    };

    enum class Outcome
    {
        Copied,
        Unchanged, // the same bytes are among the copies already
        NoSave,    // the game has no save there yet
        Failed,    // see error()
    };

    // The copies of the game whose ROM is `rom`, kept under `baseFolder`.
    SaveCopies(const QString &baseFolder, const QString &rom);

    static QString folderFor(const QString &baseFolder, const QString &rom);
    QString folder() const { return m_folder; }

    // Copies the save found at `place` when its bytes (clock included) are not among the copies, naming the
    // copy by `now`; then drops the copies past the newest 20, never the oldest.
    Outcome keep(const SavePlace &place, const QDateTime &now);
    // The copies, newest first.
    QList<Copy> list() const;
    // Why the last keep() or restore() failed, for the message.
    QString error() const { return m_error; }

    // Puts the copy in place of the save at `place` (the battery bytes and, where the place keeps one, its
    // clock file), after a copy of the current save was kept, so that a restore can itself be undone.
    bool restore(const Copy &copy, const SavePlace &place, const QDateTime &now);

private:
    void prune();

    QString m_folder;
    QString m_error;
};
