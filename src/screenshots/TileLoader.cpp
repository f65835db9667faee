#include "screenshots/TileLoader.h"

#include "platform/PathHelpers.h"
#include "screenshots/PictureLookup.h"
#include "screenshots/ShotIndex.h"
#include "screenshots/TilePicture.h"

#include <QDateTime>
#include <QFileInfo>
#include <QThread>

namespace {

// Requests beyond this many were made for tiles long scrolled past; the oldest are forgotten, and asked
// again should they come back on screen.
constexpr size_t MaxWaiting = 512;

// Folder changes come in bursts (a temporary file, then its rename); one look after the burst serves them all.
constexpr int SettleMs = 150;

constexpr qint64 DefaultBudget = 24 * 1024 * 1024;

// Shots have no transparency, and an opaque picture is copied onto the screen rather than blended.
QImage forPainting(const QImage &picture)
{
    const QImage premultiplied = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(premultiplied.constScanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x) {
            if (qAlpha(row[x]) != 255)
                return premultiplied;
        }
    }
    return premultiplied.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TileLoader::TileLoader(QString baseFolder, ThumbnailCache cache, QObject *parent)
    : QObject(parent), m_baseFolder(std::move(baseFolder)), m_cache(std::move(cache))
{
    m_maxWorkers = qBound(2, QThread::idealThreadCount(), 4);
    m_pool.setMaxThreadCount(m_maxWorkers + 1); // and one for listing the shots folder
    setMemoryBudget(DefaultBudget);

    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, &TileLoader::settle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this](const QString &folder) {
        if (folder == m_watchedShots)
            m_shotsChanged = true;
        m_settle.start();
    });
    m_watcher.addPath(m_baseFolder);
    watchShotsFolder();
    m_shotsChanged = false;
    listShotsAhead();
}

TileLoader::~TileLoader()
{
    {
        QMutexLocker lock(&m_mutex);
        m_stopping = true;
        m_waiting.clear();
        m_waitingByKey.clear();
    }
    m_pool.waitForDone();
}

QString TileLoader::keyOf(const QString &romPath)
{
    // One picture per stem. Not folded: "tetris" and "TETRIS" may each have a shot of their own, which the shot
    // lookup tells apart (the exact name first), as the viewer does.
    return stemOf(romPath);
}

TileLoader::Tile TileLoader::tile(const QString &romPath)
{
    const Entry *entry = ask(romPath);
    return entry ? Tile{entry->picture, true} : Tile{};
}

void TileLoader::prefetch(const QString &romPath)
{
    ask(romPath);
}

const TileLoader::Entry *TileLoader::ask(const QString &romPath)
{
    const QString key = keyOf(romPath);
    const Entry *entry = m_tiles.object(key);
    if (!entry || entry->generation != m_generation)
        request(key, romPath, entry);
    return entry;
}

void TileLoader::shotFiled()
{
    m_shotsChanged = true;
    settle();
}

void TileLoader::recheck()
{
    ++m_generation;
    emit tilesChanged();
}

void TileLoader::setMemoryBudget(qint64 bytes)
{
    m_tiles.setMaxCost(qMax<qint64>(1, bytes / 1024));
}

bool TileLoader::busy() const
{
    QMutexLocker lock(&m_mutex);
    return !m_waiting.empty() || !m_working.isEmpty() || m_background > 0;
}

void TileLoader::request(const QString &key, const QString &romPath, const Entry *entry)
{
    Job job{key, romPath, entry ? entry->source : Source{}, m_generation};
    QMutexLocker lock(&m_mutex);
    if (m_working.contains(key))
        return;
    if (const auto waiting = m_waitingByKey.constFind(key); waiting != m_waitingByKey.constEnd()) {
        // Asked again: to the top, as the newest request.
        m_waiting.splice(m_waiting.end(), m_waiting, *waiting);
        m_waiting.back() = std::move(job);
        return;
    }
    m_waiting.push_back(std::move(job));
    m_waitingByKey.insert(key, std::prev(m_waiting.end()));
    while (m_waiting.size() > MaxWaiting) {
        m_waitingByKey.remove(m_waiting.front().key);
        m_waiting.pop_front();
    }
    if (m_workers < m_maxWorkers) {
        ++m_workers;
        lock.unlock();
        m_pool.start([this] { work(); });
    }
}

