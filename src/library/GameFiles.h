#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

// Which files belong to a game besides its ROM, found by the ROM's stem: battery saves and clocks (.sav, .srm,
// .rtc), save states (mGBA's .ss0 to .ss9, RetroArch's .state, .state1… and their pictures) and cheats
// (.cheats) beside the ROM and in the save folders, its cheats in "Trucos", its shots in "Shoots" and the folder
// of its saves' copies in "Copias". Stems and extensions are matched without regard to case, as the picture lookup does. A run over many games reads each
// folder once and is told of the renames it makes.
class GameFiles
{
public:
    enum Kind : unsigned
    {
        Saves = 1,  // battery saves, clocks and save states
        Cheats = 2, // cheats files
        Shots = 4,  // Cartling's own shots
        Copies = 8, // the folder of the copies of its saves, named by the stem alone
    };
    // A folder where a game's files lie, and which kinds of them it holds. The ROM's own folder is always one
    // (saves and cheats).
    struct Place
    {
        QString folder;
        unsigned kinds = 0;
    };
    struct Companion
    {
        QString path;
        qsizetype stemLength = 0; // the stem's part of the file name; the rest stays when the stem changes

        // The companion's path once its stem is `stem`.
        QString movedTo(const QString &stem) const;
    };

    // The places of the base folder and its settings: the Save folder of the directories options (also while
    // its option is off, since what the emulator wrote there while it was on still belongs to the game), the
    // base folder's "Save" (an own command line's saves), "Trucos", "Shoots" and "Copias".
    static QList<Place> placesNow();
    explicit GameFiles(QList<Place> places = placesNow());

    // The files of the game whose ROM lies in `romFolder` and bears `stem`, the ROM's folder first.
    QList<Companion> of(const QString &romFolder, const QString &stem);
    // How many files of the folder that are no game's companions bear the stem: ROMs, archives and any other file.
    int gameFilesWithStem(const QString &folder, const QString &stem);
    // Whether an entry of the path's folder other than `self` (a name of that folder) holds its name, in any case.
    bool isTaken(const QString &path, const QString &self = {});
    // A file of a folder read already was renamed within that folder.
    void noteRenamed(const QString &from, const QString &to);

    // The length of the stem of a companion of these kinds named `name`, or -1 when it is none.
    static qsizetype companionStemLength(QStringView name, unsigned kinds);

private:
    struct Entry
    {
        QString name;
        qsizetype stemLength = 0;
        unsigned kind = 0; // 0: no companion
    };
    struct Listing
    {
        QHash<QString, int> folded;          // case-folded name of every entry, entries holding it
        QHash<QString, QList<Entry>> byStem; // case-folded stem of every file
    };
    Listing &listing(const QString &folder);
    // The folder as the system resolves it, so that one folder reached by two names is looked at once.
    QString identity(const QString &folder);
    static Entry entryOf(const QString &name);

    QList<Place> m_places;
    QHash<QString, Listing> m_listings;
    QHash<QString, QString> m_identities;
};
