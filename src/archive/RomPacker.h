#pragma once

#include "archive/CompressionOptions.h"
#include "platform/Progress.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// Packs the selected ROM into a ZIP archive beside it ("Comprimir").
class RomPacker
{
public:
    // What the main window knows about the selection when packing starts.
    struct Selection
    {
        QString romPath;   // full path of the selected entry; empty when no row is selected
        QString stem;      // the selected file's stem: the archive's name unless the user is asked
        QStringList files; // the files to pack; the first is the selected entry
    };

    // Asks for the archive's name; nothing when the user cancelled. An empty answer packs nothing too.
    using NamePrompt = std::function<std::optional<QString>()>;

    enum class Outcome
    {
        NothingToDo, // no selection, an archive selected, or the name prompt cancelled: leave the list alone
        Packed,      // a new archive was written
        NotPacked,   // the archive existed already, or could not be written; the ROM stays
        Cancelled,   // `progress` cancelled; the disk is as it was
    };

    struct Result
    {
        Outcome outcome = Outcome::NothingToDo;
        QString archive; // the archive path chosen, when one was
        bool romDeleted = false;
        // The ROM list is to be read again (every outcome but NothingToDo).
        bool rereadList() const { return outcome != Outcome::NothingToDo; }
    };

    // romFolder: the folder the ROM list shows, which is also where the archive goes.
    RomPacker(QString romFolder, CompressionOptions options, NamePrompt askName = {}, Progress progress = {});

    // The archive is romFolder + "/" + name + ".zip", the name being the stem or, when the options say to ask,
    // the answer as typed. An existing file of that name is left untouched and nothing says so. A new archive
    // gets the files, each message of the ZIP binding shown. The ROM is deleted when the options say so, and
    // only once the new archive is read back holding it whole.
    Result pack(const Selection &selection);

private:
    QString m_romFolder;
    CompressionOptions m_options;
    NamePrompt m_askName;
    Progress m_progress;
};
