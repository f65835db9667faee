#pragma once

#include "collection/DatCatalog.h"
#include "collection/HashCache.h"
#include "collection/RenameLog.h"
#include "platform/Progress.h"

#include <QList>
#include <QString>
#include <QStringList>

// "Renombrar según DAT": gives every file that matches a DAT entry the DAT's name for its game, keeping its
// extension. No file is ever replaced: a name taken in the folder (in any letter case), or claimed by an earlier
// file of the same run, leaves the file as it is, and so does a DAT name that Cartling does not give a file
// (FileOperations::isUsableForeignName). What belongs to the game goes along with the stem (GameRename): its
// saves, states, cheats and shots, its entries in Titulos.ini and GGCT.ini and its play records, unless another
// game file of the folder keeps the old stem. Everything is logged first (see RenameLog) and undone from the log.
class DatRenamer
{
public:
    struct Plan
    {
        QList<RenameLog::Move> renames; // full paths
        int skipped = 0;                // matched files whose DAT name is taken or refused
        QStringList notes;              // a line for each file whose DAT name is refused
    };
    struct Outcome
    {
        int renamed = 0;
        int failed = 0;              // left as they were: the name was taken meanwhile or refused
        QList<RenameLog::Move> done; // the files renamed, to bring other records along
        bool cancelled = false;
        QStringList notes; // what stayed behind, a line each
        // The error that ended the moves of the lists (or the last write of the log) after files were renamed,
        // for the caller to show once it took note of them; empty when there was none.
        QString error;
    };

    // The renames that give each matched file (verified and unchanged since) its DAT name; nothing is touched.
    static Plan plan(const QStringList &files, const DatCatalog &dats, const HashCache &cache);

    // Writes the log (raising CartlingError, with nothing renamed, when it cannot), renames the files, moves what
    // goes along with the stems, and writes the log again with what was done. Each list is written whole: with
    // every entry of a stem moved or none. `progress` hears the files done.
    static Outcome apply(const Plan &plan, const Progress &progress = {},
                         const QString &logFile = RenameLog::defaultFile());

    // Whether the log holds a run that can be undone.
    static bool canUndo(const QString &logFile = RenameLog::defaultFile());
    // Puts back every name the last run changed, as far as the old name is still free, and what went along with
    // the stems; a game whose old name is taken again keeps all of it under the new name, with a line in the
    // notes. What a finished run did not rename is left alone, also when a file stands under its new name; after a
    // killed run the files tell what was renamed. Nothing when there is no run to undo. Raises CartlingError when
    // the log cannot be read.
    static std::optional<Outcome> undo(const Progress &progress = {},
                                       const QString &logFile = RenameLog::defaultFile());
};
