#include "platform/TextEncoding.h"

#include <QStringDecoder>
#include <QtEndian>
#include <cstring>

namespace {

using TextEncoding::Encoding;

// Windows-1252 bytes 80..9F; the five undefined bytes map to the C1 control of the same value, as Windows does.
constexpr char16_t kHighTable[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                     0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                     0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                     0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const QByteArray kUtf8Mark("\xEF\xBB\xBF");
const QByteArray kUtf16LEMark("\xFF\xFE");
const QByteArray kUtf16BEMark("\xFE\xFF");
const QByteArray kMarkLineEnd("\r\n");

int windows1252Byte(char16_t u)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    for (int i = 0; i < 32; ++i) {
        if (kHighTable[i] == u)
            return 0x80 + i;
    }
    return -1;
}

// Where the run of ASCII bytes of `p` that starts at `i` ends (the first byte of 80 or above, or `n`), looked at
// eight bytes at a time.
qsizetype asciiRunEnd(const unsigned char *p, qsizetype i, qsizetype n)
{
    while (i + 8 <= n) {
        quint64 word;
        std::memcpy(&word, p + i, 8);
        if (word & 0x8080808080808080ULL)
            break;
        i += 8;
    }
    while (i < n && p[i] < 0x80)
        ++i;
    return i;
}

// The length of the longest prefix of `p` that is valid UTF-8; a sequence cut by the end does not count.
qsizetype validUtf8Prefix(const unsigned char *p, qsizetype n)
{
    qsizetype i = 0;
    while (i < n) {
        i = asciiRunEnd(p, i, n);
        if (i >= n)
            break;
        const unsigned char b = p[i]; // 80 or above
        int extra = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b == 0xE0) {
            extra = 2;
            low = 0xA0; // no overlong forms
        } else if (b == 0xED) {
            extra = 2;
            high = 0x9F; // no surrogates
        } else if (b >= 0xE1 && b <= 0xEF) {
            extra = 2;
        } else if (b == 0xF0) {
            extra = 3;
            low = 0x90;
        } else if (b >= 0xF1 && b <= 0xF3) {
            extra = 3;
        } else if (b == 0xF4) {
            extra = 3;
            high = 0x8F; // nothing past U+10FFFF
        } else {
            return i;
        }
        if (i + extra >= n || p[i + 1] < low || p[i + 1] > high)
            return i;
        for (int k = 2; k <= extra; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return i;
        }
        i += extra + 1;
    }
    return n;
}

bool isAscii(QByteArrayView bytes)
{
    return asciiRunEnd(reinterpret_cast<const unsigned char *>(bytes.data()), 0, bytes.size()) == bytes.size();
}

bool startsWithMark(QByteArrayView bytes)
{
    return bytes.startsWith(kUtf8Mark) || bytes.startsWith(kUtf16LEMark) || bytes.startsWith(kUtf16BEMark);
}

enum class Utf16Guess
{
    None,
    LittleEndian,
    BigEndian,
};

// UTF-16 without a mark: no 8-bit text file holds a NUL, while UTF-16 of Latin letters, digits and the INI
// punctuation has a zero byte in one position of each pair. The first units decide: zero bytes in at least a
// quarter of them on one side and next to none on the other. An odd number of bytes is no UTF-16.
Utf16Guess guessUtf16(QByteArrayView bytes)
{
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return Utf16Guess::None;
    const qsizetype units = qMin<qsizetype>(bytes.size(), 512) / 2;
    qsizetype zeroFirst = 0;
    qsizetype zeroSecond = 0;
    for (qsizetype i = 0; i < units; ++i) {
        zeroFirst += bytes[2 * i] == 0 ? 1 : 0;
        zeroSecond += bytes[2 * i + 1] == 0 ? 1 : 0;
    }
    if (zeroSecond * 4 >= units && zeroFirst * 16 <= zeroSecond)
        return Utf16Guess::LittleEndian;
    if (zeroFirst * 4 >= units && zeroSecond * 16 <= zeroFirst)
        return Utf16Guess::BigEndian;
    return Utf16Guess::None;
}

// Valid UTF-8 as text. QString::fromUtf8 drops a U+FEFF at the start, which would take a character from a
// text that begins with one (after the file's own mark, or after a stray byte).
QString fromUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

// UTF-8 in which every byte that belongs to no valid sequence stands for its Windows-1252 character.
QString fromLenientUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    QString text;
    qsizetype i = 0;
    while (i < n) {
        const qsizetype valid = validUtf8Prefix(p + i, n - i);
        text += fromUtf8(bytes.sliced(i, valid));
        i += valid;
        if (i < n) {
            const unsigned char b = p[i++];
            text += QChar(b >= 0x80 && b < 0xA0 ? kHighTable[b - 0x80] : char16_t(b));
        }
    }
    return text;
}

