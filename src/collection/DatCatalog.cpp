#include "collection/DatCatalog.h"

#include "platform/ErrorHandler.h"
#include "platform/PathHelpers.h"
#include "platform/PrivateFile.h"
#include "settings/SettingsFile.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void DatCatalog::add(QString path, DatIndex index)
{
    m_dats.push_back({std::move(path), std::move(index)});
}

std::vector<DatCatalog::Candidate> DatCatalog::withCrc(quint32 crc) const
{
    std::vector<Candidate> found;
    for (const Dat &dat : m_dats) {
        for (const DatIndex::Rom &rom : dat.index.withCrc(crc))
            found.push_back({&dat, &rom});
    }
    return found;
}

bool DatCatalog::knows(quint32 crc) const
{
    for (const Dat &dat : m_dats) {
        if (!dat.index.withCrc(crc).empty())
            return true;
    }
    return false;
}

QString DatCatalog::cacheFileOf(const QString &datPath)
{
    // Named by the DAT's place, not written beside it: a DAT in a folder others can write must not let them
    // choose or plant the file Cartling writes and trusts.
    const QByteArray place = QFile::encodeName(QDir::cleanPath(QFileInfo(datPath).absoluteFilePath()));
    const QByteArray hash = QCryptographicHash::hash(place, QCryptographicHash::Sha1).toHex();
    return PrivateFile::cacheHome() + QStringLiteral("/cartling/dat-") + QString::fromLatin1(hash) +
           QStringLiteral(".index");
}

DatIndex DatCatalog::loadDat(const QString &path, const DatReader::Limits &limits)
{
    const QFileInfo info(path);
    const qint64 size = info.size();
    const qint64 time = info.lastModified().toMSecsSinceEpoch();
    const QString cacheFile = cacheFileOf(path);
    // The cache is never larger than what the limits allow the DAT to make of it.
    const qint64 cacheLimit = qint64(limits.maxRoms) * qint64(sizeof(DatIndex::Rom) + 4) + limits.maxNameBytes + 4096;
    if (info.isFile()) {
        if (const auto cached = PrivateFile::read(cacheFile, cacheLimit)) {
            if (auto index = DatIndex::fromCache(*cached, size, time))
                return std::move(*index);
        }
    }
    DatIndex index = DatReader::read(path, limits);
    // Only a cache of the file as it was read is any use; a DAT changed meanwhile is read again next time.
    const QFileInfo after(path);
    if (after.size() == size && after.lastModified().toMSecsSinceEpoch() == time &&
        PrivateFile::makeFolder(folderOf(cacheFile)))
        PrivateFile::write(cacheFile, index.toCache(size, time));
    return index;
}

DatCatalog::LoadResult DatCatalog::loadAll(const QStringList &paths, const DatReader::Limits &limits,
                                           const Progress &progress)
{
    auto catalog = std::make_shared<DatCatalog>();
    LoadResult result;
    for (int i = 0; i < paths.size() && goOn(progress, i, int(paths.size())); ++i) {
        const QString &path = paths[i];
        try {
            catalog->add(path, loadDat(path, limits));
        } catch (const DatReader::DatError &error) {
            result.failures.append(error);
        }
    }
    result.catalog = std::move(catalog);
    return result;
}

namespace {

QString numberedKey(int n)
{
    return QLatin1String(Keys::DatFile.name) + QString::number(n);
}

} // namespace

QStringList DatCatalog::storedList()
{
    const SettingsFile settings;
    QStringList paths;
    const int count = std::clamp(settings.read(Keys::DatCount), 0, 1000);
    for (int n = 1; n <= count; ++n) {
        const QString path = settings.readString(Keys::DatFile.section, numberedKey(n), Keys::DatFile.def);
        if (!path.isEmpty() && !paths.contains(path))
            paths.append(path);
    }
    return paths;
}

void DatCatalog::storeList(const QStringList &paths)
{
    SettingsFile settings;
    const int before = std::clamp(settings.read(Keys::DatCount), 0, 1000);
    for (int n = 1; n <= paths.size(); ++n)
        settings.writeString(Keys::DatFile.section, numberedKey(n), paths[n - 1]);
    // Keys past the new end are emptied, so a shorter list never brings back a DAT removed from it.
    for (int n = int(paths.size()) + 1; n <= before; ++n)
        settings.writeString(Keys::DatFile.section, numberedKey(n), QString());
    settings.write(Keys::DatCount, int(paths.size()));
}
