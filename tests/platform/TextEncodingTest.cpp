#include "RandomText.h"

#include "platform/TextEncoding.h"

#include <gtest/gtest.h>

namespace {

using namespace TextEncoding;

TEST(TextEncoding, ReadsUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(decode("espa\xc3\xb1ol"), QString::fromUtf8("español"));
    EXPECT_EQ(decode("espa\xf1ol"), QString::fromUtf8("español"));
    EXPECT_EQ(decode("\x80 \x93x\x94 \x9f"), QString::fromUtf8("€ “x” Ÿ"));
    EXPECT_EQ(decode("\xef\xbb\xbfhola"), "hola");
    // A cut UTF-8 sequence is not valid UTF-8.
    EXPECT_EQ(decode("a\xc3"), QString::fromUtf8("aÃ"));
}

TEST(TextEncoding, WritesWindows1252WhenEveryCharacterFitsElseUtf8)
{
    EXPECT_EQ(encode(QString::fromUtf8("Ñ º á €")), QByteArray("\xd1 \xba \xe1 \x80"));
    EXPECT_EQ(encode(QString::fromUtf8("ポケモン ñ")), "\xEF\xBB\xBF\r\n" + QString::fromUtf8("ポケモン ñ").toUtf8());
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
}

TEST(TextEncoding, TheFilesEncodingIsDetected)
{
    EXPECT_EQ(decodeDetected("plain").encoding, Encoding::Windows1252);
    EXPECT_EQ(decodeDetected("espa\xf1ol").encoding, Encoding::Windows1252);
    EXPECT_EQ(decodeDetected("espa\xc3\xb1ol").encoding, Encoding::Utf8);
    EXPECT_EQ(decodeDetected("\xef\xbb\xbf").encoding, Encoding::Utf8WithMark);
    const Decoded le = decodeDetected(QByteArray("\xff\xfe[\0A\0]\0\xf1\0\x3d\xd8\x00\xde", 14));
    EXPECT_EQ(le.encoding, Encoding::Utf16LE);
    EXPECT_EQ(le.text, QString::fromUtf8("[A]ñ😀"));
    const Decoded be = decodeDetected(QByteArray("\xfe\xff\0[\0A\0]\0\xf1", 10));
    EXPECT_EQ(be.encoding, Encoding::Utf16BE);
    EXPECT_EQ(be.text, QString::fromUtf8("[A]ñ"));
    // Without a mark, zero bytes on one side of each pair mean UTF-16; a file of Windows-1252 never holds one.
    const Decoded leBare = decodeDetected(QByteArray("[\0A\0]\0\r\0\n\0\x14\x04", 12));
    EXPECT_EQ(leBare.encoding, Encoding::Utf16LEWithoutMark);
    EXPECT_EQ(leBare.text, QString::fromUtf8("[A]\r\nД"));
    EXPECT_EQ(decodeDetected(QByteArray("\0[\0A\0]\0\xf1", 8)).encoding, Encoding::Utf16BEWithoutMark);
    EXPECT_EQ(decodeDetected(QByteArray("[\0A\0]", 5)).encoding, Encoding::Windows1252); // an odd size is no UTF-16
    // Overlong forms, surrogates and cut sequences are no UTF-8.
    for (const char *bytes : {"\xc0\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "a\xe2\x82"})
        EXPECT_EQ(decodeDetected(bytes).encoding, Encoding::Windows1252) << bytes;
}

// Files written by hand, without a mark, whose share of zero bytes sits near the line the guess draws.
TEST(TextEncoding, Utf16WithoutAMarkIsToldByItsShareOfZeroBytes)
{
    const QString cyrillic = QString::fromUtf8("[Игры]\r\nТетрис=Классика\r\n"); // 7 of 25 units have a zero byte
    struct Case
    {
        QByteArray bytes;
        Encoding encoding;
        QString text;
    };
    const Case cases[] = {
        {QByteArray(reinterpret_cast<const char *>(cyrillic.utf16()), cyrillic.size() * 2),
         Encoding::Utf16LEWithoutMark, cyrillic},
        // Exactly a quarter: still UTF-16, either way round.
        {QByteArray("\x14\x04\x14\x04\x14\x04\x14\x04\x14\x04\x14\x04\r\0\n\0", 16), Encoding::Utf16LEWithoutMark,
         QString::fromUtf8("ДДДДДД\r\n")},
        {QByteArray("\x04\x14\x04\x14\x04\x14\x04\x14\x04\x14\x04\x14\0\r\0\n", 16), Encoding::Utf16BEWithoutMark,
         QString::fromUtf8("ДДДДДД\r\n")},
        // One unit in five is too few: these are bytes, not UTF-16.
        {QByteArray("\x14\x04\x14\x04\x14\x04\x14\x04\n\0", 10), Encoding::Windows1252,
         QString::fromLatin1("\x14\x04\x14\x04\x14\x04\x14\x04\n\0", 10)},
    };
    for (const Case &c : cases) {
        const Decoded decoded = decodeDetected(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding) << c.bytes.toHex().constData();
        EXPECT_EQ(decoded.text, c.text) << c.bytes.toHex().constData();
    }

    // UTF-8 whose bytes look like UTF-16 (letters between U+0000) is written with its mark, so that it is not
    // read back as UTF-16.
    const QString nulls = QString::fromUtf16(u"A\0B\0C\0D\0é", 9);
    const Encoded written = encodeAs(nulls, Encoding::Utf8);
    EXPECT_EQ(written.encoding, Encoding::Utf8WithMark);
    EXPECT_EQ(written.bytes, QByteArray("\xef\xbb\xbf\r\nA\0B\0C\0D\0\xc3\xa9", 15));
    EXPECT_EQ(decode(written.bytes), nulls);
}

// A UTF-8 mark in front of the first section header made an older Windows reader take it as part of the
// section's name: the mark stands on a line of its own, which is no part of the text.
TEST(TextEncoding, AUtf8MarkStandsOnALineOfItsOwn)
{
    const Encoded encoded = encodeAs(QString::fromUtf8("[Título]\r\n"), Encoding::Utf8WithMark);
    EXPECT_EQ(encoded.bytes, "\xef\xbb\xbf\r\n[T\xc3\xadtulo]\r\n");
    EXPECT_EQ(decode(encoded.bytes), QString::fromUtf8("[Título]\r\n"));
    EXPECT_EQ(decode("\xef\xbb\xbf[A]"), "[A]"); // as other programs write it
}

// A UTF-8 mark followed by one stray byte made the whole file Windows-1252, so the mark became "ï»¿" in front
// of the first section header.
TEST(TextEncoding, AUtf8MarkIsAlwaysRecognised)
{
    const Decoded decoded = decodeDetected("\xef\xbb\xbf[Video]\r\nx=\xf1 \xc3\xb1\r\n");
    EXPECT_EQ(decoded.encoding, Encoding::Utf8WithMark);
    EXPECT_EQ(decoded.text, QString::fromUtf8("[Video]\r\nx=ñ ñ\r\n"));
}

// "Weiß“" as Windows-1252 is DF 93, which is valid UTF-8 and read back as "Weiߓ".
TEST(TextEncoding, Windows1252IsWrittenOnlyWhereItReadsBackTheSame)
{
    for (const QString &text : {QString::fromUtf8("Weiß“"), QString::fromUtf8("ï»¿x"), QString::fromUtf8("ÿþx"),
                                QString::fromUtf8("PokÃ©mon")}) {
        const Encoded encoded = encodeAs(text, Encoding::Windows1252);
        EXPECT_EQ(encoded.encoding, Encoding::Utf8WithMark) << qPrintable(text);
        EXPECT_EQ(decode(encoded.bytes), text);
    }
    EXPECT_EQ(encodeAs(QString::fromUtf8("Weiß“ ñ"), Encoding::Windows1252).bytes, "Wei\xdf\x93 \xf1");
    // UTF-8 without a mark keeps that form, unless the text itself begins with U+FEFF.
    EXPECT_EQ(encodeAs(QString::fromUtf8("ñ"), Encoding::Utf8).bytes, "\xc3\xb1");
    EXPECT_EQ(encodeAs(QString(QChar(0xFEFF)) + u'x', Encoding::Utf8).encoding, Encoding::Utf8WithMark);
    EXPECT_EQ(encodeAs("x", Encoding::Utf16BE).bytes, QByteArray("\xfe\xff\0x", 4));
}

TEST(TextEncoding, EveryTextReadsBackAsWrittenInEveryEncoding)
{
    QRandomGenerator random(1252);
    for (int round = 0; round < 2000; ++round) {
        const QString text = randomText(random, round % 2 ? Characters::Unicode : Characters::Windows1252, 40, true);
        for (Encoding wanted : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark, Encoding::Utf16LE,
                                Encoding::Utf16BE, Encoding::Utf16LEWithoutMark, Encoding::Utf16BEWithoutMark}) {
            const Encoded encoded = encodeAs(text, wanted);
            const Decoded decoded = decodeDetected(encoded.bytes);
            ASSERT_EQ(decoded.text, text) << int(wanted) << " " << encoded.bytes.toHex().constData();
            // What is read back is written back byte for byte.
            ASSERT_EQ(encodeAs(decoded.text, decoded.encoding).bytes, encoded.bytes);
        }
    }
}

// Found by fuzzing: a text beginning with U+FEFF was written as two marks and read back without the character
// (Qt's UTF-8 decoding drops a U+FEFF at the start), and a U+FEFF after a stray byte vanished the same way.
TEST(TextEncoding, AZeroWidthNoBreakSpaceAtTheStartIsKept)
{
    const QString text = QChar(0xFEFF) + QStringLiteral("x");
    for (Encoding wanted : {Encoding::Windows1252, Encoding::Utf8, Encoding::Utf8WithMark})
        EXPECT_EQ(decode(encodeAs(text, wanted).bytes), text) << int(wanted);
    EXPECT_EQ(decode("\xef\xbb\xbf\xf1\xef\xbb\xbfx"), QChar(0xF1) + text);
}

// Bytes nobody changed are written back as they were read, whatever the file's encoding.
TEST(TextEncoding, EveryFileThatReadsCleanlyIsWrittenBackByteForByte)
{
    QRandomGenerator random(26);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        switch (round % 3) {
        case 0: // anything, read as Windows-1252 unless it happens to be UTF-8
            for (int i = random.bounded(30); i > 0; --i)
                bytes.append(static_cast<char>(random.bounded(256)));
            if (bytes.startsWith("\xef\xbb\xbf") || bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff"))
                continue;
            break;
        case 1:
            bytes = randomText(random, Characters::Unicode, 30, true).toUtf8();
            break;
        default:
            bytes = encodeAs(randomText(random, Characters::Unicode, 30, true), Encoding::Utf16LE).bytes;
            break;
        }
        const Decoded decoded = decodeDetected(bytes);
        ASSERT_EQ(encodeAs(decoded.text, decoded.encoding).bytes, bytes) << bytes.toHex().constData();
    }
}

TEST(TextEncoding, LinesEndAtCrLfOrBoth)
{
    EXPECT_EQ(splitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(splitLines("a\r\n"), (QStringList{"a"}));
    EXPECT_EQ(splitLines("a\n\nb\r\r"), (QStringList{"a", "", "b", ""}));
    EXPECT_EQ(splitLines(""), QStringList());
    EXPECT_EQ(joinLines({"a", "", " "}), "a\r\n\r\n \r\n");
}

} // namespace
