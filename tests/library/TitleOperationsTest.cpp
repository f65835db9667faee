#include "TestSupport.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "library/TitleExtraction.h"
#include "library/TitleListGenerator.h"
#include "library/TitleLists.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

const QString generated = QStringLiteral("Lista Generada Exitosamente");

// ROMs in base/roms; the lists in the base folder.
class TitleOperationsTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        makeFolder("roms");
        makeFolder("src");
    }

    QString rom(const QString &name) const { return path("roms/" + name); }

    // Packs files of base/src with Info-ZIP into roms/<archive>, never through a shell.
    void infoZip(const QString &archive, const QStringList &files) const
    {
        QStringList arguments{"-j", "-q", rom(archive)};
        for (const QString &file : files)
            arguments.append(path("src/" + file));
        ASSERT_EQ(QProcess::execute("zip", arguments), 0);
    }

    TitleListGenerator::Result generate(const QStringList &names, bool replace, const QString &list = "Titulos.ini",
                                        Progress progress = {}) const
    {
        QStringList files;
        for (const QString &name : names)
            files.append(rom(name));
        return TitleListGenerator(path(list), replace, std::move(progress)).generate(files);
    }

    bool leftoversInExtractionFolder() const
    {
        return !QDir(Places::extractionFolder())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
                    .isEmpty();
    }
};

// ---- One file ----

