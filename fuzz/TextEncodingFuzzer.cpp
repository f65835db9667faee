// Text decoding: whatever bytes a file holds, the text read from it is written back so that it reads the same,
// and a file in Windows-1252 or plain UTF-8 is written back byte for byte.
#include "FuzzSupport.h"

#include "platform/TextEncoding.h"

using TextEncoding::Encoding;

namespace {

// The input's bytes taken as UTF-16 units, a lone surrogate replaced: a value as a program may hold it.
QString valueFrom(const QByteArray &bytes)
{
    QString text(bytes.size() / 2, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        text[i] = QChar(char16_t(uchar(bytes[2 * i]) | uchar(bytes[2 * i + 1]) << 8));
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);

    // Read, then written back in the encoding it was read in.
    const TextEncoding::Decoded read = TextEncoding::decodeDetected(bytes);
    const TextEncoding::Encoded written = TextEncoding::encodeAs(read.text, read.encoding);
    FUZZ_CHECK(TextEncoding::decodeDetected(written.bytes).text == read.text, QString::fromLatin1(bytes.toHex()));
    const bool exact = read.encoding == Encoding::Windows1252 || read.encoding == Encoding::Utf8 ||
                       read.encoding == Encoding::Utf16LEWithoutMark || read.encoding == Encoding::Utf16BEWithoutMark ||
                       ((read.encoding == Encoding::Utf16LE || read.encoding == Encoding::Utf16BE) && size % 2 == 0);
    if (exact) {
        FUZZ_CHECK(written.encoding == read.encoding, QString::fromLatin1(bytes.toHex()));
        FUZZ_CHECK(written.bytes == bytes, QString::fromLatin1(bytes.toHex()));
    }

    // Lines: splitting what was joined gives the lines back.
    const QStringList lines = TextEncoding::splitLines(read.text);
    FUZZ_CHECK(TextEncoding::splitLines(TextEncoding::joinLines(lines)) == lines, QString::fromLatin1(bytes.toHex()));

    // A value written into a file of any encoding reads back as the same value.
    const QString value = valueFrom(bytes);
    for (Encoding encoding : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark, Encoding::Utf16LE,
                              Encoding::Utf16BE, Encoding::Utf16LEWithoutMark, Encoding::Utf16BEWithoutMark}) {
        const TextEncoding::Encoded encoded = TextEncoding::encodeAs(value, encoding);
        FUZZ_CHECK(TextEncoding::decodeDetected(encoded.bytes).text == value, QString::fromLatin1(bytes.toHex()));
    }
    FUZZ_CHECK(TextEncoding::decode(TextEncoding::encode(value)) == value, QString::fromLatin1(bytes.toHex()));
    return 0;
}
