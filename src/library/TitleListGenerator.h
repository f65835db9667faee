#pragma once

#include "platform/Progress.h"

#include <QString>
#include <QStringList>

// "Generar lista de Títulos": takes the cartridge titles of every listed file into one title list
// (Titulos.ini, or GGCT.ini for the Game Genie codes), writing the list once at the end.
class TitleListGenerator
{
public:
    struct Result
    {
        int stored = 0;         // entries written or replaced
        bool cancelled = false; // `progress` cancelled; the entries gathered until then were written
        int skipped = 0;        // files left out for their names (TitleLists::SkippedFiles)
    };

    // listFile: the list to fill. replaceTitles: "Reemplazar títulos existentes"; without it a stem that has
    // an entry keeps it (a plain ROM is then not even read). `progress` hears the files done of the files
    // in all and may cancel.
    TitleListGenerator(QString listFile, bool replaceTitles, Progress progress = {});

    // Runs over the files (full paths, in list order). No files: "No se encuentran Juegos para generar la
    // Lista" and nothing written. An archive with no ROM or several gives its message and is skipped, and so
    // is a file whose name a title list cannot hold (TitleLists::SkippedFiles). At the end the list is
    // written, then "Lista Generada Exitosamente" shown (not after a cancel). A ROM that
    // cannot be read ends the run with its error (CartlingError), after the entries gathered so far are
    // written.
    Result generate(const QStringList &files);

private:
    QString m_listFile;
    bool m_replaceTitles;
    Progress m_progress;
};
