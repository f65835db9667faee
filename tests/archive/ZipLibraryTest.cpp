#include "ArchiveTestSupport.h"

#include "archive/Libzip.h"
#include "archive/ZipLibrary.h"
#include "platform/ErrorHandler.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <memory>
#include <unistd.h>
#include <utility>
#include <zip.h>

namespace {


class ZipLibraryTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        makeFolder("roms");
        makeFolder("out");
        setZipOptions({path("roms"), true, "6"});
    }
};

QByteArray noise(int size)
{
    QByteArray bytes(size, '\0');
    QRandomGenerator random(7);
    for (char &c : bytes)
        c = char(u'a' + random.bounded(4));
    return bytes;
}

// ---- Start-up check ----

// On Linux the texts sent the user to Windows folders and "dll"s instead of naming the library and where the
// system's loader looked for it.
TEST_F(ZipLibraryTest, StartUpCheckNamesTheLibraryAndWhereTheLoaderLooked)
{
    EXPECT_EQ(checkZipLibrary(), std::nullopt);
    EXPECT_EQ(checkZipLibraryVersion(LIBZIP_VERSION), std::nullopt);
    const QString name = libzipName();
#ifdef Q_OS_WIN
    const QString missing = "Cannot find libzip.\nThe Dll must be in the application directory, the path,\n"
                            "the Windows directory or the Windows System directory.";
    const QString wrong = "libzip has the wrong version number.\nInsure that you have the correct dll's installed, "
                          "and that \nan older dll is not in your path or Windows System directory.";
    EXPECT_EQ(checkZipLibraryVersion(nullptr), missing);
    for (const char *other : {"0.11.2", "2.0.0", "12.7.3", "garbage"})
        EXPECT_EQ(checkZipLibraryVersion(other), wrong) << other;
#else
#ifdef Q_OS_LINUX
    EXPECT_TRUE(name.startsWith("libzip.so.")) << qPrintable(name);
    EXPECT_TRUE(QFileInfo(libzipFile()).isFile()) << qPrintable(libzipFile());
#endif
    const QString said = name + ": cannot open shared object file: No such file or directory";
    const QString missing = "Cannot find " + name +
                            ".\nIt must be in a folder that the system's loader searches: one named in "
                            "LD_LIBRARY_PATH or in /etc/ld.so.conf, or /lib or /usr/lib.\nThe loader said: " +
                            said;
    {
        const std::shared_ptr<void> giveBack(nullptr, [](void *) { simulateMissingLibzip(std::nullopt); });
        simulateMissingLibzip(said);
        EXPECT_EQ(checkZipLibrary(), missing);
        EXPECT_EQ(checkZipLibraryVersion(""), missing);
        try {
            libzip();
            ADD_FAILURE() << "no error without the library";
        } catch (const FatalError &error) {
            EXPECT_EQ(error.text(), missing);
        }
    }
    EXPECT_EQ(checkZipLibrary(), std::nullopt);
    for (const char *other : {"0.11.2", "2.0.0", "12.7.3", "garbage"}) {
        const QString wrong = checkZipLibraryVersion(other).value_or(QString());
        EXPECT_TRUE(wrong.startsWith(name + " has the wrong version number: " + other +
                                     ", where Cartling was built for " LIBZIP_VERSION ".\n"))
            << qPrintable(wrong);
        EXPECT_TRUE(wrong.contains("LD_LIBRARY_PATH")) << qPrintable(wrong);
        EXPECT_TRUE(wrong.endsWith("\nIt was loaded from " + libzipFile() + '.')) << qPrintable(wrong);
        EXPECT_FALSE(wrong.contains("dll", Qt::CaseInsensitive) || wrong.contains("Windows")) << qPrintable(wrong);
    }
#endif
}

// ---- Packing ----

