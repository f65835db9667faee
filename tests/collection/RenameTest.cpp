#include "CollectionTestSupport.h"

#include "collection/CollectionVerifier.h"
#include "collection/DatRenamer.h"
#include "language/MessageTable.h"
#include "library/RenameText.h"
#include "platform/ErrorHandler.h"
#include "platform/PathHelpers.h"

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
        writeRom("kirby.sav", "battery"); // the game's battery save, which goes along
        writeFile("Titulos.ini", "[tetris]\r\nTitulo=TETRIS\r\n\r\n[kirby]\r\nTitulo=KIRBY\r\n\r\n");
        writeFile("GGCT.ini", "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
        writeFile("Shoots/tetris.jpg", "jpeg");
        writeFile("Shoots/TETRIS.BMP", "bitmap");
        writeFile("Shoots/kirby.jpg", "kirby");
    }

    QStringList files() const { return entries("roms"); }
    QStringList entries(const QString &folder) const { return QDir(path(folder)).entryList(QDir::Files, QDir::Name); }
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
    // Broke when kirby.sav, a file that bore the stem, kept the game's entry and shot from going along and was
    // itself left behind: the emulator then started the renamed game with an empty save.
    EXPECT_EQ(files(), QStringList({"Kirby's Dream Land.gb", "Kirby's Dream Land.sav", "Tetris (World).gb",
                                    "Tetris (World).zip", "Zelda.gbc"}));
    EXPECT_EQ(readFile("GGCT.ini"), "[Tetris (World)]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(readFile("Titulos.ini"),
              "[Kirby's Dream Land]\r\nTitulo=KIRBY\r\n\r\n[Tetris (World)]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(entries("Shoots"), QStringList({"Kirby's Dream Land.jpg", "Tetris (World).BMP", "Tetris (World).jpg"}));
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

// Only what needs a new name is planned, each new name once; the log names every planned move before the first.
TEST_F(RenameTest, AFileBearingItsDatNameStaysOutAndTwoDumpsOfOneGameGiveOneRename)
{
    ASSERT_TRUE(QFile::remove(rom("tetris.zip")));
    ASSERT_TRUE(QFile::rename(rom("tetris.gb"), rom("Tetris (World).gb")));
    writeRom("kirby2.gb", seededRom(3)); // the same game again, sorted after kirby.gb

    const DatRenamer::Plan plan = this->plan();

    ASSERT_EQ(plan.renames.size(), 2);
    EXPECT_EQ(plan.renames[0].from, rom("kirby.gb"));
    EXPECT_EQ(plan.renames[0].to, rom("Kirby's Dream Land.gb"));
    EXPECT_EQ(plan.renames[1].from, rom("zelda.gbc"));
    EXPECT_EQ(plan.renames[1].to, rom("Zelda.gbc"));
    EXPECT_EQ(plan.skipped, 1);
    EXPECT_TRUE(plan.notes.isEmpty());

    QList<RenameLog::Move> logged;
    bool started = false;
    const auto beforeFirst = [&](int done, int) {
        if (done == 0) {
            const auto log = RenameLog::load();
            started = log && log->state == RenameLog::State::Started;
            logged = log ? log->files : QList<RenameLog::Move>();
        }
        return true;
    };
    const DatRenamer::Outcome outcome = DatRenamer::apply(plan, beforeFirst);

    EXPECT_TRUE(started);
    ASSERT_EQ(logged.size(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(logged[i].from, plan.renames[i].from);
        EXPECT_EQ(logged[i].to, plan.renames[i].to);
        EXPECT_FALSE(logged[i].done) << qPrintable(logged[i].from);
    }
    EXPECT_EQ(outcome.renamed, 2);
    EXPECT_EQ(files(), QStringList({"Kirby's Dream Land.gb", "Kirby's Dream Land.sav", "Tetris (World).gb", "Zelda.gbc",
                                    "kirby2.gb"}));
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
    // What is wrong: JSON's own complaint (empty here), that it is no log, or a member naming no file of the log.
    const std::pair<const char *, const char *> others[] = {
        {"not JSON", ""},
        {"{\"kind\": \"something else\"}", ": not a log"},
        {"{\"kind\": \"Cartling rename log\", \"files\": [], \"members\": [{\"file\": 0}]}", ": a member of no file"},
    };
    for (const auto &[text, reason] : others) {
        writeFile("logs/other.json", text);
        try {
            RenameLog::load(path("logs/other.json"));
            ADD_FAILURE() << text << " was read";
        } catch (const CartlingError &error) {
            EXPECT_TRUE(*reason ? error.text().endsWith(QLatin1String(reason)) : !error.text().endsWith(": not a log"))
                << qPrintable(error.text());
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

    // A file that is no log is never taken for one, nor written over.
    writeFile("CambiosDeNombre.json", "{\"kind\": \"something else\"}");
    EXPECT_FALSE(DatRenamer::canUndo());
    try {
        DatRenamer::undo();
        ADD_FAILURE() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().endsWith(": not a log")) << qPrintable(error.text());
    }
    EXPECT_EQ(readFile("CambiosDeNombre.json"), "{\"kind\": \"something else\"}");
}

TEST_F(RenameTest, SavesStatesCheatsAndRecordsGoAlongFromEveryPlaceAndComeBackWithUndo)
{
    // The Save folder counts while its option is off: what the emulator wrote there while it was on stays the game's.
    makeFolder("MySaves");
    writeFile("Cartling.ini", "[Directorios]\r\nSave=" + path("MySaves").toUtf8() + "\r\n");
    const QStringList kirby{"roms/kirby.rtc",        "roms/KIRBY.ss1",     "roms/kirby.state2", "roms/kirby.state2.png",
                            "roms/kirby.cheats",     "MySaves/kirby.srm",  "MySaves/kirby.ss0", "Save/kirby.sav",
                            "Save/kirby.state.auto", "Trucos/kirby.cheats"};
    makeFolder("Save");
    makeFolder("Trucos");
    for (const QString &file : kirby)
        writeFile(file, file.toUtf8());
    // Not the game's: another kind in its place, another stem, or a name that only starts like a state.
    const QStringList others{"roms/kirby.stately.png", "MySaves/kirby.statement", "MySaves/kirby.ss10",
                             "Trucos/kirby.sav",       "MySaves/kirby2.sav",      "Shoots/kirby.png"};
    for (const QString &file : others)
        writeFile(file, "other");
    writeRom("zelda.sav", "zelda"); // zelda.gbc becomes Zelda.gbc: an emulator looks for Zelda.sav
    writeFile("Partidas.ini", "[kirby]\r\nFavorito=1\r\nVeces=3\r\n\r\n[zelda]\r\nSegundos=60\r\n\r\n");
    const DatRenamer::Plan plan = this->plan();
    // Before the first file is renamed, the log names every file that is to move, for a killed run's undo.
    qsizetype logged = 0;
    const auto beforeFirst = [&logged](int done, int) {
        const auto log = RenameLog::load();
        if (done == 0 && log && log->state == RenameLog::State::Started) {
            for (const RenameLog::StemMove &stem : log->stems)
                logged += stem.companions.size();
        }
        return true;
    };

    const DatRenamer::Outcome outcome = DatRenamer::apply(plan, beforeFirst);

    EXPECT_TRUE(outcome.notes.isEmpty()) << qPrintable(outcome.notes.join(u'\n'));
    EXPECT_EQ(logged, kirby.size() + 5); // with kirby.sav, kirby.jpg, tetris.jpg, TETRIS.BMP and zelda.sav
    for (const QString &file : kirby) {
        const QString moved = folderOf(file) + "Kirby's Dream Land" + fileNameOf(file).mid(5);
        EXPECT_EQ(readFile(moved), file.toUtf8()) << qPrintable(moved);
    }
    for (const QString &file : others)
        EXPECT_EQ(readFile(file), "other") << qPrintable(file);
    EXPECT_EQ(readFile("roms/Zelda.sav"), "zelda");
    EXPECT_EQ(readFile("Partidas.ini"),
              "[zelda]\r\nSegundos=60\r\n\r\n[Kirby's Dream Land]\r\nFavorito=1\r\nVeces=3\r\n\r\n");

    ASSERT_TRUE(DatRenamer::undo());

    for (const QString &file : kirby + others)
        EXPECT_TRUE(QFileInfo::exists(path(file))) << qPrintable(file);
    EXPECT_EQ(entries("roms"), QStringList({"KIRBY.ss1", "kirby.cheats", "kirby.gb", "kirby.rtc", "kirby.sav",
                                            "kirby.state2", "kirby.state2.png", "kirby.stately.png", "tetris.gb",
                                            "tetris.zip", "zelda.gbc", "zelda.sav"}));
    EXPECT_EQ(readFile("Partidas.ini"), "[zelda]\r\nSegundos=60\r\n\r\n[kirby]\r\nFavorito=1\r\nVeces=3\r\n\r\n");
}

TEST_F(RenameTest, ACompanionWhoseNewNameIsTakenStaysWithALineInTheReport)
{
    writeRom("Kirby's Dream Land.sav", "someone else's");
    writeFile("Shoots/Kirby's Dream Land.JPG", "another shot");
    // tet.gbc holds Tetris too: its save claims the new name first, and tetris.sav stays.
    writeRom("tet.gbc", seededRom(1));
    writeRom("tet.sav", "tet");
    writeRom("tetris.sav", "tetris");
    // zelda.txt keeps the stem zelda, and with it the save.
    writeRom("zelda.txt", "notes");
    writeRom("zelda.sav", "zelda");
    // A name that is taken only once the run has begun.
    const auto appears = [this](int done, int) {
        if (done == 0)
            writeRom("Kirby's Dream Land.rtc", "appeared");
        return true;
    };
    writeRom("kirby.rtc", "clock");

    const DatRenamer::Outcome outcome = DatRenamer::apply(plan(), appears);

    EXPECT_EQ(outcome.renamed, 5);
    EXPECT_EQ(files(),
              QStringList({"Kirby's Dream Land.gb", "Kirby's Dream Land.rtc", "Kirby's Dream Land.sav",
                           "Tetris (World).gb", "Tetris (World).gbc", "Tetris (World).sav", "Tetris (World).zip",
                           "Zelda.gbc", "kirby.rtc", "kirby.sav", "tetris.sav", "zelda.sav", "zelda.txt"}));
    EXPECT_EQ(readFile("roms/Tetris (World).sav"), "tet");
    EXPECT_EQ(readFile("roms/Kirby's Dream Land.sav"), "someone else's");
    EXPECT_EQ(readFile("Shoots/kirby.jpg"), "kirby");
    const QString line = messageTable().text(RenameText::CompanionStays);
    EXPECT_EQ(outcome.notes, QStringList({line.arg(rom("kirby.sav"), "Kirby's Dream Land.sav"),
                                          line.arg(path("Shoots/kirby.jpg"), "Kirby's Dream Land.jpg"),
                                          line.arg(rom("tetris.sav"), "Tetris (World).sav"),
                                          line.arg(rom("kirby.rtc"), "Kirby's Dream Land.rtc")}));
    // What could go, went.
    EXPECT_EQ(readFile("Titulos.ini"),
              "[Kirby's Dream Land]\r\nTitulo=KIRBY\r\n\r\n[Tetris (World)]\r\nTitulo=TETRIS\r\n\r\n");

    // Undo takes back only what moved: the files under the new names that stayed someone else's stay theirs.
    const auto undone = DatRenamer::undo();
    ASSERT_TRUE(undone);
    EXPECT_TRUE(undone->notes.isEmpty()) << qPrintable(undone->notes.join(u'\n'));
    EXPECT_EQ(files(), QStringList({"Kirby's Dream Land.rtc", "Kirby's Dream Land.sav", "kirby.gb", "kirby.rtc",
                                    "kirby.sav", "tet.gbc", "tet.sav", "tetris.gb", "tetris.sav", "tetris.zip",
                                    "zelda.gbc", "zelda.sav", "zelda.txt"}));
    EXPECT_EQ(readFile("roms/tet.sav"), "tet");
    EXPECT_EQ(readFile("roms/Kirby's Dream Land.sav"), "someone else's");
}

// Broke when undo put a game's titles and shots back under its old stem although the file kept its new name.
TEST_F(RenameTest, AGameWhoseOldNameIsTakenAgainKeepsEverythingUnderTheNewName)
{
    writeFile("Partidas.ini", "[kirby]\r\nFavorito=1\r\n\r\n");
    QList<int> steps; // what the progress window hears
    const auto heard = [&steps](int done, int total) {
        steps.append(done * 100 + total);
        return true;
    };
    ASSERT_EQ(DatRenamer::apply(plan(), heard).renamed, 4);
    EXPECT_EQ(steps, QList<int>({4, 104, 204, 304, 404}));
    writeRom("KIRBY.GB", "a new file");
    steps.clear();

    const auto undone = DatRenamer::undo(heard);

    EXPECT_EQ(steps, QList<int>({4, 104, 204, 304, 404}));
    ASSERT_TRUE(undone);
    for (const RenameLog::Move &move : undone->done)
        EXPECT_TRUE(move.done && QFileInfo::exists(move.to)) << qPrintable(move.to);
    EXPECT_EQ(undone->renamed, 3);
    EXPECT_EQ(undone->failed, 1);
    EXPECT_EQ(undone->notes,
              QStringList{messageTable().text(RenameText::KeptNewName).arg(rom("Kirby's Dream Land.gb"), "kirby.gb")});
    EXPECT_EQ(files(), QStringList({"KIRBY.GB", "Kirby's Dream Land.gb", "Kirby's Dream Land.sav", "tetris.gb",
                                    "tetris.zip", "zelda.gbc"}));
    EXPECT_EQ(entries("Shoots"), QStringList({"Kirby's Dream Land.jpg", "TETRIS.BMP", "tetris.jpg"}));
    EXPECT_EQ(readFile("Titulos.ini"), "[Kirby's Dream Land]\r\nTitulo=KIRBY\r\n\r\n[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(readFile("Partidas.ini"), "[Kirby's Dream Land]\r\nFavorito=1\r\n\r\n");
}

// Broke when a DAT named a game with a line break, a tab, a character that Windows refuses, a leading dot or an
// invisible format character: the file took a name that Cartling itself refuses, or that reads as another.
TEST_F(RenameTest, ADatNameThatCartlingRefusesLeavesTheFileWithALineInTheReport)
{
    const QStringList refused{
        "Line\nBreak",      "Tab\there",      "A:B", "A*B", "A?B", "A\"B", "A<B", "A>B", "A|B", ".hidden",
        "evil\u202Egb.exe", "zero\u200Bwidth"};
    QList<DatRom> roms;
    for (int i = 0; i < refused.size(); ++i) {
        roms.append({"refused" + QString::number(i), seededRom(10 + i)});
        writeRom(QStringLiteral("game%1.gb").arg(i), seededRom(10 + i));
    }
    // The XML carries control and format characters as references.
    QByteArray xml = datXml("Odd", roms);
    for (int i = 0; i < refused.size(); ++i) {
        QString escaped = refused[i].toHtmlEscaped();
        for (const QChar c : {QChar(u'\n'), QChar(u'\t'), QChar(0x202E), QChar(0x200B)})
            escaped.replace(c, QStringLiteral("&#%1;").arg(c.unicode()));
        xml.replace(QStringLiteral("\"refused%1\"").arg(i).toUtf8(), ('"' + escaped + '"').toUtf8());
        xml.replace(QStringLiteral(">refused%1<").arg(i).toUtf8(), ('>' + escaped + '<').toUtf8());
        // A plain ROM is named after its ROM entry, which bears the same name.
        xml.replace(QStringLiteral("\"refused%1.gb\"").arg(i).toUtf8(), ('"' + escaped + ".gb\"").toUtf8());
    }
    writeFile("odd.dat", xml);
    m_dats.add(path("odd.dat"), DatCatalog::loadDat(path("odd.dat")));

    const DatRenamer::Plan plan = this->plan();

    EXPECT_EQ(plan.renames.size(), 4); // the good dumps of gb.dat
    EXPECT_EQ(plan.skipped, refused.size());
    ASSERT_EQ(plan.notes.size(), refused.size());
    const QString line = messageTable().text(RenameText::NameRefused);
    EXPECT_TRUE(plan.notes.contains(line.arg(rom("game0.gb"), "Line<U+000A>Break")));
    EXPECT_TRUE(plan.notes.contains(line.arg(rom("game10.gb"), "evil<U+202E>gb.exe")));
    for (const RenameLog::Move &move : plan.renames)
        EXPECT_FALSE(fileNameOf(move.from).startsWith("game")) << qPrintable(move.from);
}

// Broke when Titulos.ini could not be written: the error ended the run before the checks cache and the log
// heard of the renamed files, and GGCT.ini was written as the error unwound.
TEST_F(RenameTest, AFailureHalfWayLeavesEveryListWholeAndTheLogTrue)
{
    QFile::setPermissions(path("Titulos.ini"), QFileDevice::ReadOwner);
    writeFile("Partidas.ini", "[kirby]\r\nFavorito=1\r\n\r\n");
    QFile::setPermissions(path("Partidas.ini"), QFileDevice::ReadOwner);
    // tetris.zip cannot follow, since its name appears after the folder was read: the stem tetris stays whole.
    // Its save stays too, and a file that takes the save's new name meanwhile is someone else's.
    writeRom("tetris.sav", "tetris");
    const auto appears = [this](int done, int) {
        if (done == 1) {
            writeRom("Tetris (World).zip", "appeared");
            writeRom("Tetris (World).sav", "another");
        }
        return true;
    };

    const DatRenamer::Outcome outcome = DatRenamer::apply(plan(), appears);

    EXPECT_EQ(outcome.renamed, 3);
    EXPECT_EQ(outcome.done.size(), 3);
    EXPECT_TRUE(outcome.error.contains("Titulos.ini")) << qPrintable(outcome.error);
    EXPECT_EQ(readFile("Titulos.ini"), "[tetris]\r\nTitulo=TETRIS\r\n\r\n[kirby]\r\nTitulo=KIRBY\r\n\r\n");
    EXPECT_EQ(readFile("GGCT.ini"), "[tetris]\r\nTitulo=TETRIS\r\n\r\n");
    EXPECT_EQ(entries("Shoots"), QStringList({"Kirby's Dream Land.jpg", "TETRIS.BMP", "tetris.jpg"}));
    const auto log = RenameLog::load();
    ASSERT_TRUE(log);
    EXPECT_EQ(log->state, RenameLog::State::Done);
    for (const RenameLog::StemMove &stem : log->stems)
        EXPECT_FALSE(stem.titles || stem.records) << qPrintable(stem.from);
    EXPECT_EQ(readFile("Partidas.ini"), "[kirby]\r\nFavorito=1\r\n\r\n");

    // Undo puts back the files and what moved, and leaves the list that never changed alone.
    QFile::setPermissions(path("Titulos.ini"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    writeFile("Titulos.ini", "[Kirby's Dream Land]\r\nTitulo=MINE\r\n\r\n");
    const auto undone = DatRenamer::undo();
    ASSERT_TRUE(undone);
    EXPECT_TRUE(undone->notes.isEmpty()) << qPrintable(undone->notes.join(u'\n'));
    EXPECT_EQ(readFile("roms/tetris.sav"), "tetris");
    EXPECT_EQ(readFile("roms/Tetris (World).sav"), "another");
    EXPECT_EQ(readFile("Titulos.ini"), "[Kirby's Dream Land]\r\nTitulo=MINE\r\n\r\n");
    EXPECT_EQ(entries("Shoots"), QStringList({"TETRIS.BMP", "kirby.jpg", "tetris.jpg"}));
    EXPECT_EQ(readFile("roms/kirby.sav"), "battery");
}

TEST_F(RenameTest, AStemInTwoFoldersTakesEachFoldersSavesAndTheSharedFilesOnce)
{
    makeFolder("roms2");
    writeFile("roms2/kirby.gb", seededRom(3));
    writeFile("roms2/kirby.sav", "second");
    QStringList paths{path("roms2/kirby.gb")};
    for (const QString &name : files())
        paths.append(rom(name));
    CollectionVerifier(m_dats, m_cache).verify(paths);

    const DatRenamer::Outcome outcome = DatRenamer::apply(DatRenamer::plan(paths, m_dats, m_cache));

    EXPECT_EQ(outcome.renamed, 5);
    EXPECT_TRUE(outcome.notes.isEmpty()) << qPrintable(outcome.notes.join(u'\n'));
    EXPECT_EQ(readFile("roms2/Kirby's Dream Land.sav"), "second");
    EXPECT_EQ(readFile("roms/Kirby's Dream Land.sav"), "battery");
    EXPECT_EQ(readFile("Shoots/Kirby's Dream Land.jpg"), "kirby");
    ASSERT_TRUE(DatRenamer::undo());
    EXPECT_EQ(entries("roms2"), QStringList({"kirby.gb", "kirby.sav"}));
    EXPECT_EQ(readFile("Shoots/kirby.jpg"), "kirby");
    EXPECT_EQ(readFile("Titulos.ini"), "[kirby]\r\nTitulo=KIRBY\r\n\r\n[tetris]\r\nTitulo=TETRIS\r\n\r\n");
}

} // namespace
