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
// file of the same run, leaves the file as it is. The game's entries in Titulos.ini and GGCT.ini and its shots go
// along with the stem, unless another file of the folder keeps the old stem. Everything is logged first (see
// RenameLog) and undone from the log.
class DatRenamer
{
public:
    struct Plan
    {
        QList<RenameLog::Move> renames; // full paths
        int skipped = 0;                // matched files whose DAT name cannot be taken
    };
    struct Outcome
    {
        int renamed = 0;
        int failed = 0;              // left as they were: the name was taken meanwhile or refused
        QList<RenameLog::Move> done; // the files renamed, to bring other records along
        bool cancelled = false;
    };

    // The renames that give each matched file (verified and unchanged since) its DAT name; nothing is touched.
    static Plan plan(const QStringList &files, const DatCatalog &dats, const HashCache &cache);

    // Writes the log (raising CartlingError, with nothing renamed, when it cannot), renames the files, moves the
    // stems' entries and shots, and writes the log again with what was done. `progress` hears the files done.
    static Outcome apply(const Plan &plan, const Progress &progress = {},
                         const QString &logFile = RenameLog::defaultFile());

    // Whether the log holds a run that can be undone.
    static bool canUndo(const QString &logFile = RenameLog::defaultFile());
    // Puts back every name the last run changed, as far as the old name is still free, and the stems' entries
    // and shots. Nothing when there is no run to undo. Raises CartlingError when the log cannot be read.
    static std::optional<Outcome> undo(const Progress &progress = {},
                                       const QString &logFile = RenameLog::defaultFile());
};