TEST_F(ZipLibraryTest, LevelIsTheFirstCharacterWhenItIsADigitOneToNineElseSix)
{
    const struct
    {
        const char *text;
        int level;
    } cases[] = {{"1", 1}, {"9", 9}, {"95", 9}, {"0", 6}, {"", 6}, {"x", 6}, {" 5", 6}, {"-3", 6}};
    for (const auto &c : cases)
        EXPECT_EQ(zipLevel(c.text), c.level) << c.text;

    // The level reaches the archive: level 1 packs this text worse than the default.
    writeFile("roms/a.gb", noise(200000));
    QMap<QString, qint64> sizes;
    for (const QString level : {"1", "6", "", "x"}) {
        setZipOptions({path("roms"), true, level});
        const QString archive = path("level" + level + ".zip");
        ASSERT_EQ(zipFiles(archive, {path("roms/a.gb")}), 1);
        sizes[level] = QFileInfo(archive).size();
    }
    EXPECT_GT(sizes["1"], sizes["6"]);
    EXPECT_EQ(sizes[""], sizes["6"]);
    EXPECT_EQ(sizes["x"], sizes["6"]);
}

TEST_F(ZipLibraryTest, ArchiveOfBareNamesPassesUnzipTestAndEachFileIsReported)
{
    const QString odd = QString::fromUtf8("Pokémon 'Azul' \"v1\" ñ.gb");
    makeFolder("roms/sub");
    writeFile("roms/" + odd, romImage("POKEMON BLUE"));
    writeFile("roms/sub/tetris.gb", romImage("TETRIS"));

    EXPECT_EQ(zipFiles(path("roms/pack.zip"), {path("roms/" + odd), path("roms/sub/tetris.gb")}), 2);

    EXPECT_EQ(run("unzip", {"-t", path("roms/pack.zip")}), 0);
    EXPECT_EQ(listing("roms/pack.zip"), QStringList({odd, "tetris.gb"}));
    EXPECT_EQ(m_messages.shown, QStringList({archived, archived}));
}

TEST_F(ZipLibraryTest, WithDirectoryNamesKeptPathsAreRelativeToTheRootFolderAndNeverClimbOut)
{
    setZipOptions({path("roms"), false, "9"});
    makeFolder("roms/sub");
    makeFolder("elsewhere");
    writeFile("roms/sub/a.gb", "a");
    writeFile("roms/sub/b.gb", "b");
    writeFile("elsewhere/c.gb", "c");

    // An absolute path below the root, a name relative to the root, one outside the root, one climbing.
    EXPECT_EQ(
        zipFiles(path("keep.zip"), {path("roms/sub/a.gb"), "sub/b.gb", path("elsewhere/c.gb"), "../elsewhere/c.gb"}),
        4);
    EXPECT_EQ(run("unzip", {"-t", path("keep.zip")}), 0);
    QStringList expected{"elsewhere/c.gb", path("elsewhere/c.gb").mid(1), "sub/a.gb", "sub/b.gb"};
    expected.sort();
    EXPECT_EQ(listing("keep.zip"), expected);
}

TEST_F(ZipLibraryTest, NothingIsPackedForABlankNameAnEmptyListOrOnlyUnreadableFiles)
{
    writeFile("roms/a.gb", "a");
    makeFolder("roms/folder.gb");
    EXPECT_EQ(zipFiles("  ", {path("roms/a.gb")}), 0);
    EXPECT_EQ(zipFiles(path("empty.zip"), {}), 0);
    EXPECT_EQ(zipFiles(path("none.zip"), {path("roms/missing.gb"), path("roms/folder.gb")}), 0);
    // The archive cannot be written (no such folder): nothing is reported as packed.
    EXPECT_EQ(zipFiles(path("nowhere/a.zip"), {path("roms/a.gb")}), 0);
    EXPECT_FALSE(QFile::exists(path("empty.zip")));
    EXPECT_FALSE(QFile::exists(path("none.zip")));

    // An unreadable file among readable ones is left out; the others are packed.
    EXPECT_EQ(zipFiles(path("some.zip"), {path("roms/missing.gb"), path("roms/a.gb")}), 1);
    EXPECT_EQ(listing("some.zip"), QStringList({"a.gb"}));
    EXPECT_EQ(m_messages.shown, QStringList({archived}));
}

