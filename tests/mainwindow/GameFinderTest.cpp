#include "MainWindowFixture.h"

#include "language/MessageTable.h"

#include "library/PlayRecords.h"
#include "library/SearchText.h"
#include "mainwindow/FilterField.h"
#include "mainwindow/GameFilterModel.h"
#include "mainwindow/GameFinder.h"
#include "screenshots/PictureViewer.h"

#include <QAbstractItemModelTester>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <QThreadPool>
#include <QTest>

#include <thread>

namespace {

// ---- Matching ----

TEST(SearchText, EveryWordOccursIgnoringCaseAndAccentsInAnyOrder)
{
    struct Case
    {
        const char *text;
        const char *typed;
        bool matches;
    };
    const Case cases[] = {
        {"Pokémon Yellow.gb", "pokemon", true},
        {"Señor Cactus.cgb", "senor", true},
        {"Señor Cactus.cgb", "SEÑOR", true},
        {"Señor Cactus.cgb", "cactus senor", true},
        {"Señor Cactus.cgb", "  cac   SEN ", true},
        {"Señor Cactus.cgb", "senora", false},
        {"Moonlit Maze.gb", "moon zip", false},
        {"Ångström Ærø.gb", "angstrom", true},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ.gb", "abcdefghijklmnopqrstuvwxyz", true},
        {"abcdefghijklmnopqrstuvwxyz.gb", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", true},
        {"ZELDA.gb", "zelda", true},
        // Latin-1 letters without a plain form of one character keep their own, in either case.
        {"Dæmon.gb", "DÆMON", true},
        {"DÆMON.gb", "dæmon", true},
        {"Ðuel ðuel.gb", "ÐUEL ðuel", true},
        {"Øl.gb", "øl", true},
        {"Þing.gb", "þing", true},
        {"Straße.gb", "STRAßE", true},
        {"3×3.gb", "3×3", true},
        {"ÿ.gb", "Y", true},
        // Past Latin-1: the table's neighbours in memory were taken for folded letters.
        {"Ÿ.gb", "ÿ", true},
        {"Тетрис.gb", "ТЕТРИС", true},
        {"ポケモン ピカチュウ.gb", "ピカチュウ", true},
        {"ポケモン.gb", "ピカ", false},
        {"Dæmon.gb", "daemon", false},
        {"anything", "", true},
        {"anything", "   ", true},
    };
    for (const Case &c : cases) {
        const QString text = SearchText::fold(QString::fromUtf8(c.text));
        EXPECT_EQ(SearchText::containsAll(text, SearchText::words(QString::fromUtf8(c.typed))), c.matches)
            << c.text << " / " << c.typed;
    }
}

// ---- The rows shown ----

class FilterModel : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        for (const char *name : {"pkmn_y.gb", "Senor.cgb", "zelda.gb", "mario.zip", "tetris.gb"})
            writeFile(name, "x");
        ASSERT_TRUE(source.setFolder(m_base));
        source.count();
        shown.setTitleSource([this] {
            ++titleReads;
            return titles;
        });
        shown.setRecordSource([this] { return records; });
    }

    QStringList rows() const
    {
        QStringList texts;
        for (int row = 0; row < shown.rowCount(); ++row)
            texts.append(shown.index(row).data().toString());
        return texts;
    }

    RomListModel source;
    GameFilterModel shown{source};
    QAbstractItemModelTester tester{&shown};
    GameFilterModel::Titles titles{{"pkmn_y", QString::fromUtf8("Pokémon Amarillo")}, {"zelda", "Link's Awakening"}};
    QHash<QString, PlayRecord> records;
    int titleReads = 0;
};

