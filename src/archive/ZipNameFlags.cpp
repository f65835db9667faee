#include "archive/ZipNameFlags.h"

#include "platform/TextEncoding.h"

namespace ZipNameFlags {

namespace {

constexpr quint32 EndSignature = 0x06054b50;
constexpr quint32 Zip64LocatorSignature = 0x07064b50;
constexpr quint32 Zip64EndSignature = 0x06064b50;
constexpr quint32 EntrySignature = 0x02014b50;
constexpr quint16 Utf8Flag = 1 << 11;

// Little-endian numbers at a position, or false when they would lie past the end.
class Reader
{
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    bool has(qint64 at, qint64 size) const { return at >= 0 && size >= 0 && at <= m_bytes.size() - size; }
    quint64 number(qint64 at, int size) const
    {
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | quint8(m_bytes[at + i]);
        return value;
    }

private:
    const QByteArray &m_bytes;
};

// Where the central directory begins and how many entries it has, from the end records.
bool findDirectory(const QByteArray &bytes, qint64 *start, quint64 *entries)
{
    const Reader read(bytes);
    // The end record is 22 bytes and may be followed by a comment of up to 65,535 bytes.
    qint64 end = bytes.size() - 22;
    const qint64 earliest = qMax<qint64>(0, end - 65535);
    while (end >= earliest && !(read.has(end, 22) && read.number(end, 4) == EndSignature))
        --end;
    if (end < earliest)
        return false;
    *entries = read.number(end + 10, 2);
    *start = qint64(read.number(end + 16, 4));
    if (*entries == 0xFFFF || *start == 0xFFFFFFFF) {
        const qint64 locator = end - 20;
        if (!read.has(locator, 20) || read.number(locator, 4) != Zip64LocatorSignature)
            return false;
        const qint64 zip64End = qint64(read.number(locator + 8, 8));
        if (!read.has(zip64End, 56) || read.number(zip64End, 4) != Zip64EndSignature)
            return false;
        *entries = read.number(zip64End + 32, 8);
        *start = qint64(read.number(zip64End + 48, 8));
    }
    return read.has(*start, 0);
}

// What libzip takes for a UTF-8 name: valid UTF-8 without control characters other than CR, LF and TAB.
bool passesAsUtf8(QByteArrayView name)
{
    for (const char c : name) {
        if (uchar(c) < 0x20 && c != '\r' && c != '\n' && c != '\t')
            return false;
    }
    return TextEncoding::isValidUtf8(name);
}

} // namespace

std::optional<Repaired> clearFalseUtf8Flags(const QByteArray &archive)
{
    qint64 at = 0;
    quint64 entries = 0;
    if (!findDirectory(archive, &at, &entries))
        return std::nullopt;
    Repaired repaired{archive, {}};
    const Reader read(archive);
    for (quint64 index = 0; index < entries; ++index) {
        if (!read.has(at, 46) || read.number(at, 4) != EntrySignature)
            return std::nullopt;
        const quint16 flags = quint16(read.number(at + 8, 2));
        const qint64 nameLength = qint64(read.number(at + 28, 2));
        const qint64 length = 46 + nameLength + qint64(read.number(at + 30, 2)) + qint64(read.number(at + 32, 2));
        if (!read.has(at, length))
            return std::nullopt;
        if ((flags & Utf8Flag) && !passesAsUtf8(QByteArrayView(archive).sliced(at + 46, nameLength))) {
            repaired.bytes[at + 9] = char((flags & ~Utf8Flag) >> 8);
            repaired.falselyFlagged.insert(index);
        }
        at += length;
    }
    if (repaired.falselyFlagged.isEmpty())
        return std::nullopt;
    return repaired;
}

} // namespace ZipNameFlags
