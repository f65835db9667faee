#include "archive/ZipRecords.h"

namespace ZipRecords {

std::optional<EndRecord> findEndRecord(const char *tail, qsizetype tailSize, qint64 fileSize)
{
    for (qsizetype at = tailSize - EndSize; at >= 0 && tailSize - at - EndSize <= MaxComment; --at) {
        const char *end = tail + at;
        if (le32(end) != EndSignature || at + EndSize + le16(end + 20) != tailSize)
            continue;
        const quint16 entriesHere = le16(end + 8), entries = le16(end + 10);
        const quint32 size = le32(end + 12), offset = le32(end + 16);
        const qint64 endOffset = fileSize - tailSize + at;
        if (le16(end + 4) != 0 || le16(end + 6) != 0 || entriesHere != entries || entries == 0xFFFF ||
            size == 0xFFFFFFFF || offset == 0xFFFFFFFF || qint64(offset) + qint64(size) != endOffset)
            return std::nullopt;
        return EndRecord{endOffset, qint64(offset), qint64(size), entries};
    }
    return std::nullopt;
}

} // namespace ZipRecords
