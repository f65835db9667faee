#include "TestSupport.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "library/FileOperations.h"
#include "library/GameFiles.h"
#include "library/RenameText.h"
#include "library/TitleRenamer.h"
#include "platform/ErrorHandler.h"
#include "platform/FileRename.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

const QString notFound = QString::fromUtf8("Título no encontrado");
const QString namesChanged = QStringLiteral("Los nombres fueron cambiados");

// ROMs in base/roms; the title list in the base folder.
class FileOperationsTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        makeFolder("roms");
    }

    QString rom(const QString &name) const { return path("roms/" + name); }
    QStringList roms() const { return folderEntries(path("roms")); }
    void writeTitles(const QByteArray &ini) const { writeFile("Titulos.ini", ini); }

    bool renameInFolder(const QString &name, const QString &newName) const
    {
        FileOperations::FolderNames names(path("roms"));
        return FileOperations::renameInFolder(rom(name), newName, names);
    }

    // Renames the files in order as "Renombrar archivos a títulos" does, noting the stems it passes through.
    TitleRenamer::Result renameAll(const QStringList &names)
    {
        QStringList files;
        for (const QString &name : names)
            files.append(rom(name));
        TitleRenamer renamer({[this](const TitleExtraction::Shown &shown) { extracted.append(shown.titleLabel); },
                              [this](const QString &stem) { stems.append(stem); }});
        return renamer.renameAll(files);
    }

    bool renameSelected(const QString &name, const QString &stem)
    {
        TitleRenamer renamer({[this](const TitleExtraction::Shown &shown) { extracted.append(shown.titleLabel); }, {}});
        return renamer.renameSelected(rom(name), stem);
    }

    QStringList extracted; // the title label after each extraction
    QStringList stems;     // the current stem, file by file
};

// ---- Never replacing a file ----