TEST_F(FilterModel, WordsNarrowFileNamesAndTitlesAndTitlesAreReadOnce)
{
    EXPECT_EQ(rows(), QStringList({"mario.zip", "pkmn_y.gb", "Senor.cgb", "tetris.gb", "zelda.gb"}));
    for (const char *typed : {"p", "po", "pok", "poke", "pokemon"})
        shown.setFilterText(QString::fromUtf8(typed));
    EXPECT_EQ(rows(), QStringList({"pkmn_y.gb"}));
    // Widening again, and words in any order across file name and title.
    shown.setFilterText("awakening zel");
    EXPECT_EQ(rows(), QStringList({"zelda.gb"}));
    shown.setFilterText(".gb");
    EXPECT_EQ(rows(), QStringList({"pkmn_y.gb", "tetris.gb", "zelda.gb"}));
    // A word never spans the file name and the title.
    shown.setFilterText("gbpok");
    EXPECT_EQ(rows(), QStringList());
    EXPECT_EQ(titleReads, 1);
    shown.titlesChanged();
    shown.setFilterText("");
    EXPECT_EQ(rows().size(), 5);
}

TEST_F(FilterModel, TitlesShowSortedWithTheFileNameAsTooltip)
{
    shown.setShowTitles(true);
    EXPECT_EQ(rows(), QStringList({"Link's Awakening", "mario.zip", QString::fromUtf8("Pokémon Amarillo"), "Senor.cgb",
                                   "tetris.gb"}));
    EXPECT_EQ(shown.index(0).data(Qt::ToolTipRole).toString(), "zelda.gb");
    EXPECT_EQ(shown.index(0).data(Qt::EditRole).toString(), "zelda.gb");
    EXPECT_EQ(shown.entry(0).fullPath, path("zelda.gb"));
}

TEST_F(FilterModel, FavouritesAndRecentlyPlayedKeepTheirOwnRows)
{
    records.insert("tetris", {true, {}, 0, 0});
    records.insert("zelda", {false, QDateTime(QDate(2026, 1, 2), QTime(10, 0)), 3, 600});
    records.insert("mario", {true, QDateTime(QDate(2026, 5, 1), QTime(9, 0)), 1, 0});
    records.insert("gone", {true, QDateTime(QDate(2026, 6, 1), QTime(9, 0)), 1, 0}); // no such file: no row
    shown.recordsChanged();
    shown.setRows(ViewRows::Favourites);
    EXPECT_EQ(rows(), QStringList({"mario.zip", "tetris.gb"}));
    shown.setRows(ViewRows::RecentlyPlayed);
    EXPECT_EQ(rows(), QStringList({"mario.zip", "zelda.gb"}));
    shown.setFilterText("zel");
    EXPECT_EQ(rows(), QStringList({"zelda.gb"}));
}

// The list is read ahead on a worker when the field is entered, titles included, so typing finds it ready.
TEST_F(FilterModel, TitlesReadAheadForTypingAreReadOnce)
{
    const auto settle = [] {
        QThreadPool::globalInstance()->waitForDone();
        QCoreApplication::processEvents();
    };
    shown.prepareForTyping();
    shown.prepareForTyping(); // entered again while the first reading is under way
    settle();
    shown.prepareForTyping(); // and once it is done
    settle();
    shown.setFilterText("pokemon");
    EXPECT_EQ(rows(), QStringList{"pkmn_y.gb"});
    EXPECT_EQ(titleReads, 1);
}

// Choosing again what is shown already leaves the rows alone: a reset would lose the selection and the scroll.
TEST_F(FilterModel, WhatIsShownAlreadyIsNotBuiltAgain)
{
    shown.setFilterText("o");
    QSignalSpy resets(&shown, &QAbstractItemModel::modelReset);
    const std::function<void()> again[] = {
        [this] { shown.setRows(ViewRows::All); },
        [this] { shown.setShowTitles(false); },
        [this] { shown.setFilterText(" O "); },
    };
    for (const auto &call : again)
        call();
    EXPECT_EQ(resets.count(), 0);
    // A narrowing is announced before it happens, so that views let go of the rows that leave.
    QSignalSpy announced(&shown, &QAbstractItemModel::modelAboutToBeReset);
    shown.setFilterText("ok");
    EXPECT_EQ(announced.count(), 1);
    EXPECT_EQ(resets.count(), 1);
}

