#pragma once

#include "collection/DatCatalog.h"
#include "collection/HashCache.h"
#include "platform/Progress.h"

#include <QStringList>

// "Verificar colección": hashes every listed file and sets it against the loaded DATs. A plain ROM is read once
// for its CRC-32 and SHA-1; for an archive's ROM the CRC-32 and size come from the archive's directory, and the
// member is inflated for its SHA-1 only when some DAT knows that CRC. A file whose entry in the cache still holds
// is not read at all. Runs on any thread: it shows nothing and touches no window.
class CollectionVerifier
{
public:
    struct Result
    {
        int matches = 0;
        int badDumps = 0;
        int unknown = 0;
        int notChecked = 0;
        int read = 0;        // files read this time (the others came from the cache)
        QStringList skipped; // files that vanished or could not be read, each once
        bool cancelled = false;
    };

    // `cache` is brought up to date as files are read; the caller saves it.
    CollectionVerifier(const DatCatalog &dats, HashCache &cache, Progress progress = {});

    Result verify(const QStringList &files);

private:
    // The file's entry as it is now, read when needed; nothing when the file cannot be read.
    std::optional<HashCache::Entry> entryFor(const QString &path, bool &read);
    std::optional<HashCache::Entry> readArchive(const QString &path, const HashCache::Stamp &stamp);
    // Forgets files of the folders just verified that are gone, so the cache does not grow with renames.
    void forgetVanished(const QStringList &files);

    const DatCatalog &m_dats;
    HashCache &m_cache;
    Progress m_progress;
};
