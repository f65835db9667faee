#include "collection/DumpCheck.h"

#include "collection/CollectionText.h"
#include "language/MessageTable.h"

#include <cstring>

DumpCheck DumpCheck::of(const HashCache::Entry *entry, const DatCatalog &dats)
{
    // With no DAT loaded nothing is known or unknown.
    if (!entry || entry->kind != HashCache::Kind::Rom || dats.isEmpty())
        return {};
    const RomHashes &hashes = entry->hashes;
    const std::vector<DatCatalog::Candidate> candidates = dats.withCrc(hashes.crc);
    if (candidates.empty())
        return {DumpState::Unknown, {}, {}, {}};
    bool undecided = false;
    for (const DatCatalog::Candidate &candidate : candidates) {
        const DatIndex::Rom &rom = *candidate.rom;
        if (rom.hasSize() && rom.size != hashes.size)
            continue;
        if (rom.hasSha1()) {
            // An archive member's SHA-1 is computed only once its CRC matched; until then nothing is decided.
            if (hashes.sha1.size() != 20) {
                undecided = true;
                continue;
            }
            if (std::memcmp(rom.sha1.data(), hashes.sha1.constData(), 20) != 0)
                continue;
        }
        const DatIndex &index = candidate.dat->index;
        return {DumpState::Matches, index.gameName(rom.game), index.romName(rom), index.name()};
    }
    if (undecided)
        return {};
    const DatCatalog::Candidate &first = candidates.front();
    return {DumpState::BadDump, first.dat->index.gameName(first.rom->game), {}, first.dat->index.name()};
}

QString DumpCheck::mark() const
{
    switch (state) {
    case DumpState::Matches:
        return QStringLiteral("\u2714");
    case DumpState::BadDump:
        return QStringLiteral("\u2718");
    case DumpState::Unknown:
        return QStringLiteral("?");
    case DumpState::NotChecked:
        break;
    }
    return {};
}

QString DumpCheck::tooltip() const
{
    const MessageTable &texts = messageTable();
    switch (state) {
    case DumpState::Matches:
        return texts.text(CollectionText::StateMatches).arg(game, dat);
    case DumpState::BadDump:
        return texts.text(CollectionText::StateBadDump).arg(game, dat);
    case DumpState::Unknown:
        return texts.text(CollectionText::StateUnknown);
    case DumpState::NotChecked:
        break;
    }
    return texts.text(CollectionText::StateNotChecked);
}
