#include "ArchiveTestSupport.h"

#include "archive/RomUnpacker.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

const SingleRomMessages titleTexts{Msg::TitleNoRomStart, Msg::TitleNoRomEnd, Msg::TitleManyRomsStart,
                                   Msg::TitleManyRomsEnd};

// The ROM folder is base/roms; "Descomprimir" puts the ROMs into its parent, the base folder.
class RomUnpackerTest : public ArchiveTest
{
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        makeFolder("roms");
        makeFolder("src");
    }

    RomUnpacker::Outcome unpack(const QString &archive, const Progress &progress = {}) const
    {
        const QString full = path("roms/" + archive);
        return RomUnpacker::unpackSelected(full, RomUnpacker::targetFolderFor(full), progress);
    }

    // Packs files of base/src with Info-ZIP into roms/<archive>.
    void infoZip(const QString &archive, const QStringList &files) const
    {
        QStringList arguments{"-j", "-q", path("roms/" + archive)};
        for (const QString &file : files)
            arguments.append(path("src/" + file));
        ASSERT_EQ(run("zip", arguments), 0);
    }

    QStringList extractionLeftovers() const { return entriesOf(Places::extractionFolder()); }

    // The title-extraction way in: the ROM's bytes, or nothing.
    std::optional<QByteArray> singleRom(const QString &archive) const
    {
        std::optional<QByteArray> bytes;
        RomUnpacker::withSingleRom(path("roms/" + archive), titleTexts, [&bytes](const QString &rom) {
            QFile file(rom);
            if (file.open(QIODevice::ReadOnly))
                bytes = file.readAll();
        });
        return bytes;
    }
};

// The file replaced was lost outright: a wrong click cost the user's own ROM.
TEST_F(RomUnpackerTest, TheRomGoesToTheParentOfTheRomFolderReplacingAReadOnlyFileMovedToTheTrash)
{
    writeFile("src/game.gb", romImage("GAME"));
    writeFile("src/notes.txt", "notes");
    infoZip("game.zip", {"game.gb", "notes.txt"});
    writeFile("game.gb", "stale");
    QFile::setPermissions(path("game.gb"), QFileDevice::ReadOwner);
    // What an earlier use left in the extraction folder is neither copied nor counted.
    ASSERT_TRUE(Places::ensureExtractionFolder());
    writeFile("src/stray.gb", "stray");
    ASSERT_TRUE(QFile::copy(path("src/stray.gb"), Places::extractionFolder() + "/stray.gb"));

    EXPECT_EQ(unpack("game.zip"), RomUnpacker::Outcome::Done);

    EXPECT_EQ(readFile("game.gb"), romImage("GAME"));
    EXPECT_EQ(m_trash.moved, QStringList{path("game.gb")});
    EXPECT_FALSE(QFile::exists(path("notes.txt")));
    EXPECT_FALSE(QFile::exists(path("stray.gb")));
    EXPECT_EQ(entries("roms"), QStringList{"game.zip"});
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(extractionLeftovers().isEmpty());

    // A file the trash refuses stays, and that is said.
    writeFile("game.gb", "mine");
    m_trash.works = false;
    unpack("game.zip");
    EXPECT_EQ(readFile("game.gb"), "mine");
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors[0].contains(path("game.gb"))) << qPrintable(m_messages.errors[0]);
    EXPECT_EQ(entries(""), QStringList({"game.gb", "roms", "src"}));
}

TEST_F(RomUnpackerTest, TwoRomsAreCountedInTheMessageAndBothCopied)
{
    writeFile("src/one.gb", romImage("ONE"));
    writeFile("src/TWO.GBC", romImage("TWO"));
    infoZip("pair.zip", {"one.gb", "TWO.GBC"});

    unpack("pair.zip");

    EXPECT_EQ(m_messages.shown, QStringList{"El archivo pair.zip contiene 2 Roms"});
    EXPECT_EQ(readFile("one.gb"), romImage("ONE"));
    EXPECT_EQ(readFile("TWO.GBC"), romImage("TWO"));
    EXPECT_TRUE(extractionLeftovers().isEmpty());

    // The single-ROM way in refuses it with its caller's message.
    m_messages.shown.clear();
    EXPECT_EQ(singleRom("pair.zip"), std::nullopt);
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("Imposible encontrar nombre, el archivo pair.zip contiene "
                                            "más de una ROM")});
}

TEST_F(RomUnpackerTest, OnlyGbAndGbcCountAsRoms)
{
    writeFile("src/colour.cgb", romImage("COLOUR"));
    writeFile("src/super.sgb", romImage("SUPER"));
    infoZip("other.zip", {"colour.cgb", "super.sgb"});

    unpack("other.zip");

    EXPECT_EQ(m_messages.shown, QStringList{"El archivo, other.zip  no contiene Roms"});
    EXPECT_EQ(entries(""), QStringList({"roms", "src"}));
    EXPECT_EQ(singleRom("other.zip"), std::nullopt);
    EXPECT_EQ(m_messages.shown.value(1), "Imposible encontrar nombre  , other.zip  no es un juego");
    EXPECT_TRUE(extractionLeftovers().isEmpty());
}

TEST_F(RomUnpackerTest, TheSingleRomIsUsedFromTheTemporaryFolderWhichIsEmptiedEvenWhenItsUseFails)
{
    writeFile("src/Game.GB", romImage("SOLO"));
    infoZip("solo.zip", {"Game.GB"});
    EXPECT_EQ(singleRom("solo.zip"), romImage("SOLO"));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(extractionLeftovers().isEmpty());

    EXPECT_THROW(RomUnpacker::withSingleRom(path("roms/solo.zip"), titleTexts,
                                            [](const QString &) { throw CartlingError("unreadable"); }),
                 CartlingError);
    EXPECT_TRUE(extractionLeftovers().isEmpty());
}