TEST_F(FileOperationsTest, ANameHeldByAnotherEntryInAnyCaseRenamesNothing)
{
    writeFile("roms/game.gb", "game");
    writeFile("roms/TETRIS.GB", "tetris");
    makeFolder("roms/Folder.gb");

    EXPECT_FALSE(renameInFolder("game.gb", "TETRIS.GB"));
    EXPECT_FALSE(renameInFolder("game.gb", "Tetris.gb"));
    EXPECT_FALSE(renameInFolder("game.gb", "folder.GB"));
    EXPECT_EQ(readFile("roms/game.gb"), "game");
    EXPECT_EQ(readFile("roms/TETRIS.GB"), "tetris");

    // The rename itself refuses an existing name, should one appear after the folder was looked at, and
    // renames nothing from a missing file or through a name that a NUL would cut short.
    EXPECT_FALSE(FileRename::renameWithoutReplacing(rom("game.gb"), rom("TETRIS.GB")));
    EXPECT_FALSE(FileRename::renameWithoutReplacing(rom("missing.gb"), rom("other.gb")));
    EXPECT_FALSE(FileRename::renameWithoutReplacing(rom("game.gb"), rom(QStringLiteral("x") + QChar(0) + "y")));
    EXPECT_FALSE(FileRename::renameWithoutReplacing(rom(QStringLiteral("game.gb") + QChar(0) + "z"), rom("x.gb")));
    EXPECT_EQ(readFile("roms/TETRIS.GB"), "tetris");
    EXPECT_EQ(roms(), QStringList({"Folder.gb", "TETRIS.GB", "game.gb"}));

    // The file's own name in another case is no obstacle, and its own name is the name it has.
    EXPECT_TRUE(renameInFolder("game.gb", "game.gb"));
    EXPECT_TRUE(renameInFolder("game.gb", "GAME.gb"));
    EXPECT_EQ(readFile("roms/GAME.gb"), "game");
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

// ---- One file to its title ----

TEST_F(FileOperationsTest, AFileTakesItsStoredTitleAsReadAndTheEntryStaysUnderTheOldStem)
{
    writeFile("roms/game.gb", romImage("GAME"));
    writeFile("roms/long.gb", romImage("LONG"));
    // The stored line holds at most 255 characters: a 249-character title reads back cut to 248.
    writeTitles("[game]\r\nTitulo=TETRIS\r\n\r\n[long]\r\nTitulo=" + QByteArray(249, 'T') + "\r\n\r\n");

    EXPECT_TRUE(renameSelected("game.gb", "game"));
    EXPECT_TRUE(renameSelected("long.gb", "long"));
    EXPECT_EQ(roms(), QStringList({"TETRIS.gb", QString(248, 'T') + ".gb"}));
    EXPECT_TRUE(readFile("Titulos.ini").startsWith("[game]\r\nTitulo=TETRIS\r\n\r\n[long]"));
    EXPECT_TRUE(extracted.isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(FileOperationsTest, AFileWithoutAnEntryHasItsTitleExtractedFirst)
{
    writeFile("roms/game.gb", romImage("TETRIS"));
    EXPECT_TRUE(renameSelected("game.gb", "game"));
    EXPECT_EQ(readFile("Titulos.ini"), "[game]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(extracted, QStringList{"TETRIS"});
    EXPECT_EQ(roms(), QStringList{"TETRIS.gb"});

    // An archive holding one ROM keeps its own extension.
    writeFile("TETRIS.gb", romImage("PUZZLE"));
    ASSERT_EQ(QProcess::execute("zip", {"-j", "-q", rom("juego.zip"), path("TETRIS.gb")}), 0);
    EXPECT_TRUE(renameSelected("juego.zip", "juego"));
    EXPECT_EQ(roms(), QStringList({"PUZZLE.zip", "TETRIS.gb"}));
}

TEST_F(FileOperationsTest, AnEmptyTitleIsReportedAndTheFileKeepsItsNameButLosesItsReadOnlyMark)
{
    writeFile("roms/blank.gb", romImage(QByteArray("\xFF\x01", 2)));
    QFile::setPermissions(rom("blank.gb"), QFileDevice::ReadOwner);

    EXPECT_FALSE(renameSelected("blank.gb", "blank"));
    EXPECT_EQ(m_messages.shown, QStringList{notFound});
    EXPECT_EQ(roms(), QStringList{"blank.gb"});
    EXPECT_TRUE(QFile::permissions(rom("blank.gb")) & QFileDevice::WriteOwner);
    EXPECT_EQ(readFile("Titulos.ini"), "[blank]\r\nTitulo=\r\n\r\n");
}

// Broke when a title was joined to the folder as it stood: "../x" moved the file out of the ROM folder; and a
// title holding : * ? " < > | made a name that a Windows copy of the collection cannot open.
TEST_F(FileOperationsTest, NamesAndTitlesThatWouldLeaveTheFolderRenameNothingSilently)
{
    makeFolder("roms/sub");
    writeFile("roms/game.gb", romImage("GAME"));
    for (const QString name : {"", ".", "..", "../game.gb", "sub/game.gb", "a\\b.gb", "game.gb", "GAME.gb"})
        EXPECT_FALSE(FileOperations::renameByHand(rom("game.gb"), name)) << qPrintable(name);
    EXPECT_FALSE(FileOperations::renameByHand(rom("game.gb"), QStringLiteral("x") + QChar(0) + ".gb"));
    for (const QByteArray title : {"../escaped", "sub/game", "..\\escaped", ".", "..", "Zelda: DX", "What?", "A*B",
                                   "\"Q\"", "<x>", "a|b", "tab\there"}) {
        writeTitles("[game]\r\nTitulo=" + title + "\r\n\r\n");
        EXPECT_FALSE(renameSelected("game.gb", "game")) << title.constData();
    }
    EXPECT_EQ(roms(), QStringList({"game.gb", "sub"}));
    EXPECT_TRUE(QDir(path("roms/sub")).isEmpty());
    EXPECT_EQ(folderEntries(m_base), QStringList({"Titulos.ini", "roms"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

// ---- Every file ----

TEST_F(FileOperationsTest, RenamingAllGoesRowByRowAndReportsOnceAtTheEnd)
{
    writeFile("roms/a.gb", romImage("TETRIS"));
    writeFile("roms/b.gbc", romImage("ZELDA"));
    writeFile("roms/c.gb", romImage("OTHER"));
    writeFile("roms/d.gb", romImage(""));
    writeTitles("[b]\r\nTitulo=TETRIS\r\n\r\n[c]\r\nTitulo=TETRIS\r\n\r\n");

    const auto result = renameAll({"a.gb", "b.gbc", "c.gb", "d.gb"});

    // b keeps its title's name with its own extension; c finds TETRIS.gb taken and keeps its name.
    EXPECT_EQ(result.renamed, 2);
    EXPECT_EQ(roms(), QStringList({"TETRIS.gb", "TETRIS.gbc", "c.gb", "d.gb"}));
    EXPECT_EQ(stems, QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(extracted, QStringList({"TETRIS", notFound}));
    EXPECT_EQ(m_messages.shown, QStringList({notFound, namesChanged}));
    EXPECT_EQ(readFile("Titulos.ini"), "[b]\r\nTitulo=TETRIS\r\n\r\n[c]\r\nTitulo=TETRIS\r\n\r\n"
                                       "[a]\r\nTitulo=TETRIS\r\n\r\n[d]\r\nTitulo=\r\n\r\n");
}

// A name holding a line break, or one that is not text, ended the run at its row.
TEST_F(FileOperationsTest, RenamingAllSkipsNamesNoListCanHoldAndGoesOn)
{
    writeFile("roms/two\nlines.gb", romImage("TWO"));
    const QString latin1 = writeRawNamed(path("roms"), "Pok\xe9mon.gb", romImage("POKEMON"));
    writeFile("roms/z.gb", romImage("ZELDA"));
    const auto result = renameAll({latin1, "two\nlines.gb", "z.gb"});
    EXPECT_EQ(result.renamed, 1);
    EXPECT_EQ(result.skipped, 2);
    EXPECT_EQ(roms(), QStringList({"ZELDA.gb", "two\nlines.gb"})); // Qt lists no name that is not text
    EXPECT_EQ(::access((QFile::encodeName(path("roms")) + "/Pok\xe9mon.gb").constData(), F_OK), 0);
    const MessageTable &table = messageTable();
    EXPECT_EQ(m_messages.shown, QStringList({table.text(SafetyText::NameWithLineBreak).arg("two lines.gb"),
                                             namesChanged, table.text(SafetyText::UndecodableNamesSkipped).arg(1)}));
}

// The folder's names were read once for the run: a title taken in one folder kept the files of the next
// from it.
TEST_F(FileOperationsTest, RenamingAllOverTwoFoldersLooksEachFolderUp)
{
    makeFolder("more");
    writeFile("roms/TETRIS.gb", "taken");
    writeFile("roms/a.gb", romImage("TETRIS"));
    writeFile("more/b.gb", romImage("TETRIS"));
    const auto result = TitleRenamer().renameAll({rom("a.gb"), path("more/b.gb")});
    EXPECT_EQ(result.renamed, 1);
    EXPECT_EQ(roms(), QStringList({"TETRIS.gb", "a.gb"}));
    EXPECT_EQ(folderEntries(path("more")), QStringList{"TETRIS.gb"});
}

TEST_F(FileOperationsTest, AnUnreadableRomEndsTheRunKeepingTheTitlesAndNamesBeforeIt)
{
    writeFile("roms/first.gb", romImage("FIRST"));
    makeFolder("roms/folder.gb");
    writeFile("roms/last.gb", romImage("LAST"));
    try {
        renameAll({"first.gb", "folder.gb", "last.gb"});
        FAIL() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().contains("folder.gb")) << qPrintable(error.text());
    }
    EXPECT_EQ(readFile("Titulos.ini"), "[first]\r\nTitulo=FIRST\r\n\r\n");
    EXPECT_EQ(roms(), QStringList({"FIRST.gb", "folder.gb", "last.gb"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

// ---- What goes along ----

TEST(GameFilesTest, ACompanionIsKnownByItsKindsEndingAndHasAStemBeforeIt)
{
    using GF = GameFiles;
    // Each name with the length of the stem it has as a companion of the kinds; -1 when it is none.
    const QStringList saves{"Game.sav=4", "a.b.SRM=3", "g.rtc=1", "g.ss0=1", "g.SS9=1", "g.ss10=-1",
                            "g.ssa=-1",   "g.s/=-1",   ".sav=-1", "sav=-1",  "g.bmp=-1"};
    const QStringList states{"g.state=1",          "g.state12=1",        "g.State.Auto=1",
                             "g.state3.png=1",     "g.state.auto.png=1", "g.statement=-1",
                             "g.state.png.bak=-1", ".state1.png=-1",     "g.cheats=-1"};
    const QStringList cheats{"g.Cheats=1", "g.sav=-1", "g.state=-1"};
    const QStringList shots{"g.bmp=1", "g.JPEG=1", "g.jpg=1", "g.png=-1", "g.sav=-1"};
    const QStringList beside{"g.jpg=-1", "g.cheats=1", "g.sav=1"};
    const QList<std::pair<unsigned, QStringList>> cases{{GF::Saves, saves},
                                                        {GF::Saves, states},
                                                        {GF::Cheats, cheats},
                                                        {GF::Shots, shots},
                                                        {GF::Saves | GF::Cheats, beside}};
    for (const auto &[kinds, names] : cases) {
        for (const QString &name : names) {
            const qsizetype cut = name.lastIndexOf(u'=');
            EXPECT_EQ(GF::companionStemLength(name.left(cut), kinds), name.mid(cut + 1).toInt()) << qPrintable(name);
        }
    }
}

TEST(FileNameRulesTest, NamesThatLeaveTheFolderOrReadAsAnotherAreRefused)
{
    for (const QString &name : QStringList{"", ".", "..", "a/b", "a\\b", "a" + QString(QChar(0)) + "b"})
        EXPECT_TRUE(FileOperations::isRefusedName(name)) << qPrintable(name);
    EXPECT_FALSE(FileOperations::isRefusedName("...gb"));
    // A DAT's names: a title's refusals, then a leading dot and any control or format character.
    for (const QString name : {"A:B", "a\x7F", "a\u0085b", ".hidden", "\u202Eexe.gb", "a\u200Bb", "a\U000E0001b", ".",
                               "..", "a/b", "a\\b"})
        EXPECT_FALSE(FileOperations::isUsableForeignName(name)) << qPrintable(name);
    for (const QString name : {"Tetris (World) (Rev 1)", "Pokémon - Edición Roja", "a.b", "東京", "a\U0001F600b"})
        EXPECT_TRUE(FileOperations::isUsableForeignName(name)) << qPrintable(name);
}

// Broke when a game renamed to its title lost its battery save, shots and play records to the old stem.
TEST_F(FileOperationsTest, RenamingToTitlesTakesSavesShotsAndRecordsAlongButLeavesTheTitle)
{
    writeFile("roms/game.gb", romImage("GAME"));
    writeFile("roms/game.sav", "save");
    writeFile("roms/tetris.gb", romImage("TETRIS"));
    writeFile("roms/tetris.rtc", "clock"); // TETRIS.gb looks for TETRIS.rtc where case counts
    writeFile("roms/tetris.sav", "save");
    writeFile("roms/TETRIS.sav", "another"); // takes the name, so tetris.sav stays
    writeFile("roms/both.gb", romImage("BOTH"));
    writeFile("roms/both.gbc", "color"); // keeps the stem "both", and with it the save
    writeFile("roms/both.sav", "both");
    writeFile("roms/game2.gb", romImage("MARIO"));
    writeFile("roms/game2.sav", "mario"); // renamed after others of the same run
    makeFolder("Shoots");
    writeFile("Shoots/GAME.BMP", "shot");
    makeFolder("Copias/game"); // the copies of its saves
    writeFile("Copias/game/2026-12-08 14-03-22.sav", "old save");
    makeFolder("Copias/both"); // stays with both.gbc
    writeTitles("[game]\r\nTitulo=ZELDA\r\n\r\n[link]\r\nTitulo=LINK\r\n\r\n");
    writeFile("Partidas.ini", "[game]\r\nVeces=2\r\n\r\n[both]\r\nVeces=5\r\n\r\n");

    EXPECT_TRUE(renameSelected("game.gb", "game"));
    EXPECT_EQ(renameAll({"both.gb", "tetris.gb", "game2.gb"}).renamed, 3);

    EXPECT_EQ(roms(), QStringList({"BOTH.gb", "MARIO.gb", "MARIO.sav", "TETRIS.gb", "TETRIS.rtc", "TETRIS.sav",
                                   "ZELDA.gb", "ZELDA.sav", "both.gbc", "both.sav", "tetris.sav"}));
    EXPECT_EQ(folderEntries(path("Shoots")), QStringList{"ZELDA.BMP"});
    EXPECT_EQ(folderEntries(path("Copias")), (QStringList{"ZELDA", "both"}));
    EXPECT_EQ(readFile("Copias/ZELDA/2026-12-08 14-03-22.sav"), "old save");
    EXPECT_EQ(readFile("Partidas.ini"), "[both]\r\nVeces=5\r\n\r\n[ZELDA]\r\nVeces=2\r\n\r\n");
    EXPECT_TRUE(readFile("Titulos.ini").startsWith("[game]\r\nTitulo=ZELDA\r\n\r\n"));
    EXPECT_EQ(m_messages.shown,
              QStringList({namesChanged,
                           messageTable().text(RenameText::CompanionStays).arg(rom("tetris.sav"), "TETRIS.sav")}));

    // Records that cannot be written stay, and the message says why; the file is renamed all the same.
    m_messages.shown.clear();
    QFile::setPermissions(path("Partidas.ini"), QFileDevice::ReadOwner);
    EXPECT_TRUE(renameSelected("ZELDA.gb", "link"));
    EXPECT_EQ(readFile("roms/LINK.sav"), "save");
    EXPECT_EQ(readFile("Partidas.ini"), "[both]\r\nVeces=5\r\n\r\n[ZELDA]\r\nVeces=2\r\n\r\n");
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].contains("Partidas.ini")) << qPrintable(m_messages.shown[0]);
}

} // namespace