TEST_F(FilterModel, AListReadAgainIsSearchedByItsNewNames)
{
    shown.setFilterText("mario");
    EXPECT_EQ(rows(), QStringList{"mario.zip"});
    shown.setFilterText("");
    // As many files as before, one under another name.
    ASSERT_TRUE(QFile::rename(path("mario.zip"), path("wario.zip")));
    source.reread();
    shown.setFilterText("mario");
    EXPECT_EQ(rows(), QStringList());
    shown.setFilterText("wario");
    EXPECT_EQ(rows(), QStringList{"wario.zip"});

    // Typed before the read that a refresh asks for: the new list is searched, not the rows of the old one.
    shown.setFilterText("");
    writeFile("zzz_new.gb", "x");
    source.reread();
    shown.setFilterText("zzz");
    EXPECT_EQ(rows(), QStringList{"zzz_new.gb"});

    // A change of the notes on the files repaints exactly the rows shown.
    shown.setFilterText(".gb");
    QSignalSpy changed(&shown, &QAbstractItemModel::dataChanged);
    source.notesChanged();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].value<QModelIndex>(), shown.index(0));
    EXPECT_EQ(changed[0][1].value<QModelIndex>(), shown.index(shown.rowCount() - 1));
    EXPECT_EQ(shown.rowCount(), 4);
}

