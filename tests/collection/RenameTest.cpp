#include "CollectionTestSupport.h"

#include "collection/CollectionVerifier.h"
#include "collection/DatRenamer.h"
#include "platform/ErrorHandler.h"

#include <QDir>
#include <QFile>

namespace {

class RenameTest : public CollectionTest
{
protected:
    void SetUp() override
    {
        CollectionTest::SetUp();
        m_cache = HashCache(path("Verificacion.cache"));
        writeFile("gb.dat", datXml("GB", {{"Tetris (World)", seededRom(1)},
                                          {"Zelda", seededRom(2)},
                                          {"Kirby's Dream Land", seededRom(3)}}));
        m_dats.add(path("gb.dat"), DatCatalog::loadDat(path("gb.dat")));
        makeFolder("Shoots");
        writeRom("tetris.gb", seededRom(1));
        writeZip(rom("tetris.zip"), {{"tetris.gb", seededRom(1)}});
        writeRom("zelda.gbc", seededRom(2));
        writeRom("kirby.gb", seededRom(3));
        writeRom("kirby.sav", "battery"); // shares the stem and is not renamed
        writeFile("Titulos.ini", "[tetris]\r\nTitulo=TETRIS\r\n\r\n[kirby]\r\nTitulo=KIRBY\r\n\r\n");
        writeFile("GGCT.ini", "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
        writeFile("Shoots/tetris.jpg", "jpeg");
        writeFile("Shoots/TETRIS.BMP", "bitmap");
        writeFile("Shoots/kirby.jpg", "kirby");
    }

    QStringList files() const { return QDir(path("roms")).entryList(QDir::Files, QDir::Name); }
    DatRenamer::Plan plan()
    {
        QStringList paths;
        for (const QString &name : files())
            paths.append(rom(name));
        CollectionVerifier(m_dats, m_cache).verify(paths);
        return DatRenamer::plan(paths, m_dats, m_cache);
    }

    DatCatalog m_dats;
    HashCache m_cache{QString()}; // made in SetUp, once the base folder exists
};

TEST_F(RenameTest, MatchedFilesTakeTheDatNamesWithTheirStemsEntriesAndShotsAndUndoPutsAllBack)
{
    const QStringList before = files();
    const DatRenamer::Plan plan = this->plan();
    ASSERT_EQ(plan.renames.size(), 4);
    EXPECT_EQ(plan.skipped, 0);

    const DatRenamer::Outcome outcome = DatRenamer::apply(plan);

    EXPECT_EQ(outcome.renamed, 4);
    EXPECT_EQ(files(), QStringList({"Kirby's Dream Land.gb", "Tetris (World).gb", "Tetris (World).zip", "Zelda.gbc",
                                    "kirby.sav"}));
    EXPECT_EQ(readFile("GGCT.ini"), "[Tetris (World)]\r\nTitulo=TETRIS\r\n\r\n");
    // kirby.sav still bears the stem "kirby": its entry and shot stay.
    EXPECT_EQ(readFile("Titulos.ini"), "[kirby]\r\nTitulo=KIRBY\r\n\r\n[Tetris (World)]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(QDir(path("Shoots")).entryList(QDir::Files, QDir::Name),
              QStringList({"Tetris (World).BMP", "Tetris (World).jpg", "kirby.jpg"}));
    EXPECT_TRUE(DatRenamer::canUndo());

    const auto undone = DatRenamer::undo();

    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->renamed, 4);
    EXPECT_EQ(files(), before);
    EXPECT_EQ(readFile("Titulos.ini"), "[kirby]\r\nTitulo=KIRBY\r\n\r\n[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(readFile("GGCT.ini"), "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(QDir(path("Shoots")).entryList(QDir::Files, QDir::Name),
              QStringList({"TETRIS.BMP", "kirby.jpg", "tetris.jpg"}));
    EXPECT_FALSE(DatRenamer::canUndo());
    EXPECT_FALSE(DatRenamer::undo());
}

TEST_F(RenameTest, ANameTakenInAnyCaseIsNeverReplaced)
{
    writeRom("Zelda.GBC", "mine"); // zelda.gbc's DAT name in another case
    DatRenamer::Plan plan = this->plan();
    EXPECT_EQ(plan.skipped, 1);
    // A file that appears between the list and the renames is not replaced either.
    writeRom("Kirby's Dream Land.gb", "appeared");
    const DatRenamer::Outcome outcome = DatRenamer::apply(plan);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(readFile("roms/Kirby's Dream Land.gb"), "appeared");
    EXPECT_EQ(readFile("roms/kirby.gb"), seededRom(3));
    EXPECT_EQ(readFile("roms/Zelda.GBC"), "mine");
}

// A log name planted as a link had the run write its log through it, over the link's target.
TEST_F(RenameTest, ALogThatCannotBeWrittenSafelyRefusesTheRunAndALinkedLogIsNotRead)
{
    const QStringList before = files();
    const DatRenamer::Plan plan = this->plan();
    const QByteArray key("the user's own file\n");
    writeFile("elsewhere", key);
    makeFolder("logs");
    ASSERT_TRUE(QFile::link(path("elsewhere"), path("CambiosDeNombre.json")));
    ASSERT_TRUE(QFile::link(path("logs"), path("linked")));
    const QString nothingRenamed = QString::fromUtf8("\nNo se ha cambiado ningún nombre.");
    const struct
    {
        QString log;
        QString message;
    } cases[] = {
        {path("CambiosDeNombre.json"),
         path("CambiosDeNombre.json") +
             QString::fromUtf8(" es un enlace simbólico: el registro de cambios de nombre no se escribe a través de "
                               "un enlace") +
             nothingRenamed},
        {path("linked/log.json"), "La carpeta de " + path("linked/log.json") +
                                      QString::fromUtf8(" es un enlace simbólico o pertenece a otro usuario: el "
                                                        "registro de cambios de nombre no se escribe en ella") +
                                      nothingRenamed},
    };
    for (const auto &c : cases) {
        try {
            DatRenamer::apply(plan, {}, c.log);
            ADD_FAILURE() << "the run went ahead with " << qPrintable(c.log);
        } catch (const CartlingError &error) {
            EXPECT_EQ(error.text(), c.message);
        }
        EXPECT_EQ(files(), before);
    }
    // Once a name has changed, the message does not say that none did.
    RenameLog begun;
    begun.files = plan.renames;
    begun.files[0].done = true;
    try {
        begun.save(path("CambiosDeNombre.json"));
        ADD_FAILURE() << "written through the link";
    } catch (const CartlingError &error) {
        EXPECT_FALSE(error.text().endsWith(nothingRenamed)) << qPrintable(error.text());
    }
    EXPECT_EQ(readFile("elsewhere"), key);
    EXPECT_TRUE(folderEntries(path("logs")).isEmpty());

    // A log reached through a link, or another user's log, is not taken for the last run.
    RenameLog log;
    log.files = plan.renames;
    log.save(path("logs/log.json"));
    ASSERT_TRUE(QFile::remove(path("CambiosDeNombre.json")));
    ASSERT_TRUE(QFile::link(path("logs/log.json"), path("CambiosDeNombre.json")));
    EXPECT_FALSE(DatRenamer::canUndo());
    EXPECT_THROW(RenameLog::load(), CartlingError);
    EXPECT_TRUE(DatRenamer::canUndo(path("logs/log.json")));
    if (giveToAnotherUser(path("logs/log.json")))
        EXPECT_FALSE(DatRenamer::canUndo(path("logs/log.json")));
    // Nor is a file that is no log.
    for (const char *text : {"not JSON", "{\"kind\": \"something else\"}"}) {
        writeFile("logs/other.json", text);
        try {
            RenameLog::load(path("logs/other.json"));
            ADD_FAILURE() << text << " was read";
        } catch (const CartlingError &error) {
            // What is wrong: JSON's own complaint, or that it is no log.
            EXPECT_EQ(error.text().endsWith(": not a log"), text[0] == '{') << qPrintable(error.text());
        }
    }
}

TEST_F(RenameTest, AKilledRunIsUndoneFromTheLogItWroteFirst)
{
    const DatRenamer::Plan plan = this->plan();
    // As a run killed after its first rename leaves it: the log written whole, one file renamed.
    RenameLog log;
    log.files = plan.renames;
    log.save();
    ASSERT_TRUE(QFile::rename(plan.renames[0].from, plan.renames[0].to));

    const auto undone = DatRenamer::undo();

    ASSERT_TRUE(undone);
    EXPECT_EQ(undone->renamed, 1);
    EXPECT_EQ(undone->failed, 0);
    EXPECT_TRUE(QFileInfo::exists(plan.renames[0].from));
    for (const RenameLog::Move &move : plan.renames) {
        EXPECT_TRUE(QFileInfo::exists(move.from)) << qPrintable(move.from);
        EXPECT_FALSE(QFileInfo::exists(move.to)) << qPrintable(move.to);
    }
    EXPECT_EQ(readFile("Titulos.ini"), "[tetris]\r\nTitulo=TETRIS\r\n\r\n[kirby]\r\nTitulo=KIRBY\r\n\r\n");
}

} // namespace