TEST_F(ZipLibraryTest, AnExistingArchiveIsUpdatedAndAFileThatIsNoArchiveIsLeftAlone)
{
    writeFile("roms/a.gb", "old a");
    writeFile("roms/b.gb", "b");
    ASSERT_EQ(run("zip", {"-j", "-q", path("up.zip"), path("roms/a.gb"), path("roms/b.gb")}), 0);
    writeFile("roms/a.gb", "new a");
    writeFile("roms/c.gb", "c");
    EXPECT_EQ(zipFiles(path("up.zip"), {path("roms/a.gb"), path("roms/c.gb")}), 2);
    EXPECT_EQ(listing("up.zip"), QStringList({"a.gb", "b.gb", "c.gb"}));
    extractTo(path("up.zip"), path("out"));
    EXPECT_EQ(readFile("out/a.gb"), "new a");

    writeFile("notes.zip", "not an archive");
    EXPECT_EQ(zipFiles(path("notes.zip"), {path("roms/a.gb")}), 0);
    EXPECT_EQ(readFile("notes.zip"), "not an archive");
    EXPECT_EQ(m_messages.shown.size(), 2);
}

// The list may name the archive being written, under any spelling: it is not packed into itself, and the
// count and the messages leave it out.
TEST_F(ZipLibraryTest, PackingAListThatHoldsTheArchiveItselfStoresNoCopyOfIt)
{
    writeFile("roms/a.gb", "a");
    writeFile("roms/b.gb", "b");
    ASSERT_EQ(zipFiles(path("roms/pack.zip"), {path("roms/a.gb")}), 1);
    ASSERT_TRUE(QFile::link(path("roms/pack.zip"), path("roms/link.zip")));
    EXPECT_EQ(zipFiles(path("roms/pack.zip"),
                       {path("roms/b.gb"), path("roms/pack.zip"), "pack.zip", path("roms/./link.zip")}),
              1);
    EXPECT_EQ(listing("roms/pack.zip"), QStringList({"a.gb", "b.gb"}));
    EXPECT_EQ(m_messages.shown, QStringList({archived, archived}));
}

// ---- Extraction ----

