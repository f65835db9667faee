#include "collection/CollectionVerifier.h"

#include "archive/ZipMembers.h"
#include "collection/DumpCheck.h"
#include "collection/RomHashing.h"
#include "platform/PathHelpers.h"

#include <QSet>

CollectionVerifier::CollectionVerifier(const DatCatalog &dats, HashCache &cache, Progress progress)
    : m_dats(dats), m_cache(cache), m_progress(std::move(progress))
{
}

std::optional<HashCache::Entry> CollectionVerifier::readArchive(const QString &path, const HashCache::Stamp &stamp)
{
    const auto members = ZipMembers::list(path);
    if (!members)
        return std::nullopt;
    HashCache::Entry entry{stamp, HashCache::Kind::NoRom, 0, true, {}};
    const ZipMembers::Member *rom = nullptr;
    for (const ZipMembers::Member &member : *members) {
        if (!RomHashing::isRomMember(member.name))
            continue;
        if (rom)
            return entry; // several ROMs: the archive is no one game
        rom = &member;
    }
    if (!rom || rom->size > RomHashing::MaxRomBytes)
        return entry;
    entry.kind = HashCache::Kind::Rom;
    entry.member = rom->index;
    entry.hashes = {rom->size, rom->crc, {}};
    return entry;
}

std::optional<HashCache::Entry> CollectionVerifier::entryFor(const QString &path, bool &read)
{
    const auto stamp = HashCache::stampOf(path);
    if (!stamp)
        return std::nullopt;
    std::optional<HashCache::Entry> entry;
    if (const HashCache::Entry *cached = m_cache.find(path, *stamp)) {
        entry = *cached;
    } else if (isArchive(path)) {
        read = true;
        entry = readArchive(path, *stamp);
    } else {
        read = true;
        const RomHashing::Outcome outcome = RomHashing::hashFile(path);
        if (outcome.hashes)
            entry = HashCache::Entry{*stamp, HashCache::Kind::Rom, 0, false, *outcome.hashes};
        else if (outcome.failure == RomHashing::Failure::TooLarge)
            entry = HashCache::Entry{*stamp, HashCache::Kind::NoRom, 0, false, {}};
    }
    // The SHA-1 confirms an archive's CRC match; it is worth inflating the member only then.
    if (entry && entry->inArchive && entry->kind == HashCache::Kind::Rom && entry->hashes.sha1.isEmpty() &&
        m_dats.knows(entry->hashes.crc)) {
        read = true;
        const auto sha1 = RomHashing::memberSha1(path, {entry->member, {}, entry->hashes.size, entry->hashes.crc});
        if (!sha1)
            return std::nullopt;
        entry->hashes.sha1 = *sha1;
    }
    return entry;
}

void CollectionVerifier::forgetVanished(const QStringList &files)
{
    QSet<QString> folders;
    const QSet<QString> listed(files.begin(), files.end());
    for (const QString &file : files)
        folders.insert(folderOf(file));
    for (const QString &path : m_cache.paths()) {
        if (!listed.contains(path) && folders.contains(folderOf(path)) && !HashCache::stampOf(path))
            m_cache.remove(path);
    }
}

CollectionVerifier::Result CollectionVerifier::verify(const QStringList &files)
{
    Result result;
    const int total = int(files.size());
    for (int i = 0; i < total; ++i) {
        if (!goOn(m_progress, i, total)) {
            result.cancelled = true;
            return result;
        }
        const QString &path = files[i];
        bool read = false;
        const std::optional<HashCache::Entry> entry = entryFor(path, read);
        result.read += read ? 1 : 0;
        if (!entry) {
            m_cache.remove(path);
            result.skipped.append(path);
            continue;
        }
        m_cache.store(path, *entry);
        switch (DumpCheck::of(&*entry, m_dats).state) {
        case DumpState::Matches:
            ++result.matches;
            break;
        case DumpState::BadDump:
            ++result.badDumps;
            break;
        case DumpState::Unknown:
            ++result.unknown;
            break;
        case DumpState::NotChecked:
            ++result.notChecked;
            break;
        }
    }
    forgetVanished(files);
    goOn(m_progress, total, total);
    return result;
}
