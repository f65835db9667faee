#include "collection/DatFields.h"

namespace DatFields {

namespace {

// Hexadecimal digits into a number of up to 64 bits; false for anything else.
bool parseHex(QStringView text, quint64 &value, qsizetype maxDigits)
{
    if (text.isEmpty() || text.size() > maxDigits)
        return false;
    value = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        int digit;
        if (u >= u'0' && u <= u'9')
            digit = u - u'0';
        else if (u >= u'a' && u <= u'f')
            digit = u - u'a' + 10;
        else if (u >= u'A' && u <= u'F')
            digit = u - u'A' + 10;
        else
            return false;
        value = value << 4 | quint64(digit);
    }
    return true;
}

bool parseSha1(QStringView text, std::array<unsigned char, 20> &sha1)
{
    if (text.size() != 40)
        return false;
    for (int i = 0; i < 20; ++i) {
        quint64 byte = 0;
        if (!parseHex(text.sliced(2 * i, 2), byte, 2))
            return false;
        sha1[size_t(i)] = static_cast<unsigned char>(byte);
    }
    return true;
}

} // namespace

std::optional<DatIndex::Rom> romOf(QStringView crc, QStringView size, QStringView sha1)
{
    DatIndex::Rom rom;
    quint64 value = 0;
    if (!parseHex(crc, value, 8))
        return std::nullopt;
    rom.crc = quint32(value);
    bool ok = false;
    const qint64 bytes = size.toLongLong(&ok);
    if (ok && bytes >= 0) {
        rom.size = bytes;
        rom.flags |= DatIndex::Rom::HasSize;
    }
    if (parseSha1(sha1, rom.sha1))
        rom.flags |= DatIndex::Rom::HasSha1;
    return rom;
}

} // namespace DatFields
