#pragma once

#include "library/GameFiles.h"
#include "library/PlayRecords.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>

class DataIniFile;

// One file that moves to another name.
struct FileMove
{
    QString from;
    QString to;
    bool done = false;
};

// A game's stem that changes with its files, and what goes along: its companions (GameFiles), its play records
// and, for a rename by DAT, its entries in the title lists.
struct StemMove
{
    QString from;
    QString to;
    bool titles = false;        // Titulos.ini has the entry to move
    bool internalNames = false; // GGCT.ini has the entry to move
    bool records = false;       // Partidas.ini has the records to move
    QList<FileMove> companions; // full paths
};

// Takes along what belongs to a game when its files take a new stem. An entry or a file under the new stem is
// never replaced: an entry stays where it is, a file too, with a line in notes(). Everything is done only when
// every game file of the folder that bore the old stem bears the new one, since the rest belongs to all of them.
class GameRename
{
public:
    enum class Lists
    {
        Records,          // renames by hand and to titles, after which a title stays under the old stem
        TitlesAndRecords, // renames by DAT
    };

    explicit GameRename(Lists lists, QList<GameFiles::Place> places = GameFiles::placesNow());
    ~GameRename();

    GameFiles &files() { return m_files; }
    // What did not go along, one line each, for the closing report.
    const QStringList &notes() const { return m_notes; }
    void addNote(const QString &note) { m_notes.append(note); }

    // What moves when the game bearing `from` in `romFolder` takes the stem `to`: the entries found under the old
    // stem and not under the new one, and the companions whose new name is free (in any case) and not claimed
    // by another companion of this run.
    StemMove plan(const QString &romFolder, const QString &from, const QString &to);
    // Renames the stem's companions (`back`: from their new names to their old ones, those found under the new
    // name). One that cannot move (its name taken) stays, with a line in notes().
    void moveCompanions(StemMove &stem, bool back);
    // Moves the entries of every stem in each list it names, each list read and written once. A list that cannot
    // be written stays as it was and the stems say it did not move; the other lists are still written, and then
    // the first error is raised (CartlingError).
    void moveEntries(QList<StemMove> &stems, bool back);

    // The end of a rename of one file by hand or to its title: its companions and records follow. Never raises:
    // a list that cannot be written becomes a line in notes().
    void follow(const QString &oldPath, const QString &newPath);

private:
    DataIniFile &list(std::unique_ptr<DataIniFile> &slot, const QString &file);

    Lists m_lists;
    GameFiles m_files;
    PlayRecords m_records;
    std::unique_ptr<DataIniFile> m_titles;
    std::unique_ptr<DataIniFile> m_internalNames;
    QSet<QString> m_planned; // companions of this run
    QSet<QString> m_claimed; // case-folded paths that companions of this run go to
    QStringList m_notes;
};
