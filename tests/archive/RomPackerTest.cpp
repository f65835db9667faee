#include "ArchiveTestSupport.h"

#include "archive/RomPacker.h"
#include "archive/ZipLibrary.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"

#include <QFile>
#include <QFileInfo>

namespace {

class RomPackerTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        makeFolder("roms");
        writeFile("roms/game.gb", romImage("GAME", 64 * 1024));
    }

    RomPacker::Selection select(const QString &name) const
    {
        return {path("roms/" + name), stemOf(path("roms/" + name)), {path("roms/" + name)}};
    }

    RomPacker::Result pack(const QString &name, const CompressionOptions &options, RomPacker::NamePrompt prompt = {},
                           Progress progress = {})
    {
        return RomPacker(path("roms"), options, std::move(prompt), std::move(progress)).pack(select(name));
    }
};

TEST_F(RomPackerTest, TheStemNamesANewArchiveBesideTheRomWhichStays)
{
    const RomPacker::Result result = pack("game.gb", {});
    EXPECT_EQ(result.outcome, RomPacker::Outcome::Packed);
    EXPECT_TRUE(result.rereadList());
    EXPECT_EQ(result.archive, path("roms/game.zip"));
    EXPECT_EQ(run("unzip", {"-t", "-q", path("roms/game.zip")}), 0);
    EXPECT_EQ(listing("roms/game.zip"), QStringList{"game.gb"});
    EXPECT_EQ(readFile("roms/game.gb"), romImage("GAME", 64 * 1024));
    EXPECT_EQ(m_messages.shown, QStringList{archived});
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

TEST_F(RomPackerTest, ArchivesAndAMissingSelectionAreNeverPacked)
{
    for (const QString name : {"game.zip", "game.ZIP", "game.Zip", "game.zipx"}) {
        writeFile("roms/" + name, "not to be packed");
        const RomPacker::Result result = pack(name, {});
        EXPECT_EQ(result.outcome, RomPacker::Outcome::NothingToDo) << qPrintable(name);
        EXPECT_FALSE(result.rereadList());
    }
    EXPECT_EQ(RomPacker(path("roms"), {}).pack({}).outcome, RomPacker::Outcome::NothingToDo);
    EXPECT_EQ(entries("roms"), QStringList({"game.ZIP", "game.Zip", "game.gb", "game.zip", "game.zipx"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(RomPackerTest, TheTypedNameIsUsedAsTypedAndACancelledOrEmptyAnswerPacksNothing)
{
    CompressionOptions ask;
    ask.askName = true;
    int asked = 0;
    const auto answer = [&asked](std::optional<QString> text) {
        return [&asked, text] {
            ++asked;
            return text;
        };
    };

    EXPECT_EQ(pack("game.gb", ask, answer(std::nullopt)).outcome, RomPacker::Outcome::NothingToDo);
    EXPECT_EQ(pack("game.gb", ask, answer(QString())).outcome, RomPacker::Outcome::NothingToDo);
    EXPECT_EQ(entries("roms"), QStringList{"game.gb"});

    const RomPacker::Result result = pack("game.gb", ask, answer(QStringLiteral("game.zip")));
    EXPECT_EQ(result.outcome, RomPacker::Outcome::Packed);
    EXPECT_EQ(result.archive, path("roms/game.zip.zip"));
    EXPECT_EQ(listing("roms/game.zip.zip"), QStringList{"game.gb"});
    EXPECT_EQ(asked, 3);

    // Without the option the prompt is never asked.
    pack("game.gb", {}, answer(QStringLiteral("other")));
    EXPECT_EQ(asked, 3);
}

TEST_F(RomPackerTest, AnExistingFileOfTheArchiveNameIsLeftUntouchedSilentlyAndTheRomKept)
{
    CompressionOptions deleting;
    deleting.deleteRom = true;
    writeFile("roms/other.gb", "other");
    ASSERT_EQ(run("zip", {"-j", "-q", path("roms/game.zip"), path("roms/other.gb")}), 0);
    const QByteArray before = readFile("roms/game.zip");

    const RomPacker::Result result = pack("game.gb", deleting);
    EXPECT_EQ(result.outcome, RomPacker::Outcome::NotPacked);
    EXPECT_TRUE(result.rereadList());
    EXPECT_FALSE(result.romDeleted);
    EXPECT_EQ(readFile("roms/game.zip"), before);
    EXPECT_TRUE(QFile::exists(path("roms/game.gb")));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());

    // A dangling link in its place is not replaced either.
    writeFile("roms/linked.gb", "linked");
    ASSERT_TRUE(QFile::link(path("nowhere"), path("roms/linked.zip")));
    EXPECT_EQ(pack("linked.gb", deleting).outcome, RomPacker::Outcome::NotPacked);
    EXPECT_TRUE(QFileInfo(path("roms/linked.zip")).isSymLink());
    EXPECT_TRUE(QFile::exists(path("roms/linked.gb")));
}

TEST_F(RomPackerTest, TheRomIsDeletedOnlyOnceANewArchiveHoldsItWhole)
{
    CompressionOptions deleting;
    deleting.deleteRom = true;
    QFile::setPermissions(path("roms/game.gb"), QFileDevice::ReadOwner);

    const RomPacker::Result result = pack("game.gb", deleting);
    EXPECT_EQ(result.outcome, RomPacker::Outcome::Packed);
    EXPECT_TRUE(result.romDeleted);
    EXPECT_FALSE(QFile::exists(path("roms/game.gb")));
    makeFolder("out");
    ASSERT_EQ(run("unzip", {"-q", "-o", path("roms/game.zip"), "-d", path("out")}), 0);
    EXPECT_EQ(readFile("out/game.gb"), romImage("GAME", 64 * 1024));

    // A name no archive can be written under: the failure is said and the ROM stays.
    writeFile("roms/second.gb", "second");
    deleting.askName = true;
    const RomPacker::Result failed = pack("second.gb", deleting, [] { return QStringLiteral("no/such/folder"); });
    EXPECT_EQ(failed.outcome, RomPacker::Outcome::NotPacked);
    EXPECT_FALSE(failed.romDeleted);
    EXPECT_EQ(readFile("roms/second.gb"), "second");
    EXPECT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors.value(0).contains("folder.zip")) << qPrintable(m_messages.errors.value(0));

    // A file list that lacks the ROM makes an archive without it: the ROM stays.
    writeFile("roms/third.gb", "third");
    writeFile("roms/notes.txt", "notes");
    const RomPacker::Selection lacking{path("roms/third.gb"), "third", {path("roms/notes.txt")}};
    EXPECT_FALSE(RomPacker(path("roms"), {.deleteRom = true}).pack(lacking).romDeleted);
    EXPECT_EQ(readFile("roms/third.gb"), "third");
}

TEST_F(RomPackerTest, CancellingLeavesTheDiskAsItWas)
{
    writeFile("roms/big.gb", QByteArray(4 << 20, 'x'));
    CompressionOptions deleting;
    deleting.deleteRom = true;
    QList<std::pair<int, int>> heard;
    const RomPacker::Result result = pack("big.gb", deleting, {}, [&heard](int done, int total) {
        heard.append({done, total});
        return false;
    });
    EXPECT_EQ(result.outcome, RomPacker::Outcome::Cancelled);
    EXPECT_TRUE(result.rereadList());
    EXPECT_EQ(heard.value(0), std::make_pair(0, 1));
    EXPECT_EQ(entries("roms"), QStringList({"big.gb", "game.gb"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());

    // Going on hears the end.
    heard.clear();
    EXPECT_EQ(pack("big.gb", {}, {},
                   [&heard](int done, int total) {
                       heard.append({done, total});
                       return true;
                   })
                  .outcome,
              RomPacker::Outcome::Packed);
    EXPECT_EQ(heard.last(), std::make_pair(1, 1));
}

} // namespace
