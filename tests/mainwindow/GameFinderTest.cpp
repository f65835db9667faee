#include "MainWindowFixture.h"

#include "language/MessageTable.h"

#include "library/PlayRecords.h"
#include "library/SearchText.h"
#include "mainwindow/FilterField.h"
#include "mainwindow/GameFilterModel.h"
#include "mainwindow/GameFinder.h"

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QTest>

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
    records.recordPlay("tetris", 30);
    records.setFavourite("Zelda", true);
    const PlayRecord tetris = PlayRecords(path("Partidas.ini")).record("tetris");
    EXPECT_EQ(tetris.lastPlayed, when.addDays(1));
    EXPECT_EQ(tetris.launches, 2);
    EXPECT_EQ(tetris.secondsPlayed, 120);
    EXPECT_FALSE(tetris.favourite);
    EXPECT_TRUE(records.record("zelda").favourite);
    EXPECT_FALSE(records.record("zelda").played());

    writeFile("Junk.ini", "[a]\r\nFavorito=yes\r\nUltima=ayer\r\nVeces=-4\r\nSegundos=1e9\r\n[b]\r\nVeces=x\r\n");
    const PlayRecord junk = PlayRecords(path("Junk.ini")).record("a");
    EXPECT_FALSE(junk.favourite);
    EXPECT_FALSE(junk.played());
    EXPECT_EQ(junk.launches, 0);
    EXPECT_EQ(junk.secondsPlayed, 0);
}

TEST_F(Records, TwoWritersOnOneFileLoseNoEntry)
{
    // Each writer read the file before the other wrote: every change re-reads under the lock.
    PlayRecords first(path("Partidas.ini"));
    PlayRecords second(path("Partidas.ini"));
    first.all();
    second.all();
    for (int i = 0; i < 20; ++i) {
        first.recordLaunch(QStringLiteral("a%1").arg(i), QDateTime::currentDateTime());
        second.recordLaunch(QStringLiteral("b%1").arg(i), QDateTime::currentDateTime());
    }
    EXPECT_EQ(PlayRecords(path("Partidas.ini")).all().size(), 40);
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
    EXPECT_FALSE(field()->placeholderText().isEmpty());
    EXPECT_FALSE(field()->accessibleName().isEmpty());
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
    EXPECT_TRUE(main().findChild<QLabel *>("GameDetails")->toolTip().contains(
        u'\n' + messageTable().text(FinderText::TimePlayed) + "1 min\n"));
}

} // namespace
