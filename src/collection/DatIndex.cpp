#include "collection/DatIndex.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <zlib.h>

static_assert(sizeof(DatIndex::Rom) == 48, "the cache file holds ROMs as they lie in memory");

namespace {

// "Cartling DAT index", a version and a mark of this machine's byte order, so that a cache from another
// build or machine is read again from the DAT instead.
constexpr char IndexMagic[8] = {'C', 'T', 'L', 'D', 'A', 'T', 'I', 'X'};
// Version 2 added the ROM entries' own names.
constexpr quint32 Version = 2;
constexpr quint32 ByteOrder = 0x01020304;

struct CacheHeader
{
    char magic[8];
    quint32 version;
    quint32 byteOrder;
    qint64 datSize;
    qint64 datTime;
    quint64 romCount;
    quint64 gameCount;
    quint64 nameBytes;
    quint64 romNameBytes;
    quint64 titleBytes; // the DAT's own name, UTF-8
    quint32 checksum;   // CRC-32 of everything after the header
    quint32 reserved;
};

quint32 indexChecksum(const char *data, qsizetype size)
{
    uLong crc = crc32(0, nullptr, 0);
    while (size > 0) {
        const uInt part = uInt(std::min<qsizetype>(size, 1 << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef *>(data), part);
        data += part;
        size -= part;
    }
    return quint32(crc);
}

} // namespace

void DatIndex::Builder::addGame(QStringView name)
{
    m_names += name.toUtf8();
    m_nameEnds.push_back(quint32(m_names.size()));
}

void DatIndex::Builder::addRom(const Rom &rom, QStringView name)
{
    Rom added = rom;
    added.game = quint32(m_nameEnds.size() - 1);
    const QByteArray utf8 = name.toUtf8();
    added.nameStart = quint32(m_romNames.size());
    added.nameLength = quint32(utf8.size());
    m_romNames += utf8;
    m_roms.push_back(added);
}

DatIndex DatIndex::Builder::finish()
{
    DatIndex index;
    std::stable_sort(m_roms.begin(), m_roms.end(), [](const Rom &a, const Rom &b) { return a.crc < b.crc; });
    index.m_name = std::move(m_name);
    index.m_roms = std::move(m_roms);
    index.m_names = std::move(m_names);
    index.m_nameEnds = std::move(m_nameEnds);
    index.m_romNames = std::move(m_romNames);
    return index;
}

QString DatIndex::gameName(quint32 game) const
{
    if (game >= m_nameEnds.size())
        return {};
    const quint32 start = game == 0 ? 0 : m_nameEnds[game - 1];
    return QString::fromUtf8(m_names.constData() + start, m_nameEnds[game] - start);
}

QString DatIndex::romName(const Rom &rom) const
{
    if (quint64(rom.nameStart) + rom.nameLength > quint64(m_romNames.size()))
        return {};
    return QString::fromUtf8(m_romNames.constData() + rom.nameStart, rom.nameLength);
}

std::span<const DatIndex::Rom> DatIndex::withCrc(quint32 crc) const
{
    const auto byCrc = [](const Rom &rom, quint32 value) { return rom.crc < value; };
    const auto first = std::lower_bound(m_roms.begin(), m_roms.end(), crc, byCrc);
    auto last = first;
    while (last != m_roms.end() && last->crc == crc)
        ++last;
    return {first, last};
}

QByteArray DatIndex::toCache(qint64 datSize, qint64 datTime) const
{
    const QByteArray title = m_name.toUtf8();
    CacheHeader header{};
    std::memcpy(header.magic, IndexMagic, sizeof IndexMagic);
    header.version = Version;
    header.byteOrder = ByteOrder;
    header.datSize = datSize;
    header.datTime = datTime;
    header.romCount = m_roms.size();
    header.gameCount = m_nameEnds.size();
    header.nameBytes = quint64(m_names.size());
    header.romNameBytes = quint64(m_romNames.size());
    header.titleBytes = quint64(title.size());

    QByteArray bytes;
    bytes.reserve(qsizetype(sizeof header + m_roms.size() * sizeof(Rom) + m_nameEnds.size() * sizeof(quint32)) +
                  m_names.size() + m_romNames.size() + title.size());
    bytes.append(reinterpret_cast<const char *>(&header), sizeof header);
    bytes.append(reinterpret_cast<const char *>(m_roms.data()), qsizetype(m_roms.size() * sizeof(Rom)));
    bytes.append(reinterpret_cast<const char *>(m_nameEnds.data()), qsizetype(m_nameEnds.size() * sizeof(quint32)));
    bytes.append(m_names);
    bytes.append(m_romNames);
    bytes.append(title);
    const quint32 checksum = indexChecksum(bytes.constData() + sizeof header, bytes.size() - qsizetype(sizeof header));
    std::memcpy(bytes.data() + offsetof(CacheHeader, checksum), &checksum, sizeof checksum);
    return bytes;
}

std::optional<DatIndex> DatIndex::fromCache(const QByteArray &bytes, qint64 datSize, qint64 datTime)
{
    CacheHeader header;
    if (bytes.size() < qsizetype(sizeof header))
        return std::nullopt;
    std::memcpy(&header, bytes.constData(), sizeof header);
    if (std::memcmp(header.magic, IndexMagic, sizeof IndexMagic) != 0 || header.version != Version ||
        header.byteOrder != ByteOrder || header.datSize != datSize || header.datTime != datTime)
        return std::nullopt;
    // Every count is checked against the bytes there are before anything is allocated.
    const quint64 available = quint64(bytes.size()) - sizeof header;
    if (header.romCount > available / sizeof(Rom) || header.gameCount > available / sizeof(quint32) ||
        header.nameBytes > available || header.romNameBytes > available || header.titleBytes > available)
        return std::nullopt;
    const quint64 romBytes = header.romCount * sizeof(Rom);
    const quint64 endBytes = header.gameCount * sizeof(quint32);
    if (romBytes + endBytes + header.nameBytes + header.romNameBytes + header.titleBytes != available)
        return std::nullopt;
    const char *data = bytes.constData() + sizeof header;
    if (indexChecksum(data, qsizetype(available)) != header.checksum)
        return std::nullopt;

    DatIndex index;
    // An empty vector has no storage to copy into.
    index.m_roms.resize(header.romCount);
    if (romBytes > 0)
        std::memcpy(index.m_roms.data(), data, romBytes);
    data += romBytes;
    index.m_nameEnds.resize(header.gameCount);
    if (endBytes > 0)
        std::memcpy(index.m_nameEnds.data(), data, endBytes);
    data += endBytes;
    index.m_names = QByteArray(data, qsizetype(header.nameBytes));
    data += header.nameBytes;
    index.m_romNames = QByteArray(data, qsizetype(header.romNameBytes));
    data += header.romNameBytes;
    index.m_name = QString::fromUtf8(data, qsizetype(header.titleBytes));

    // A file that passed its checksum but was made wrongly must still not lead a lookup out of bounds.
    quint32 previousEnd = 0;
    for (const quint32 end : index.m_nameEnds) {
        if (end < previousEnd || end > header.nameBytes)
            return std::nullopt;
        previousEnd = end;
    }
    for (size_t i = 0; i < index.m_roms.size(); ++i) {
        const Rom &rom = index.m_roms[i];
        if (rom.game >= header.gameCount || (i > 0 && rom.crc < index.m_roms[i - 1].crc) ||
            quint64(rom.nameStart) + rom.nameLength > header.romNameBytes)
            return std::nullopt;
    }
    return index;
}
