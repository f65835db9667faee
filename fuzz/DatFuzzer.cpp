// DAT files: any file is read into an index that stays within the limits and whose every lookup holds, or is
// refused with a message naming it; the index read back from its cache is the same index, and a cache file made
// of any bytes is either refused or gives lookups that hold.
#include "FuzzSupport.h"

#include "collection/DatReader.h"

namespace {

// Every entry is found under its own CRC, and every game it names exists.
QString inconsistency(const DatIndex &index)
{
    for (const DatIndex::Rom &rom : index.roms()) {
        const auto same = index.withCrc(rom.crc);
        if (same.empty() || &rom < same.data() || &rom >= same.data() + same.size())
            return QStringLiteral("entry of CRC %1 not found under it").arg(rom.crc);
        if (rom.game >= quint32(index.gameCount()))
            return QStringLiteral("entry of CRC %1 names game %2 of %3")
                .arg(rom.crc)
                .arg(rom.game)
                .arg(index.gameCount());
        index.gameName(rom.game);
    }
    return {};
}

bool sameIndex(const DatIndex &a, const DatIndex &b)
{
    if (a.name() != b.name() || a.romCount() != b.romCount() || a.gameCount() != b.gameCount())
        return false;
    for (qsizetype game = 0; game < a.gameCount(); ++game) {
        if (a.gameName(quint32(game)) != b.gameName(quint32(game)))
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    DatReader::Limits limits;
    limits.maxBytes = 1 << 20;
    limits.maxRoms = 2000;
    limits.maxNameBytes = 64 * 1024;

    const QString path = fuzzFolder() + QStringLiteral("/input.dat");
    writeFuzzFile(path, bytes);
    try {
        const DatIndex index = DatReader::read(path, limits);
        FUZZ_CHECK(index.romCount() <= limits.maxRoms, QString::number(index.romCount()));
        FUZZ_CHECK(inconsistency(index).isEmpty(), inconsistency(index));
        const auto back = DatIndex::fromCache(index.toCache(bytes.size(), 7), bytes.size(), 7);
        FUZZ_CHECK(back && sameIndex(index, *back), index.name());
        FUZZ_CHECK(!DatIndex::fromCache(index.toCache(bytes.size(), 7), bytes.size(), 8), index.name());
    } catch (const DatReader::DatError &error) {
        FUZZ_CHECK(error.message().contains(QStringLiteral("input.dat")), error.message());
    }

    if (const auto cached = DatIndex::fromCache(bytes, 0, 0))
        FUZZ_CHECK(inconsistency(*cached).isEmpty(), inconsistency(*cached));
    return 0;
}