void TileLoader::work()
{
    for (;;) {
        Job job;
        {
            QMutexLocker lock(&m_mutex);
            if (m_waiting.empty() || m_stopping) {
                --m_workers;
                return;
            }
            job = std::move(m_waiting.back());
            m_waiting.pop_back();
            m_waitingByKey.remove(job.key);
            m_working.insert(job.key);
        }
        const std::shared_ptr<const ShotIndex> index = shotIndex();
        Answer result = answer(job, *index);
        // Delivered on the loader's thread; an answer still posted when the loader goes is dropped with it.
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result)] { deliver(result); }, Qt::QueuedConnection);
    }
}

void TileLoader::listShotsAhead()
{
    // Listed before the first tile is asked for, so switching to the grid does not wait for a large folder.
    ++m_background;
    m_pool.start([this] {
        shotIndex();
        --m_background;
    });
}

std::shared_ptr<const ShotIndex> TileLoader::shotIndex()
{
    QMutexLocker lock(&m_indexMutex);
    const quint64 wanted = m_indexWanted.load();
    if (!m_index || m_indexBuilt != wanted) {
        m_index = std::make_shared<const ShotIndex>(ShotIndex::of(m_baseFolder));
        m_indexBuilt = wanted;
    }
    return m_index;
}

TileLoader::Answer TileLoader::answer(const Job &job, const ShotIndex &index) const
{
    Answer result{job.key, false, {}, {}, job.generation};
    const QStringList shots = index.shotsFor(job.romPath);
    for (const QString &shot : shots) {
        const QFileInfo info(shot);
        if (!info.isFile())
            continue; // gone since the folder was listed
        const qint64 modifiedMs = info.lastModified().toMSecsSinceEpoch();
        const Source source{shot, modifiedMs, info.size(), true};
        if (source == job.known) {
            result.unchanged = true;
            return result;
        }
        // A damaged shot falls through to the next one, as in the picture lookup.
        const ThumbnailCache::Stamp stamp{info.lastModified().toSecsSinceEpoch(), info.size()};
        QImage picture = m_cache.find(shot, stamp);
        if (picture.isNull()) {
            // A shot that could not be made small is not read again until it changes.
            if (m_cache.failed(shot, stamp))
                continue;
            picture = TilePicture::load(shot);
            if (picture.isNull()) {
                m_cache.storeFailure(shot, stamp);
                continue;
            }
            m_cache.store(shot, stamp, picture); // a cache that cannot be written only costs the next start time
        }
        result.picture = forPainting(picture);
        result.source = source;
        return result;
    }
    result.source.known = true;
    result.unchanged = result.source == job.known;
    return result;
}

void TileLoader::deliver(const Answer &answer)
{
    {
        QMutexLocker lock(&m_mutex);
        m_working.remove(answer.key);
    }
    if (answer.unchanged) {
        if (Entry *entry = m_tiles.object(answer.key))
            entry->generation = answer.generation;
        return;
    }
    const int cost = int(answer.picture.sizeInBytes() / 1024) + 1;
    m_tiles.insert(answer.key, new Entry{answer.picture, answer.source, answer.generation}, cost);
    emit tilesChanged();
}

void TileLoader::settle()
{
    watchShotsFolder();
    if (m_shotsChanged) {
        m_shotsChanged = false;
        ++m_indexWanted;
        listShotsAhead();
        recheck();
    }
}

void TileLoader::watchShotsFolder()
{
    // The folder may be made, or renamed to another case, while the program runs.
    const QString folder = PictureLookup::shotsFolder(m_baseFolder);
    if (folder == m_watchedShots && m_watcher.directories().contains(folder))
        return;
    if (!m_watchedShots.isEmpty())
        m_watcher.removePath(m_watchedShots);
    m_watchedShots = folder;
    if (QFileInfo(folder).isDir())
        m_watcher.addPath(folder);
    m_shotsChanged = true;
}
