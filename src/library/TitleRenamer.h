#pragma once

#include "library/FileOperations.h"
#include "library/GameRename.h"
#include "library/TitleExtraction.h"
#include "platform/Progress.h"

#include <QString>
#include <QStringList>
#include <functional>

// Renames ROM files to their display titles (Titulos.ini): the selected file, or every listed file. A file
// whose stem has no entry gets its cartridge title extracted first. The new name is the title, ".", and the
// file's extension; a title that is empty gives "Título no encontrado", and a rename that the folder refuses (a
// name taken, a character the file system does not allow, a path separator) leaves the file as it was, silently.
class TitleRenamer
{
public:
    // What the windows show while files are renamed.
    struct Steps
    {
        // A title was extracted: the title label and the codes dialog show what the extraction shows.
        std::function<void(const TitleExtraction::Shown &)> showExtracted;
        // Renaming every file: the current stem and the codes dialog's internal name take each file's stem.
        std::function<void(const QString &stem)> setCurrentStem;
    };
    struct Result
    {
        int renamed = 0;
        bool cancelled = false; // `progress` cancelled; the files done until then stay renamed
        int skipped = 0;        // files left out for their names (TitleLists::SkippedFiles)
    };

    explicit TitleRenamer(Steps steps = {}, Progress progress = {});

    // "Renombrar Archivo a Título": the selected file at `path`, whose title is kept under `currentStem` (the
    // selection's stem). True when the file was renamed. Raises CartlingError as the extraction does.
    bool renameSelected(const QString &path, const QString &currentStem);

    // "Renombrar archivos a títulos (A todo)": every file (full paths, as the rows were named at the start), in
    // order (leaving out a file whose name a title list cannot hold, TitleLists::SkippedFiles), then "Los
    // nombres fueron cambiados", also when renames failed; with no files only "No se encuentran
    // Juegos". The title list is written once at the end, and also when an unreadable ROM ends the run with its
    // error (CartlingError). `progress` hears the files done of the files in all and may cancel (no closing
    // message then).
    Result renameAll(const QStringList &paths);

private:
    // Gives the file the plain archive attribute, then renames it to the title; its saves, shots and play
    // records follow (GameRename), its title stays under the old stem.
    bool renameToTitle(const QString &path, const QString &title, FileOperations::FolderNames &names,
                       GameRename &rename) const;
    // What a rename left behind, in one message; nothing when everything followed.
    static void reportLeftBehind(const GameRename &rename);

    Steps m_steps;
    Progress m_progress;
};