QString fromUtf16(QByteArrayView bytes, bool bigEndian)
{
    const qsizetype units = bytes.size() / 2;
    QString text(units, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < units; ++i) {
        const char *at = bytes.data() + 2 * i;
        out[i] = bigEndian ? qFromBigEndian<quint16>(at) : qFromLittleEndian<quint16>(at);
    }
    if (bytes.size() % 2) // half a character at the end
        text += QChar(QChar::ReplacementCharacter);
    return text;
}

QByteArray toUtf16(const QString &text, bool bigEndian, bool mark = true)
{
    QByteArray bytes = !mark ? QByteArray() : bigEndian ? kUtf16BEMark : kUtf16LEMark;
    const qsizetype start = bytes.size();
    bytes.resize(start + 2 * text.size());
    char *out = bytes.data() + start;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const quint16 unit = text.at(i).unicode();
        if (bigEndian)
            qToBigEndian(unit, out + 2 * i);
        else
            qToLittleEndian(unit, out + 2 * i);
    }
    return bytes;
}

// Copies a block of characters as bytes; false when one of them is above FF or in 80..9F, where Windows-1252
// differs from Latin-1. Simple enough, with pointers that do not overlap and a fixed length, to be vectorised.
template <qsizetype Block> bool plainBlock(const char16_t *__restrict in, char *__restrict out)
{
    unsigned odd = 0;
    for (qsizetype k = 0; k < Block; ++k) {
        const char16_t c = in[k];
        out[k] = static_cast<char>(c);
        odd |= unsigned(c >> 8) | unsigned((c & 0xE0) == 0x80);
    }
    return odd == 0;
}

// The text's Windows-1252 bytes written to `out` (room for text.size() bytes), or false when a character has
// none. Long runs go in large blocks; the short lines of a data file in small ones.
bool toWindows1252Exact(QStringView text, char *out)
{
    const qsizetype n = text.size();
    const char16_t *in = text.utf16();
    qsizetype i = 0;
    while (i < n) {
        if (i + 64 <= n && plainBlock<64>(in + i, out + i)) {
            i += 64;
            continue;
        }
        for (const qsizetype stop = qMin(n, i + 64); i < stop;) {
            if (i + 8 <= stop && plainBlock<8>(in + i, out + i)) {
                i += 8;
                continue;
            }
            for (const qsizetype end = qMin(stop, i + 8); i < end; ++i) {
                const int b = windows1252Byte(in[i]);
                if (b < 0)
                    return false;
                out[i] = static_cast<char>(b);
            }
        }
    }
    return true;
}

// Bytes that form UTF-8 beyond ASCII, begin like a mark or hold zero bytes like UTF-16 would read back as other
// text than the Windows-1252 they were written as.
bool readsBackAsWindows1252(const QByteArray &bytes)
{
    return !startsWithMark(bytes) && (isAscii(bytes) || !TextEncoding::isValidUtf8(bytes)) &&
           guessUtf16(bytes) == Utf16Guess::None;
}

} // namespace

