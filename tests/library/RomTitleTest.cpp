#include "library/RomTitle.h"

#include "TestSupport.h"
#include "platform/ErrorHandler.h"
#include "platform/FileAttributes.h"

#include <QFile>
#include <gtest/gtest.h>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {

struct TitleCase
{
    const char *name;
    QByteArray bytes; // the 16 title bytes
    QString title;
};

class HeaderTitleTest : public ::testing::TestWithParam<TitleCase>
{
};

TEST_P(HeaderTitleTest, KeepsPrintableBytesWithoutGaps)
{
    EXPECT_EQ(headerTitle(romImage(GetParam().bytes)), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, HeaderTitleTest,
    ::testing::Values(TitleCase{"ZeroPadding", QByteArray("TETRIS") + QByteArray(10, '\0'), QStringLiteral("TETRIS")},
                      TitleCase{"AllSixteen", "ABCDEFGHIJKLMNOP", QStringLiteral("ABCDEFGHIJKLMNOP")},
                      // The colour flag shares the last title byte: 0x80 reads as a blank, 0xC0 is dropped.
                      TitleCase{"ColourFlagBlank", "HARBOR LIGHTS 2\x80", QStringLiteral("HARBOR LIGHTS 2 ")},
                      TitleCase{"ColourOnlyFlag", QByteArray("NEON DRIFT\0\0\0\0\0\xC0", 16),
                                QStringLiteral("NEON DRIFT")},
                      TitleCase{"DroppedAnywhere",
                                QByteArray("\xFF"
                                           "A\x01"
                                           "B\x1F\x81"
                                           "C\xFE\x80"
                                           "D\x7F\xFF\x0A\x09\xFF"
                                           "E",
                                           16),
                                QStringLiteral("ABC D\x7F"
                                               "E")},
                      TitleCase{"NothingKept", QByteArray("\xFF\x00\x1F\x81\xC0\xFE", 6), QString()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HeaderTitle, StopsAtTheEndOfTheTitleAndOfTheData)
{
    QByteArray rom = romImage("SIXTEEN CHARS OK", 0x150);
    rom[0x144] = 'X'; // the byte after the title is not part of it
    EXPECT_EQ(headerTitle(rom), QStringLiteral("SIXTEEN CHARS OK"));

    // A short file gives the title of the bytes it has.
    EXPECT_EQ(headerTitle(romImage("SHORTENED", 0x134 + 5)), QStringLiteral("SHORT"));
    EXPECT_EQ(headerTitle(QByteArray(0x134, 'A')), QString());
    EXPECT_EQ(headerTitle(QByteArray()), QString());
}

class RomTitleFileTest : public BaseFolderTest
{
};

TEST_F(RomTitleFileTest, ReadsTheTitleAndClearsReadOnly)
{
    writeFile(QStringLiteral("game.gb"), romImage("POCKET GARDEN"));
    QFile::setPermissions(path(QStringLiteral("game.gb")), QFileDevice::ReadOwner);
    ASSERT_TRUE(FileAttributes::isReadOnly(path(QStringLiteral("game.gb"))));

    EXPECT_EQ(readCartridgeTitle(path(QStringLiteral("game.gb"))), QStringLiteral("POCKET GARDEN"));
    EXPECT_FALSE(FileAttributes::isReadOnly(path(QStringLiteral("game.gb"))));
    EXPECT_EQ(readFile(QStringLiteral("game.gb")), romImage("POCKET GARDEN"));
}

TEST_F(RomTitleFileTest, ShortFilesGiveWhatTheyHold)
{
    writeFile(QStringLiteral("short.gb"), romImage("ABCDEFGH", 0x134 + 4));
    EXPECT_EQ(readCartridgeTitle(path(QStringLiteral("short.gb"))), QStringLiteral("ABCD"));
    writeFile(QStringLiteral("empty.gb"), QByteArray());
    EXPECT_EQ(readCartridgeTitle(path(QStringLiteral("empty.gb"))), QString());
}

TEST_F(RomTitleFileTest, AFileThatCannotBeOpenedRaisesAnErrorNamingIt)
{
    try {
        readCartridgeTitle(path(QStringLiteral("missing game.gb")));
        FAIL() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().contains(QStringLiteral("missing game.gb"))) << qPrintable(error.text());
    }
}

#ifdef Q_OS_UNIX
TEST_F(RomTitleFileTest, AFolderOrAPipeWithARomsNameRaisesAnErrorInsteadOfHanging)
{
    makeFolder(QStringLiteral("folder.gb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.gb"))).constData(), 0600), 0);
    for (const QString name : {"folder.gb", "pipe.gb"}) {
        try {
            readCartridgeTitle(path(name));
            ADD_FAILURE() << "no error raised for " << qPrintable(name);
        } catch (const CartlingError &error) {
            EXPECT_TRUE(error.text().contains(name)) << qPrintable(error.text());
        }
    }
}
#endif

} // namespace
