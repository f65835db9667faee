#pragma once

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>

// What Cartling remembers of each game the user played or marked, by stem: whether it is a favourite, when
// it was last launched, how many times, and how long the emulator ran with it in all.
struct PlayRecord
{
    bool favourite = false;
    QDateTime lastPlayed; // invalid: never launched
    int launches = 0;
    qint64 secondsPlayed = 0;

    bool played() const { return lastPlayed.isValid(); }
};

// The play records of the base folder's "Partidas.ini", a data INI file with one section per stem. Every
// change re-reads the file under a lock and writes it back at once, so two Cartling processes recording at
// the same time lose nothing; a value that is not what its key holds reads as absent. Entries of files that
// are gone stay (the file may come back).
class PlayRecords
{
public:
    // base folder + "/Partidas.ini"
    static QString defaultFileName();

    explicit PlayRecords(QString fileName = defaultFileName());

    // Every record, keyed by the stem folded to one case; read again when the file changed on disk.
    const QHash<QString, PlayRecord> &all() const;
    PlayRecord record(const QString &stem) const;
    static QString key(const QString &stem) { return stem.toCaseFolded(); }

    // Each raises CartlingError naming the file when it cannot be read or written; nothing is then changed.
    void setFavourite(const QString &stem, bool favourite);
    // A launch: the time and one more launch.
    void recordLaunch(const QString &stem, const QDateTime &when);
    // The emulator ended after running `seconds` with the game.
    void recordPlay(const QString &stem, qint64 seconds);
    // The records of each stem `first` go to its stem `second`, in one write: a stem without records, or whose
    // new stem has records of its own, stays. Gives, move by move, whether it moved. Raises CartlingError naming
    // the file when it cannot be read or written; nothing is then moved.
    QList<bool> moveRecords(const QList<std::pair<QString, QString>> &moves);

private:
    template <typename F> void change(const QString &stem, F edit);
    // Runs `edit` on the file under the lock, then writes it back.
    template <typename F> void underLock(F edit);
    void readIfChanged() const;

    QString m_fileName;
    mutable QHash<QString, PlayRecord> m_records;
    mutable QDateTime m_readModified;
    mutable qint64 m_readSize = -1;
};