namespace TextEncoding {

QString fromWindows1252(const QByteArray &bytes)
{
    QString text = QString::fromLatin1(bytes);
    // Only the bytes 80..9F differ from Latin-1: look for them eight bytes at a time.
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    char16_t *out = nullptr;
    qsizetype i = 0;
    while (i < n) {
        if (i + 8 <= n) {
            quint64 word;
            std::memcpy(&word, p + i, 8);
            const quint64 zeroWhereHigh = (word & 0xE0E0E0E0E0E0E0E0ULL) ^ 0x8080808080808080ULL;
            if (((zeroWhereHigh - 0x0101010101010101ULL) & ~zeroWhereHigh & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        for (const qsizetype end = qMin(n, i + 8); i < end; ++i) {
            if (p[i] >= 0x80 && p[i] < 0xA0) {
                if (!out)
                    out = reinterpret_cast<char16_t *>(text.data());
                out[i] = kHighTable[p[i] - 0x80];
            }
        }
    }
    return text;
}

QByteArray toWindows1252(const QString &text)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar c : text) {
        const int b = windows1252Byte(c.unicode());
        bytes.append(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

bool fitsWindows1252(const QString &text)
{
    for (const QChar c : text) {
        if (windows1252Byte(c.unicode()) < 0)
            return false;
    }
    return true;
}

bool holdsText(QStringView text)
{
    for (const QChar c : text) {
        if (c != u'\r' && c != u'\n' && c != u' ' && c != u'\t' && c != QChar(26))
            return true;
    }
    return false;
}

bool isValidUtf8(QByteArrayView bytes)
{
    return validUtf8Prefix(reinterpret_cast<const unsigned char *>(bytes.data()), bytes.size()) == bytes.size();
}

Decoded decodeDetected(const QByteArray &bytes)
{
    const QByteArrayView view(bytes);
    if (view.startsWith(kUtf8Mark)) {
        QByteArrayView rest = view.sliced(kUtf8Mark.size());
        if (rest.startsWith(kMarkLineEnd))
            rest = rest.sliced(kMarkLineEnd.size());
        return {fromLenientUtf8(rest), Encoding::Utf8WithMark};
    }
    if (view.startsWith(kUtf16LEMark))
        return {fromUtf16(view.sliced(2), false), Encoding::Utf16LE};
    if (view.startsWith(kUtf16BEMark))
        return {fromUtf16(view.sliced(2), true), Encoding::Utf16BE};
    switch (guessUtf16(view)) {
    case Utf16Guess::LittleEndian:
        return {fromUtf16(view, false), Encoding::Utf16LEWithoutMark};
    case Utf16Guess::BigEndian:
        return {fromUtf16(view, true), Encoding::Utf16BEWithoutMark};
    case Utf16Guess::None:
        break;
    }
    if (isAscii(view))
        return {QString::fromLatin1(bytes), Encoding::Windows1252};
    if (isValidUtf8(view))
        return {fromUtf8(view), Encoding::Utf8};
    return {fromWindows1252(bytes), Encoding::Windows1252};
}

QString decode(const QByteArray &bytes)
{
    return decodeDetected(bytes).text;
}

Encoded encodeAs(const QString &text, Encoding wanted)
{
    switch (wanted) {
    case Encoding::Windows1252: {
        QByteArray bytes(text.size(), Qt::Uninitialized);
        if (toWindows1252Exact(text, bytes.data()) && readsBackAsWindows1252(bytes))
            return {bytes, Encoding::Windows1252};
        break;
    }
    case Encoding::Utf8:
        if (!text.startsWith(QChar(0xFEFF))) {
            QByteArray bytes = text.toUtf8();
            if (guessUtf16(bytes) == Utf16Guess::None)
                return {bytes, Encoding::Utf8};
        }
        break;
    case Encoding::Utf8WithMark:
        break;
    case Encoding::Utf16LE:
        return {toUtf16(text, false), Encoding::Utf16LE};
    case Encoding::Utf16BE:
        return {toUtf16(text, true), Encoding::Utf16BE};
    case Encoding::Utf16LEWithoutMark:
    case Encoding::Utf16BEWithoutMark: {
        // Only while the bytes are still recognised as this UTF-16; otherwise the mark says it.
        const bool bigEndian = wanted == Encoding::Utf16BEWithoutMark;
        QByteArray bytes = toUtf16(text, bigEndian, false);
        if (!startsWithMark(bytes) &&
            guessUtf16(bytes) == (bigEndian ? Utf16Guess::BigEndian : Utf16Guess::LittleEndian))
            return {bytes, wanted};
        return {toUtf16(text, bigEndian), bigEndian ? Encoding::Utf16BE : Encoding::Utf16LE};
    }
    }
    return {kUtf8Mark + kMarkLineEnd + text.toUtf8(), Encoding::Utf8WithMark};
}

Encoded encodeAs(const std::vector<QStringView> &pieces, Encoding wanted)
{
    qsizetype size = 0;
    for (const QStringView piece : pieces)
        size += piece.size();
    // The common case goes straight to bytes, without the joined text.
    if (wanted == Encoding::Windows1252) {
        QByteArray bytes(size, Qt::Uninitialized);
        char *out = bytes.data();
        bool fits = true;
        for (const QStringView piece : pieces) {
            if (!toWindows1252Exact(piece, out)) {
                fits = false;
                break;
            }
            out += piece.size();
        }
        if (fits && readsBackAsWindows1252(bytes))
            return {bytes, Encoding::Windows1252};
    }
    QString text;
    text.reserve(size);
    for (const QStringView piece : pieces)
        text += piece;
    return encodeAs(text, wanted);
}

QByteArray encode(const QString &text)
{
    return encodeAs(text, Encoding::Windows1252).bytes;
}

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinLines(const QStringList &lines)
{
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    for (const QString &line : lines) {
        text += line;
        text += QStringLiteral("\r\n");
    }
    return text;
}

} // namespace TextEncoding
