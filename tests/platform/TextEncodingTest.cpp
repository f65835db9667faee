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
    EXPECT_EQ(encode(QString::fromUtf8("ポケモン ñ")), QString::fromUtf8("ポケモン ñ").toUtf8());
}

TEST(TextEncoding, EveryWindows1252ByteRoundTrips)
{
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
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
