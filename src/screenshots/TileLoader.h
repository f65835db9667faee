#pragma once

#include "screenshots/ThumbnailCache.h"

#include <QCache>
#include <QFileSystemWatcher>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QObject>
#include <QSet>
#include <QThreadPool>
#include <QTimer>
#include <atomic>
#include <list>
#include <memory>

class ShotIndex;

// The pictures of the picture view's tiles. Each game's filed shot is taken from the thumbnail cache, or
// decoded, scaled and stored there, on worker threads: asking never waits. The newest request is served
// first, so the tiles on screen come before those scrolled past, and tiles are kept in memory up to a
// budget. The shots folder is watched, so a shot added or removed shows unasked.
class TileLoader : public QObject
{
    Q_OBJECT
public:
    struct Tile
    {
        QImage picture;     // null: the game has no picture that can be shown
        bool known = false; // false until the first answer for the game has come
    };

    explicit TileLoader(QString baseFolder, ThumbnailCache cache = ThumbnailCache(), QObject *parent = nullptr);
    ~TileLoader() override;

    // What is known of the game's tile now; asks for it when it is unknown or may be out of date.
    Tile tile(const QString &romPath);
    // Asks for the tile of a game about to be shown. Asked before the tiles on screen, it comes after them.
    void prefetch(const QString &romPath);
    // A shot was filed for a game: the shots folder is listed again and the tiles shown are checked.
    void shotFiled();
    // The tiles shown are checked against their files again (a shot replaced in place by another program).
    void recheck();

    // The bytes of tile pictures kept in memory; the tiles shown least recently go first.
    void setMemoryBudget(qint64 bytes);
    qint64 memoryBudget() const { return qint64(m_tiles.maxCost()) * 1024; }

    // True while requests wait or are worked on, their answers are on their way, or the shots folder is being
    // listed.
    bool busy() const;

signals:
    // A tile changed: the tiles on screen are to be painted again.
    void tilesChanged();

private:
    // The shot a tile was made from; `known` false before any answer, an empty path for no shot.
    struct Source
    {
        QString path;
        qint64 modifiedMs = 0;
        qint64 size = 0;
        bool known = false;
        bool operator==(const Source &) const = default;
    };
    struct Entry
    {
        QImage picture;
        Source source;
        quint64 generation = 0;
    };
    struct Job
    {
        QString key;
        QString romPath;
        Source known;
        quint64 generation = 0;
    };
    struct Answer
    {
        QString key;
        bool unchanged = false;
        QImage picture;
        Source source;
        quint64 generation = 0;
    };

    static QString keyOf(const QString &romPath);
    const Entry *ask(const QString &romPath);
    void request(const QString &key, const QString &romPath, const Entry *entry);
    void work();
    void listShotsAhead();
    std::shared_ptr<const ShotIndex> shotIndex();
    Answer answer(const Job &job, const ShotIndex &index) const;
    void deliver(const Answer &answer);
    void settle();
    void watchShotsFolder();

    const QString m_baseFolder;
    const ThumbnailCache m_cache;
    QThreadPool m_pool;
    int m_maxWorkers = 1;

    // Shared with the workers, under m_mutex.
    mutable QMutex m_mutex;
    std::list<Job> m_waiting; // oldest first; workers take from the back
    QHash<QString, std::list<Job>::iterator> m_waitingByKey;
    QSet<QString> m_working; // taken by a worker, answer not yet delivered
    int m_workers = 0;
    bool m_stopping = false;
    std::atomic<quint64> m_indexWanted{1};
    std::atomic<int> m_background{0}; // listings of the shots folder under way

    // Workers only, under m_indexMutex: building the index never holds up a request.
    QMutex m_indexMutex;
    std::shared_ptr<const ShotIndex> m_index;
    quint64 m_indexBuilt = 0;

    // The caller's thread only.
    QCache<QString, Entry> m_tiles;
    quint64 m_generation = 1;
    QFileSystemWatcher m_watcher;
    QString m_watchedShots;
    bool m_shotsChanged = false;
    QTimer m_settle;
};
