#include "platform/FileLookup.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
#define CARTLING_FOLDER_STAT
#include <ctime>
#include <sys/stat.h>
#endif

namespace FileLookup {

namespace {

bool answers(const QString &query, const QString &entry)
{
    const QStringView text = QStringView(query).sliced(1);
    if (query.startsWith(u'='))
        return entry.compare(text, Qt::CaseInsensitive) == 0;
    return entry.endsWith(text, Qt::CaseInsensitive);
}

// The folder's stamp as it is now. A listing is trusted only once the folder's time lies clearly behind
// the moment it was taken: a filesystem whose times show fractions of a second updates them within
// milliseconds, others (FAT) only every two seconds.
Cache::Stamp stampOf(const QString &folder)
{
    Cache::Stamp stamp;
    qint64 now = 0;
#ifdef CARTLING_FOLDER_STAT
    struct stat info;
    if (::stat(QFile::encodeName(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return stamp;
    stamp.modified = qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.device = quint64(info.st_dev);
    stamp.node = quint64(info.st_ino);
    timespec clock{};
    clock_gettime(CLOCK_REALTIME, &clock);
    now = qint64(clock.tv_sec) * 1000000000 + clock.tv_nsec;
#else
    const QFileInfo info(folder);
    if (!info.isDir())
        return stamp;
    stamp.modified = info.lastModified().toMSecsSinceEpoch() * 1000000;
    now = QDateTime::currentMSecsSinceEpoch() * 1000000;
#endif
    const qint64 margin = stamp.modified % 1000000000 != 0 ? 100000000 : 2000000000;
    stamp.trusted = now - stamp.modified > margin;
    return stamp;
}

} // namespace

QStringList Cache::matches(const QString &folder, const QString &name)
{
    return answer(folder, u'=' + name);
}

bool Cache::holdsSuffix(const QString &folder, const QString &suffix)
{
    return !answer(folder, u'*' + suffix).isEmpty();
}

QStringList Cache::answer(const QString &folder, const QString &query)
{
    // The stamp is taken before the listing, so a change made during the listing shows as a new stamp.
    const Stamp now = stampOf(folder);
    Folder &known = m_folders[folder];
    if (now.modified < 0) {
        known = {};
        return {};
    }
    const bool current = known.stamp.trusted && known.stamp == now;
    if (current) {
        if (const auto it = known.answers.constFind(query); it != known.answers.cend())
            return *it;
    }
    // One listing answers every query this folder has been asked, so each change costs one listing.
    QStringList queries = known.answers.keys();
    if (!queries.contains(query))
        queries.append(query);
    known.stamp = now;
    known.answers.clear();
    for (const QString &asked : queries)
        known.answers.insert(asked, {});
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        const QString entry = it.nextFileInfo().fileName();
        for (const QString &asked : queries) {
            if (answers(asked, entry))
                known.answers[asked].append(entry);
        }
    }
    return known.answers.value(query);
}

QString find(const QString &folder, const QString &name, Cache *cache)
{
    const QDir dir(folder);
    const QString exact = dir.filePath(name);
    if (QFileInfo(exact).isFile())
        return exact;
    if (cache) {
        for (const QString &entry : cache->matches(folder, name)) {
            if (const QString path = dir.filePath(entry); QFileInfo(path).isFile())
                return path;
        }
        return {};
    }
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(name, Qt::CaseInsensitive) == 0)
            return it.filePath();
    }
    return {};
}

} // namespace FileLookup