TEST_F(FilterModel, NarrowingWideningAndChangedListsFilterAgain)
{
    // Every capital letter folds, the first and the last of the alphabet included.
    writeFile("ABCDEFGHIJKLMNOPQRSTUVWXYZ.gb", "x");
    writeFile("Popeye.gb", "x");
    // Typed before the read that a refresh asks for has happened: narrowing the old rows crashed.
    source.reread();
    shown.setFilterText("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(rows(), QStringList{"ABCDEFGHIJKLMNOPQRSTUVWXYZ.gb"});
    shown.setFilterText("ZELDA");
    EXPECT_EQ(rows(), QStringList{"zelda.gb"});

    // Deleting a letter widens again from the whole list, not from the rows "pok" left.
    shown.setFilterText("pok");
    EXPECT_EQ(rows(), QStringList{"pkmn_y.gb"});
    shown.setFilterText("po");
    EXPECT_EQ(rows(), QStringList({"pkmn_y.gb", "Popeye.gb"}));

    // A title given later that holds the words brings its game in.
    shown.setFilterText("tetris classic");
    EXPECT_EQ(rows(), QStringList());
    titles.insert("tetris", "Classic Blocks");
    shown.titlesChanged();
    EXPECT_EQ(rows(), QStringList{"tetris.gb"});

    // With the favourites shown, a game marked now shows at once.
    shown.setFilterText("");
    shown.setRows(ViewRows::Favourites);
    EXPECT_EQ(rows(), QStringList());
    records.insert("zelda", {true, {}, 0, 0});
    shown.recordsChanged();
    EXPECT_EQ(rows(), QStringList{"zelda.gb"});
    records.insert("popeye", {true, {}, 0, 0});
    shown.recordsChanged();
    EXPECT_EQ(rows(), QStringList({"Popeye.gb", "zelda.gb"}));
}

// ---- The play records ----

class Records : public BaseFolderTest
{
};

TEST_F(Records, LaunchesEndsAndFavouritesAreKeptAndJunkReadsAsAbsent)
{
    PlayRecords records(path("Partidas.ini"));
    const QDateTime when(QDate(2026, 3, 4), QTime(5, 6, 7), Qt::UTC);
    records.recordLaunch("Tetris", when);
    records.recordPlay("tetris", 90);
    records.recordLaunch("TETRIS", when.addDays(1));
    records.recordPlay("tetris", 29);
    records.recordPlay("tetris", 1);
    // A run the clock says took no time, or less than none (set back meanwhile), adds nothing.
    records.recordPlay("tetris", 0);
    records.recordPlay("tetris", -30);
    records.recordPlay("Kirby", -5);
    records.setFavourite("Zelda", true);
    records.setFavourite("", true); // a file name without "." names no game
    const PlayRecord tetris = PlayRecords(path("Partidas.ini")).record("tetris");
    EXPECT_EQ(tetris.lastPlayed, when.addDays(1));
    EXPECT_EQ(tetris.launches, 2);
    EXPECT_EQ(tetris.secondsPlayed, 120);
    EXPECT_FALSE(tetris.favourite);
    EXPECT_TRUE(records.record("zelda").favourite);
    EXPECT_FALSE(records.record("zelda").played());
    EXPECT_FALSE(readFile("Partidas.ini").contains("[]"));
    EXPECT_FALSE(readFile("Partidas.ini").contains("[Kirby]"));
    // Another process's change that keeps the file's size is seen too.
    PlayRecords(path("Partidas.ini")).setFavourite("Zelda", false);
    QFile file(path("Partidas.ini"));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    file.close();
    EXPECT_FALSE(records.record("zelda").favourite);
    // ... and one that keeps its time, as on a clock that counts whole seconds.
    const QDateTime time = QFileInfo(file).lastModified();
    PlayRecords(path("Partidas.ini")).setFavourite("Mario", true);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    file.setFileTime(time, QFileDevice::FileModificationTime);
    file.close();
    EXPECT_TRUE(records.record("mario").favourite);

    writeFile("Junk.ini", "[a]\r\nFavorito=yes\r\nUltima=ayer\r\nVeces=-4\r\nSegundos=1e9\r\n[b]\r\nVeces=x\r\n"
                          "[c]\r\nFavorito=1\r\nVeces=2\r\nSegundos=-50\r\n");
    const PlayRecords junkFile(path("Junk.ini"));
    const PlayRecord junk = junkFile.record("a");
    EXPECT_FALSE(junk.favourite);
    EXPECT_FALSE(junk.played());
    EXPECT_EQ(junk.launches, 0);
    EXPECT_EQ(junk.secondsPlayed, 0);
    // A negative time played reads as none; the rest of the record stands.
    const PlayRecord negative = junkFile.record("c");
    EXPECT_TRUE(negative.favourite);
    EXPECT_EQ(negative.launches, 2);
    EXPECT_EQ(negative.secondsPlayed, 0);
}

TEST_F(Records, TwoWritersOnOneFileLoseNoEntry)
{
    // Two writers at once, each with a copy read before the other wrote: every change re-reads the file under
    // the lock, so the writes take turns and none is lost.
    const QString file = path("Partidas.ini");
    const auto writer = [file](QChar prefix) {
        PlayRecords records(file);
        records.all();
        for (int i = 0; i < 40; ++i)
            records.recordLaunch(prefix + QString::number(i), QDateTime::currentDateTime());
    };
    std::thread first(writer, u'a');
    std::thread second(writer, u'b');
    first.join();
    second.join();
    const auto all = PlayRecords(file).all();
    EXPECT_EQ(all.size(), 80);
    EXPECT_EQ(all.value("a39").launches, 1);
    EXPECT_EQ(all.value("b0").launches, 1);
}

// ---- In the main window ----

class Finder : public MainWindowTest
{
protected:
    FilterField *field() const { return main().findChild<FilterField *>("FilterField"); }
};

TEST_F(Finder, TheFieldFiltersLaunchesAndKeepsItsTextAcrossViews)
{
    for (const char *name : {"alpha.gb", "beta.gb", "gamma.gbc"})
        writeFile(name, "x");
    writeSettings("[Directorios]\r\nZibo=" + path("zibo").toUtf8() + "\r\n");
    writeFile("zibo", "#!/bin/sh\n");
    start();
    EXPECT_EQ(field()->placeholderText(), "Buscar juego (Ctrl+F)");
    EXPECT_EQ(field()->accessibleName(), "Filtro de juegos");
    QTest::keyClick(main().listView(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(field()->hasFocus());

    QTest::keyClicks(field(), "ETA");
    EXPECT_EQ(main().statusPanel(1), QString::fromUtf8("Nº de Juegos = 1"));
    QTest::keyClick(field(), Qt::Key_Return);
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].arguments, QStringList{path("beta.gb")});
    EXPECT_EQ(PlayRecords().record("beta").launches, 1);
    EXPECT_EQ(main().findChild<QLabel *>("GameDetails")->isVisibleTo(&main()), true);

    // Another view keeps the words; Escape empties the field.
    item("Ga2")->trigger();
    EXPECT_EQ(main().statusPanel(1), QString::fromUtf8("Nº de Juegos = 0"));
    item("Tr")->trigger();
    EXPECT_EQ(field()->text(), "ETA");
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_EQ(field()->text(), "");
    EXPECT_EQ(main().statusPanel(1), QString::fromUtf8("Nº de Juegos = 3"));
}

TEST_F(Finder, AnEmulatorRunThatEndsShowsItsTimeUnderTheTitleAtOnce)
{
    writeFile("alpha.gb", "x");
    start();
    clickEntry("alpha.gb");
    const QDateTime at = QDateTime::currentDateTime();
    main().finder().emulatorStarted(path("alpha.gb"), at);
    main().finder().emulatorEnded(path("alpha.gb"), at.addSecs(90));
    EXPECT_TRUE(main()
                    .findChild<QLabel *>("GameDetails")
                    ->toolTip()
                    .contains(u'\n' + messageTable().text(FinderText::TimePlayed) + "1 min\n"));
}

TEST_F(Finder, DownGoesIntoTheListSelectingTheFirstGameOnlyWhenNoneIsSelected)
{
    for (const char *name : {"alpha.gb", "beta.gb"})
        writeFile(name, "x");
    start();
    for (const char *chosen : {"", "beta.gb"}) {
        if (*chosen)
            clickEntry(chosen);
        field()->setFocus();
        QTest::keyClick(field(), Qt::Key_Down);
        EXPECT_TRUE(main().listView()->hasFocus());
        const auto entry = main().session().selectedEntry();
        ASSERT_TRUE(entry);
        EXPECT_EQ(entry->fullPath, path(*chosen ? chosen : "alpha.gb"));
    }
}

TEST_F(Finder, ALaunchPutsItsGameFirstAmongTheRecentlyPlayedAtOnce)
{
    for (const char *name : {"alpha.gb", "beta.gb"})
        writeFile(name, "x");
    const QDateTime now = QDateTime::currentDateTime();
    PlayRecords().recordLaunch("alpha", now.addDays(-1));
    PlayRecords().recordLaunch("beta", now.addDays(-2));
    start();
    item("Recientes1")->trigger();
    const auto rows = [this] {
        QStringList shown;
        const QAbstractItemModel &model = *main().listView()->model();
        for (int row = 0; row < model.rowCount(); ++row)
            shown.append(model.index(row, 0).data().toString());
        return shown;
    };
    EXPECT_EQ(rows(), QStringList({"alpha.gb", "beta.gb"}));
    main().finder().emulatorStarted(path("beta.gb"), now);
    EXPECT_EQ(rows(), QStringList({"beta.gb", "alpha.gb"}));
}

TEST_F(Finder, EnterInTheFieldShowsTheShotTheSelectedGameHasNow)
{
    writeFile("alpha.gb", "x");
    writeSettings("[Directorios]\r\nZibo=" + path("zibo").toUtf8() + "\r\n");
    writeFile("zibo", "#!/bin/sh\n");
    start();
    clickEntry("alpha.gb");
    // Filed after the game was selected, as the emulator files its shots.
    QImage shot(6, 5, QImage::Format_RGB32);
    shot.fill(Qt::green);
    ASSERT_TRUE(shot.save(path("Shoots/alpha.bmp"), "BMP"));
    QTest::keyClick(field(), Qt::Key_Return);
    EXPECT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(windows().pictureViewer->image()->pixmap().size(), QSize(6, 5));
}

TEST_F(Finder, FavouriteMarksTheSelectedGameAndTakesTheMarkAway)
{
    for (const char *name : {"alpha.gb", "beta.gb"})
        writeFile(name, "x");
    start();
    clickEntry("beta.gb");
    item("Favorito1")->trigger();
    EXPECT_TRUE(PlayRecords().record("beta").favourite);
    EXPECT_FALSE(PlayRecords().record("alpha").favourite);
    EXPECT_TRUE(item("Favorito1")->isChecked());
    item("Favorito1")->trigger();
    EXPECT_FALSE(PlayRecords().record("beta").favourite);
}

} // namespace