TEST_F(RomUnpackerTest, RootFolderArchivesTargetTheRootFolder)
{
    EXPECT_EQ(RomUnpacker::targetFolderFor("/game.zip"), QString());
    EXPECT_EQ(RomUnpacker::targetFolderFor("C:/game.zip"), QString());
    EXPECT_EQ(RomUnpacker::targetFolderFor("C:/roms/game.zip"), "C:");
}

TEST_F(RomUnpackerTest, ATargetThatCannotBeWrittenIsReportedAndKeepsItsFile)
{
    writeFile("src/game.gb", romImage("NEW"));
    infoZip("game.zip", {"game.gb"});
    // A folder that does not exist, and a folder standing where the ROM should go (permissions would not
    // stop a test run as root).
    makeFolder("blocked/game.gb");
    writeFile("blocked/game.gb/inside", "old");

    RomUnpacker::unpackSelected(path("roms/game.zip"), path("missing"));
    RomUnpacker::unpackSelected(path("roms/game.zip"), path("blocked"));

    EXPECT_EQ(readFile("blocked/game.gb/inside"), "old");
    EXPECT_EQ(entries("blocked"), QStringList{"game.gb"});
    EXPECT_EQ(m_messages.errors,
              QStringList({"Unable to write to " + QDir::toNativeSeparators(path("missing/game.gb")),
                           "Unable to write to " + QDir::toNativeSeparators(path("blocked/game.gb"))}));
    EXPECT_TRUE(extractionLeftovers().isEmpty());
}

TEST_F(RomUnpackerTest, HostileArchivesGiveNoRomOrExtractSafely)
{
    writeFile("secret.gb", "keep me");
    // Path traversal, an absolute name and links: the ROMs land flat in the target, nothing outside.
    makeArchive("roms/climb.zip", {{"../../climb.gb", "climb"},
                                   {QFile::encodeName(m_temp.path() + "/absolute.gb"), "absolute"},
                                   {"link.gb", QFile::encodeName(path("secret.gb")), 0120777},
                                   {"dirlink", QFile::encodeName(m_base), 0120777},
                                   {".hidden.gb", "hidden"}});
    unpack("climb.zip");
    EXPECT_EQ(m_messages.shown, QStringList{"El archivo climb.zip contiene 2 Roms"});
    EXPECT_EQ(readFile("climb.gb"), "climb");
    EXPECT_EQ(readFile("absolute.gb"), "absolute");
    EXPECT_EQ(readFile("secret.gb"), "keep me");
    EXPECT_FALSE(QFile::exists(m_temp.path() + "/climb.gb"));
    EXPECT_TRUE(extractionLeftovers().isEmpty());

    // A bomb that lies about its size, a truncated archive, an encrypted member, something that is no
    // archive at all: no ROM.
    makeArchive("roms/bomb.zip", {{"bomb.gb", QByteArray(70 << 20, '\0')}});
    lieAboutSize("roms/bomb.zip");
    writeFile("src/locked.gb", romImage("LOCKED"));
    ASSERT_EQ(run("zip", {"-j", "-q", "-P", "secret", path("roms/locked.zip"), path("src/locked.gb")}), 0);
    QByteArray whole = romImage("WHOLE", 256 * 1024);
    QRandomGenerator random(13);
    for (int i = 0x150; i < whole.size(); ++i)
        whole[i] = char(random.bounded(256));
    writeFile("src/whole.gb", whole);
    infoZip("whole.zip", {"whole.gb"});
    ASSERT_GT(readFile("roms/whole.zip").size(), 200000);
    writeFile("roms/cut.zip", readFile("roms/whole.zip").left(100000));
    writeFile("roms/text.zip", "just text");
    for (const QString archive : {"bomb.zip", "locked.zip", "cut.zip", "text.zip"}) {
        m_messages.shown.clear();
        unpack(archive);
        EXPECT_EQ(m_messages.shown, QStringList{"El archivo, " + archive + "  no contiene Roms"});
        EXPECT_TRUE(extractionLeftovers().isEmpty()) << qPrintable(archive);
    }
    EXPECT_EQ(entries(""), QStringList({"absolute.gb", "climb.gb", "roms", "secret.gb", "src"}));
}

TEST_F(RomUnpackerTest, CancellingCopiesNothingAndEmptiesTheTemporaryFolder)
{
    writeFile("src/a.gb", "a");
    writeFile("src/b.gb", "b");
    infoZip("two.zip", {"a.gb", "b.gb"});
    int calls = 0;
    EXPECT_EQ(unpack("two.zip",
                     [&calls](int done, int total) {
                         ++calls;
                         EXPECT_EQ(total, 2);
                         return done < 1;
                     }),
              RomUnpacker::Outcome::Cancelled);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(entries(""), QStringList({"roms", "src"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(extractionLeftovers().isEmpty());
}

TEST_F(RomUnpackerTest, AnExtractionFolderThatIsALinkIsRefusedAndNothingExtracted)
{
    writeFile("src/game.gb", romImage("GAME"));
    infoZip("game.zip", {"game.gb"});
    const QString folder = Places::extractionFolder();
    QDir(folder).removeRecursively();
    makeFolder("elsewhere");
    ASSERT_TRUE(QFile::link(path("elsewhere"), folder));

    EXPECT_THROW(unpack("game.zip"), CartlingError);
    EXPECT_TRUE(entries("elsewhere").isEmpty());
    EXPECT_FALSE(QFile::exists(path("game.gb")));
    QFile::remove(folder);
}

} // namespace
