#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

// Text files are shared with Windows installations. Reading: a UTF-8 byte-order mark means UTF-8, FF FE or
// FE FF means UTF-16; without a mark, zero bytes in one position of every pair mean UTF-16 (no text file holds a
// NUL); otherwise UTF-8 when the bytes are valid UTF-8, else Windows-1252. Writing keeps the encoding a file was
// read in, always so that reading what was written gives back exactly the same text.
namespace TextEncoding {

enum class Encoding
{
    Windows1252, // also plain ASCII, and the choice for a new file
    Utf8,        // valid UTF-8 without a mark
    // The mark stands on a line of its own (mark, CR LF, text), so an older Windows reader takes it for a stray
    // line rather than part of the first section's name; that CR LF is no part of the text.
    Utf8WithMark,
    Utf16LE, // with its mark FF FE
    Utf16BE, // with its mark FE FF
    Utf16LEWithoutMark,
    Utf16BEWithoutMark,
};

struct Decoded
{
    QString text;
    Encoding encoding = Encoding::Windows1252;
};

struct Encoded
{
    QByteArray bytes;
    Encoding encoding = Encoding::Windows1252; // the encoding actually used
};

// The text and the encoding it was found in. The mark is no part of the text. After a UTF-8 mark, a byte
// that is no part of valid UTF-8 reads as its Windows-1252 character, so one stray byte costs nothing else.
Decoded decodeDetected(const QByteArray &bytes);
QString decode(const QByteArray &bytes);

// The text in `wanted`, falling back where that would not read back as the same text: Windows-1252 is used
// only when every character has a byte there and those bytes are not taken for UTF-8 or a mark on reading,
// otherwise UTF-8 with its mark; UTF-8 without a mark gets one when the text itself begins with U+FEFF.
Encoded encodeAs(const QString &text, Encoding wanted);
// The same for the text that the pieces make one after the other.
Encoded encodeAs(const std::vector<QStringView> &pieces, Encoding wanted);
// The rule for a new file: Windows-1252 when it reads back the same, otherwise UTF-8 with its mark.
QByteArray encode(const QString &text);

bool fitsWindows1252(const QString &text);
// True when the text holds something besides line ends, blanks, tabs and the end-of-file character.
bool holdsText(QStringView text);
QString fromWindows1252(const QByteArray &bytes);
QByteArray toWindows1252(const QString &text); // characters without a byte become "?"
// True when the bytes are UTF-8 by the strict rules (no overlong forms, no surrogates, nothing past U+10FFFF).
bool isValidUtf8(QByteArrayView bytes);

// Lines end at CR, LF or CR LF; a last line without an end counts, a final line end adds no line.
QStringList splitLines(const QString &text);
// Every line followed by CR LF, the last one too.
QString joinLines(const QStringList &lines);

} // namespace TextEncoding