TEST_F(ZipLibraryTest, AnInfoZipArchiveWithFoldersExtractsFlatOverSameNamedFiles)
{
    makeFolder("tree/sub/deeper");
    writeFile("tree/top.gb", "top");
    writeFile("tree/sub/deeper/deep.gbc", "deep");
    ASSERT_EQ(run("zip", {"-r", "-q", path("nested.zip"), "tree"}), 0);
    writeFile("out/top.gb", "stale");
    QFile::setPermissions(path("nested.zip"), QFileDevice::ReadOwner);

    extractTo(path("nested.zip"), path("out"));

    EXPECT_EQ(entries("out"), QStringList({"deep.gbc", "top.gb"}));
    EXPECT_EQ(readFile("out/top.gb"), "top");
    EXPECT_TRUE(QFileInfo(path("nested.zip")).permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(ZipLibraryTest, HostileNamesLinksAndFoldersNeverReachOutsideTheFolder)
{
    writeFile("secret.txt", "keep me");
    const QByteArray absolute = QFile::encodeName(m_temp.path() + "/absolute.gb");
    makeArchive("hostile.zip", {{"../../climb.gb", "1"},
                                {absolute, "2"},
                                {"a\\..\\..\\windows.gb", "3"},
                                {"..", "4"},
                                {"dir/..", "5"},
                                {"dir/.", "6"},
                                {"dir/", "", 040755},
                                {"folder", "", 040755},
                                {"link.gb", QFile::encodeName(path("secret.txt")), 0120777},
                                {"Pok\x82mon.gb", "7", 0100644, ZIP_FL_ENC_CP437}});
    // A link planted at a member's name is replaced, not written through.
    ASSERT_TRUE(QFile::link(path("secret.txt"), path("out/climb.gb")));

    extractTo(path("hostile.zip"), path("out"));

    EXPECT_EQ(entries("out"), QStringList({"Pokémon.gb", "absolute.gb", "climb.gb", "windows.gb"}));
    EXPECT_FALSE(QFileInfo(path("out/climb.gb")).isSymLink());
    EXPECT_EQ(readFile("out/climb.gb"), "1");
    EXPECT_EQ(readFile("secret.txt"), "keep me");
    EXPECT_FALSE(QFile::exists(m_temp.path() + "/absolute.gb"));
    EXPECT_FALSE(QFile::exists(m_temp.path() + "/climb.gb"));
}

// Changing the mode of the target by name reached, through a hard link planted at a member's name, a file
// outside the folder; only the file made by the extraction gets its mode set.
TEST_F(ZipLibraryTest, ExtractionNeverChangesAFileHardLinkedIntoTheFolder)
{
    writeFile("mine.gb", "keep me");
    ASSERT_TRUE(QFile::setPermissions(path("mine.gb"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    ASSERT_EQ(
        ::link(QFile::encodeName(path("mine.gb")).constData(), QFile::encodeName(path("out/game.gb")).constData()), 0);
    makeArchive("game.zip", {{"game.gb", "new"}});
    extractTo(path("game.zip"), path("out"));
    EXPECT_EQ(readFile("out/game.gb"), "new");
    EXPECT_TRUE(QFileInfo(path("out/game.gb")).permissions() & QFileDevice::WriteOwner);
    EXPECT_EQ(readFile("mine.gb"), "keep me");
    EXPECT_FALSE(QFileInfo(path("mine.gb")).permissions() & QFileDevice::WriteOwner);
}

// Control characters became parts of file names; a name flagged as UTF-8 that is not made libzip refuse the whole
// archive. Now each costs at most its own member.
TEST_F(ZipLibraryTest, ControlCharactersAndFalseUtf8NamesCostAtMostTheirMember)
{
    makeArchive("names.zip", {{"bad?.gb", "bad"},
                              {"ctl?.gb", "ctl"},
                              {"line\r\nbreak\t.gb", "1"},
                              {"del\x7f.gb", "2"},
                              {"c1\xc2\x85.gb", "3"},
                              {"good.gb", "good"}});
    // Two names become bytes that are no UTF-8 name, flagged as UTF-8 in both of their headers.
    QByteArray bytes = readFile("names.zip");
    for (const auto &[placeholder, name] : {std::pair<QByteArray, QByteArray>{"bad?.gb", "bad\xff.gb"},
                                            std::pair<QByteArray, QByteArray>{"ctl?.gb", "ctl\x07.gb"}}) {
        const qsizetype local = bytes.indexOf(placeholder);
        const qsizetype central = bytes.indexOf(placeholder, local + 1);
        bytes.replace(local, name.size(), name).replace(central, name.size(), name);
        bytes[local - 30 + 7] = char(bytes[local - 30 + 7] | 0x08);
        bytes[central - 46 + 9] = char(bytes[central - 46 + 9] | 0x08);
    }
    writeFile("names.zip", bytes);

    extractTo(path("names.zip"), path("out"));
    EXPECT_EQ(entries("out"), QStringList({"c1_.gb", "del_.gb", "good.gb", "line__break_.gb"}));
    EXPECT_EQ(readFile("out/good.gb"), "good");
}

// Extracted files keep the time the archive stores for them, not the time of extraction.
TEST_F(ZipLibraryTest, ExtractedFilesKeepTheTimeStoredInTheArchive)
{
    const QDateTime stored(QDate(2001, 2, 3), QTime(4, 5, 6));
    makeArchive("old.zip", {{"old.gb", "old", 0100644, ZIP_FL_ENC_UTF_8, false, stored.toSecsSinceEpoch()}});
    extractTo(path("old.zip"), path("out"));
    EXPECT_EQ(QFileInfo(path("out/old.gb")).lastModified(), stored);
}

TEST_F(ZipLibraryTest, ExtractionStopsAtTheSizeBoundsCountingTheBytesReallyInflated)
{
    // Exactly at both bounds still extracts.
    makeFolder("exact");
    const QByteArray exact(1 << 20, 'e');
    makeArchive("exact.zip", {{"one.gb", exact}, {"two.gb", exact}});
    extractTo(path("exact.zip"), path("exact"), {1 << 20, 2 << 20, 2});
    EXPECT_EQ(entries("exact"), QStringList({"one.gb", "two.gb"}));
    EXPECT_EQ(readFile("exact/two.gb"), exact);

    const ExtractionLimits limits{1 << 20, 3 << 20, 100};
    const QByteArray big((1 << 20) + 1, '\0');
    const QByteArray part(900 << 10, 'x');
    makeArchive("sizes.zip", {{"big.gb", big}, {"a.gb", part}, {"b.gb", part}, {"c.gb", part}, {"d.gb", part}});
    extractTo(path("sizes.zip"), path("out"), limits);
    EXPECT_EQ(entries("out"), QStringList({"a.gb", "b.gb", "c.gb"}));

    // Members that declare 1,000 bytes but inflate to more, with a checksum that matches what they inflate
    // to: libzip does not hold them to the declared size. A bomb costs no more than the member bound, so
    // the member after it still fits the archive bound; a smaller liar is dropped as damaged.
    makeFolder("out2");
    makeArchive("bomb.zip", {{"bomb.gb", QByteArray(2 << 20, '\0')}, {"after.gb", part}});
    lieAboutSize("bomb.zip");
    extractTo(path("bomb.zip"), path("out2"), {1 << 20, 2 << 20, 100});
    makeArchive("liar.zip", {{"liar.gb", QByteArray(4096, 'z')}, {"ok.gb", "ok"}});
    lieAboutSize("liar.zip");
    extractTo(path("liar.zip"), path("out2"), limits);
    EXPECT_EQ(entries("out2"), QStringList({"after.gb", "ok.gb"}));
}

TEST_F(ZipLibraryTest, DamagedTruncatedAndEncryptedMembersLeaveNothingHalfWritten)
{
    writeFile("plain.gb", "plain");
    writeFile("locked.gb", "locked");
    ASSERT_EQ(run("zip", {"-q", "-P", "secret", path("mixed.zip"), "locked.gb"}), 0);
    ASSERT_EQ(run("zip", {"-q", path("mixed.zip"), "plain.gb"}), 0);
    extractTo(path("mixed.zip"), path("out"));
    EXPECT_EQ(entries("out"), QStringList({"plain.gb"}));

    // A stored member whose data is damaged fails its checksum; the member after it still comes out.
    makeFolder("out2");
    makeArchive("damaged.zip",
                {{"bad.gb", QByteArray(4096, 'r'), 0100644, ZIP_FL_ENC_UTF_8, true}, {"good.gb", "good"}});
    QByteArray bytes = readFile("damaged.zip");
    bytes[bytes.indexOf(QByteArray(64, 'r')) + 100] = 'X';
    writeFile("damaged.zip", bytes);
    writeFile("out2/bad.gb", "previous");
    extractTo(path("damaged.zip"), path("out2"));
    EXPECT_EQ(entries("out2"), QStringList({"bad.gb", "good.gb"}));
    EXPECT_EQ(readFile("out2/bad.gb"), "previous");

    // A truncated file raises nothing and writes nothing.
    makeFolder("out3");
    writeFile("cut.zip", readFile("mixed.zip").left(100));
    extractTo(path("cut.zip"), path("out3"));
    extractTo(path("missing.zip"), path("out3"));
    EXPECT_TRUE(entries("out3").isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

} // namespace
