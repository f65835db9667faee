#pragma once

#include <QtGlobal>

#include <optional>

// The fixed parts of the ZIP format that Cartling reads itself, without libzip: the records' signatures and
// sizes, little-endian numbers, and the end record that says where the central directory lies.
namespace ZipRecords {

constexpr quint32 LocalSignature = 0x04034b50;
constexpr quint32 EntrySignature = 0x02014b50;
constexpr quint32 EndSignature = 0x06054b50;
constexpr qsizetype LocalSize = 30;
constexpr qsizetype EntrySize = 46;
constexpr qsizetype EndSize = 22;
constexpr qsizetype MaxComment = 0xFFFF;

inline quint16 le16(const char *p)
{
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

inline quint32 le32(const char *p)
{
    return quint32(le16(p)) | quint32(le16(p + 2)) << 16;
}

struct EndRecord
{
    qint64 offset = 0; // where the end record begins; it and its comment run to the end of the file
    qint64 directoryOffset = 0;
    qint64 directorySize = 0;
    quint16 entries = 0;
};

// The end record in `tail`, the file's last `tailSize` bytes of `fileSize`: the last one whose comment reaches
// the file's end exactly. Nothing when there is none, or when it names what the direct readers leave alone:
// several disks, ZIP64's all-ones fields, or a directory that does not end where the end record begins (an
// archive after other data).
std::optional<EndRecord> findEndRecord(const char *tail, qsizetype tailSize, qint64 fileSize);

} // namespace ZipRecords