TEST_F(TitleOperationsTest, ExtractingStoresTheTitleUnderTheFilesStemReplacingAnEditedOne)
{
    writeFile("roms/tetris.gb", romImage(QByteArray("TETRIS") + QByteArray(10, '\0')));
    writeFile("Titulos.ini", "[tetris]\r\nTitulo=My edited title\r\n\r\n");

    const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(rom("tetris.gb"), "tetris");

    EXPECT_EQ(readFile("Titulos.ini"), "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(shown.titleLabel, "TETRIS");
    EXPECT_EQ(shown.codesTitle, "TETRIS");
    EXPECT_EQ(shown.internalName, "tetris");
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(TitleOperationsTest, AnEmptyTitleIsStoredEmptyAndShownAsNotFound)
{
    writeFile("roms/blank.gbc", romImage(QByteArray("\xFF\x01\xC0", 3)));
    const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(rom("blank.gbc"), "blank");
    EXPECT_EQ(readFile("Titulos.ini"), "[blank]\r\nTitulo=\r\n\r\n");
    EXPECT_EQ(shown.titleLabel, QString::fromUtf8("Título no encontrado"));
    EXPECT_EQ(shown.codesTitle, "blank");
    EXPECT_EQ(shown.internalName, "blank");
}

TEST_F(TitleOperationsTest, AnArchiveGivesTheTitleOfItsOnlyRomUnderItsOwnStem)
{
    writeFile("src/Inner Name.GB", romImage("HARBOR LIGHTS 2\x80"));
    writeFile("src/readme.txt", "not a game");
    infoZip("harbor.zip", {"Inner Name.GB", "readme.txt"});

    // The label reads under the selection's stem, which the caller may hold for another file.
    const TitleExtraction::Shown shown = TitleExtraction::storeTitleOf(rom("harbor.zip"), "other");

    EXPECT_EQ(readFile("Titulos.ini"), "[harbor]\r\nTitulo=HARBOR LIGHTS 2 \r\n\r\n");
    EXPECT_EQ(shown.titleLabel, QString::fromUtf8("Título no encontrado"));
    EXPECT_EQ(shown.codesTitle, "other");
    EXPECT_EQ(shown.internalName, "harbor");
    EXPECT_FALSE(leftoversInExtractionFolder());
}

TEST_F(TitleOperationsTest, ArchivesWithoutOrWithSeveralRomsStoreNothingAndSaySo)
{
    writeFile("src/a.gb", romImage("A"));
    writeFile("src/b.gbc", romImage("B"));
    writeFile("src/c.cgb", romImage("C"));
    infoZip("pair.zip", {"a.gb", "b.gbc"});
    infoZip("colour.zip", {"c.cgb"});

    TitleExtraction::storeTitleOf(rom("pair.zip"), "pair");
    TitleExtraction::exportInternalName(rom("colour.zip"), "colour");

    EXPECT_EQ(m_messages.shown,
              QStringList({QString::fromUtf8("Imposible encontrar nombre, el archivo pair.zip contiene más de una ROM"),
                           "Imposible encontrar nombre  , colour.zip  no es un juego"}));
    EXPECT_FALSE(QFile::exists(path("Titulos.ini")));
    EXPECT_FALSE(QFile::exists(path("GGCT.ini")));
    EXPECT_FALSE(leftoversInExtractionFolder());
}

TEST_F(TitleOperationsTest, ExportingANameFillsTheInternalNameList)
{
    writeFile("roms/pocket.gb", romImage("POCKET GARDEN"));
    writeFile("Titulos.ini", "[pocket]\r\nTitulo=Garden\r\n\r\n");
    EXPECT_EQ(TitleExtraction::exportInternalName(rom("pocket.gb"), "pocket"), "POCKET GARDEN");
    EXPECT_EQ(readFile("GGCT.ini"), "[pocket]\r\nTitulo=POCKET GARDEN\r\n\r\n");
    EXPECT_EQ(readFile("Titulos.ini"), "[pocket]\r\nTitulo=Garden\r\n\r\n");
}

// ---- List generation ----

TEST_F(TitleOperationsTest, ARunKeepsEditedEntriesUnlessTitlesAreToBeReplaced)
{
    writeFile("roms/one.gb", romImage("ONE"));
    writeFile("roms/two.gbc", romImage("TWO\x80"));
    writeFile("src/three.gb", romImage("THREE"));
    infoZip("three.zip", {"three.gb"});
    const QStringList rows{"one.gb", "three.zip", "two.gbc"};

    EXPECT_EQ(generate(rows, false).stored, 3);
    EXPECT_EQ(readFile("Titulos.ini"),
              "[one]\r\nTitulo=ONE\r\n\r\n[three]\r\nTitulo=THREE\r\n\r\n[two]\r\nTitulo=TWO \r\n\r\n");

    writeFile("Titulos.ini", "[one]\r\nTitulo=Edited one\r\n\r\n[three]\r\nTitulo=Edited three\r\n\r\n");
    EXPECT_EQ(generate(rows, false).stored, 1);
    EXPECT_EQ(readFile("Titulos.ini"), "[one]\r\nTitulo=Edited one\r\n\r\n[three]\r\nTitulo=Edited three\r\n\r\n"
                                       "[two]\r\nTitulo=TWO \r\n\r\n");

    EXPECT_EQ(generate(rows, true).stored, 3);
    EXPECT_EQ(readFile("Titulos.ini"),
              "[one]\r\nTitulo=ONE\r\n\r\n[three]\r\nTitulo=THREE\r\n\r\n[two]\r\nTitulo=TWO \r\n\r\n");
    EXPECT_EQ(m_messages.shown, QStringList({generated, generated, generated}));
    EXPECT_FALSE(leftoversInExtractionFolder());
}

// A name holding a line break, or one that is not text, once ended the run at its row: the rows after it were
// never read and no closing message came.
TEST_F(TitleOperationsTest, OddFilesAreReportedAndSkippedAndTheRunGoesOn)
{
    writeFile("src/a.gb", romImage("A"));
    writeFile("src/b.gbc", romImage("B"));
    writeFile("src/c.sgb", romImage("C"));
    writeFile("roms/d.gb", romImage("D"));
    infoZip("pair.zip", {"a.gb", "b.gbc"});
    infoZip("super.zip", {"c.sgb"});
    writeFile("roms/broken.zip", "PK\x03\x04 cut short");
    writeFile("roms/two\nlines.gb", romImage("TWO"));
    const QString latin1 = writeRawNamed(path("roms"), "Pok\xe9mon.gb", romImage("POKEMON"));

    const auto result =
        generate({"broken.zip", latin1, "two\nlines.gb", "d.gb", "pair.zip", "super.zip"}, false, "GGCT.ini");

    EXPECT_EQ(result.skipped, 2);
    EXPECT_EQ(readFile("GGCT.ini"), "[d]\r\nTitulo=D\r\n\r\n");
    const MessageTable &table = messageTable();
    EXPECT_EQ(m_messages.shown,
              QStringList({"Imposible encontrar nombre  ,broken.zip  no es un juego",
                           table.text(SafetyText::NameWithLineBreak).arg("two lines.gb"),
                           QString::fromUtf8("Imposible encontrar nombre, el archivo pair.zip contiene más de una ROM"),
                           "Imposible encontrar nombre  ,super.zip  no es un juego", generated,
                           table.text(SafetyText::UndecodableNamesSkipped).arg(1)}));
}

TEST_F(TitleOperationsTest, AnEmptyListSaysSoAndWritesNothing)
{
    EXPECT_EQ(generate({}, true).stored, 0);
    EXPECT_EQ(m_messages.shown, QStringList{"No se encuentran Juegos para generar la Lista"});
    EXPECT_FALSE(QFile::exists(path("Titulos.ini")));
}

TEST_F(TitleOperationsTest, AnUnreadableRomEndsTheRunButKeepsWhatWasGathered)
{
    writeFile("roms/first.gb", romImage("FIRST"));
    makeFolder("roms/folder.gb");
    writeFile("roms/last.gb", romImage("LAST"));

    try {
        generate({"first.gb", "folder.gb", "last.gb"}, false);
        FAIL() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().contains("folder.gb")) << qPrintable(error.text());
    }
    EXPECT_EQ(readFile("Titulos.ini"), "[first]\r\nTitulo=FIRST\r\n\r\n");
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // A list that cannot be written says so too, besides the unreadable ROM.
    QFile::setPermissions(path("Titulos.ini"), QFileDevice::ReadOwner);
    EXPECT_THROW(generate({"last.gb", "folder.gb"}, false), CartlingError);
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors[0].contains(path("Titulos.ini"))) << qPrintable(m_messages.errors[0]);
}

TEST_F(TitleOperationsTest, ACancelledRunWritesWhatItGatheredWithoutTheSuccessMessage)
{
    for (const QString name : {"a.gb", "b.gb", "c.gb", "d.gb"})
        writeFile("roms/" + name, romImage(name.left(1).toUpper().toLatin1()));
    QList<std::pair<int, int>> heard;
    const auto result = generate({"a.gb", "b.gb", "c.gb", "d.gb"}, true, "Titulos.ini", [&heard](int done, int total) {
        heard.append({done, total});
        return done < 2;
    });
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.stored, 2);
    EXPECT_EQ(heard, (QList<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}}));
    EXPECT_EQ(readFile("Titulos.ini"), "[a]\r\nTitulo=A\r\n\r\n[b]\r\nTitulo=B\r\n\r\n");
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

} // namespace
