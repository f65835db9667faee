#include "MainWindowFixture.h"

#include "language/MessageTable.h"
#include "language/SafetyTexts.h"
#include "mainwindow/RomListModel.h"
#include "mainwindow/Views.h"
#include "platform/NameEncoding.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>

namespace {

// ---- The list model ----

class RomList : public BaseFolderTest
{
protected:
    QStringList list(RomListModel &model) const
    {
        QStringList names;
        for (int row = 0; row < model.count(); ++row)
            names.append(model.entry(row).caption);
        return names;
    }
};

TEST_F(RomList, PatternsAddFromLeftToRightThenEntriesSortWithoutCase)
{
    for (const char *name : {"b.gb", "A.GBC", "c.zip", "Tetris.gb", "readme.txt", "x.gbz", ".hidden.gb"})
        writeFile(name, "x");
    makeFolder("folder.gb");
    RomListModel model;
    QAbstractItemModelTester tester(&model);
    ASSERT_TRUE(model.setFolder(m_base));
    EXPECT_EQ(list(model), QStringList({".hidden.gb", "A.GBC", "b.gb", "c.zip", "Tetris.gb"}));
    // A file that matches two patterns is listed twice.
    model.setMask("*.gb;t*");
    EXPECT_EQ(list(model), QStringList({".hidden.gb", "b.gb", "Tetris.gb", "Tetris.gb"}));
    EXPECT_EQ(model.entry(2).fullPath, path("Tetris.gb"));
}

TEST_F(RomList, WildcardsMatchWholeNamesWithoutCase)
{
    EXPECT_TRUE(RomListModel::matches(u"*.gb", u"GAME.GB"));
    EXPECT_FALSE(RomListModel::matches(u"*.gb", u"game.gbc"));
    EXPECT_FALSE(RomListModel::matches(u"*.gb", u"game.gb.txt"));
    EXPECT_TRUE(RomListModel::matches(u"*.gb", u"a.b.gb"));
    EXPECT_TRUE(RomListModel::matches(u"?.zip", u"X.ZIP"));
    EXPECT_TRUE(RomListModel::matches(u"*", u""));
    EXPECT_TRUE(RomListModel::matches(u"*.gbc", QString::fromUtf8("Pokémon ÑOÑO.GBC")));
}

TEST_F(RomList, NamesWithBlanksQuotesAndOtherLettersAreListedAsThey)
{
    const QStringList names{"con blanco.gb", "comillas \"dobles\".gb", "$(touch x);.gb", QString::fromUtf8("Ñandú.gb"),
                            QString::fromUtf8("ポケモン.gb")};
    for (const QString &name : names)
        writeFile(name, "x");
    RomListModel model;
    model.setFolder(m_base);
    EXPECT_EQ(model.count(), names.size());
    for (int row = 0; row < model.count(); ++row)
        EXPECT_TRUE(QFile::exists(model.entry(row).fullPath)) << qPrintable(model.entry(row).caption);
    EXPECT_FALSE(QFile::exists(path("x")));

    // The list's own editor: a refused or taken name says so to the view and renames nothing.
    const auto rowOf = [&model](const QString &name) {
        for (int row = 0; row < model.count(); ++row)
            if (model.entry(row).caption == name)
                return model.index(row);
        return QModelIndex();
    };
    EXPECT_FALSE(model.setData(rowOf("con blanco.gb"), "a/b.gb", Qt::EditRole));
    EXPECT_FALSE(model.setData(rowOf("con blanco.gb"), QString::fromUtf8("Ñandú.gb"), Qt::EditRole));
    EXPECT_EQ(model.count(), names.size());
    EXPECT_TRUE(QFile::exists(path("con blanco.gb")));
    EXPECT_TRUE(model.setData(rowOf("con blanco.gb"), "sin blanco.gb", Qt::EditRole));
    EXPECT_TRUE(QFile::exists(path("sin blanco.gb")));
    EXPECT_TRUE(rowOf("sin blanco.gb").isValid());
}

// A Latin-1 name copied from Windows showed as "Pok\uFFFDmon.gb" like any other and could not be used; it is
// marked, says why, and "Reparar nombre" gives it its name as text without replacing a file.
TEST_F(RomList, ANameThatIsNotTextIsMarkedAndRepairedThroughItsBytes)
{
    writeFile("Tetris.gb", "x");
    const QString shown = writeRawNamed(m_base, "Pok\xe9mon.gb", "rom");
    writeRawNamed(m_base, "Caf\xe9.gb", "mine");
    writeFile(QString::fromUtf8("Café.gb"), "taken");
    RomListModel model;
    // A feature with nothing to say adds nothing to what assistive tools read.
    model.addRowNotes([](const RomListModel::Entry &) { return RomListModel::RowNote{}; });
    model.setFolder(m_base);
    EXPECT_EQ(model.entry(3).caption, "Tetris.gb"); // the folder is read when an entry is first asked for
    ASSERT_EQ(model.count(), 4);
    const QModelIndex pokemon = model.index(2);
    ASSERT_EQ(model.entry(2).caption, shown);
    EXPECT_EQ(model.entry(2).rawName, "Pok\xe9mon.gb");
    EXPECT_EQ(model.data(pokemon, RomListModel::MarksRole).toString(), QString::fromUtf8("\u26A0"));
    EXPECT_TRUE(
        model.data(pokemon, Qt::ToolTipRole)
            .toString()
            .endsWith(messageTable().text(SafetyText::UndecodableNameTip).arg(QString::fromUtf8("Pokémon.gb"))));
    EXPECT_TRUE(model.entry(3).rawName.isEmpty());
    EXPECT_TRUE(model.data(model.index(3), RomListModel::MarksRole).toString().isEmpty());
    EXPECT_FALSE(model.data(model.index(3), Qt::AccessibleDescriptionRole).isValid());
    int shownAgain = 0;
    QObject::connect(&model, &QAbstractItemModel::dataChanged, [&shownAgain] { ++shownAgain; });
    model.notesChanged();
    EXPECT_EQ(shownAgain, 1);
    EXPECT_EQ(model.data(pokemon, Qt::AccessibleDescriptionRole).toString(),
              messageTable().text(SafetyText::UndecodableNameTip).arg(QString::fromUtf8("Pokémon.gb")));

    // A name that is already text is left as it is: read as Windows-1252 its bytes would give "CafÃ©.gb".
    EXPECT_FALSE(NameEncoding::repair(m_base, QByteArray("Caf\xc3\xa9.gb")));
    EXPECT_FALSE(NameEncoding::repair(m_base, "Tetris.gb"));
    EXPECT_FALSE(QFile::exists(path(QString::fromUtf8("CafÃ©.gb"))));
    EXPECT_EQ(readFile("Tetris.gb"), "x");
    EXPECT_TRUE(NameEncoding::repair(m_base, "Pok\xe9mon.gb"));
    EXPECT_FALSE(NameEncoding::repair(m_base, "Caf\xe9.gb"));
    EXPECT_EQ(readFile(QString::fromUtf8("Pokémon.gb")), "rom");
    EXPECT_EQ(readFile(QString::fromUtf8("Café.gb")), "taken");
    model.reread();
    EXPECT_EQ(list(model).size(), 4);
    EXPECT_EQ(model.entry(2).caption, QString::fromUtf8("Pokémon.gb"));
}

TEST_F(RomList, SettingAFolderIgnoresTheSameOrAMissingFolderAndFollowsTheCurrentFolder)
{
    makeFolder("roms");
    writeFile("roms/a.gb", "x");
    RomListModel model;
    EXPECT_TRUE(model.setFolder(path("roms")));
    EXPECT_EQ(model.folder(), path("roms") + '/');
    EXPECT_EQ(QDir::currentPath(), path("roms"));
    EXPECT_FALSE(model.setFolder(path("roms") + '/'));
    EXPECT_FALSE(model.setFolder(path("nowhere")));
    EXPECT_FALSE(model.setFolder(""));
    EXPECT_EQ(model.folder(), path("roms") + '/');
    model.setMask("*.gb;*.zip;*.gbc;*.cgb;*.sgb"); // unchanged: nothing happens
    EXPECT_EQ(model.count(), 1);
}

TEST_F(RomList, AFolderThatVanishesOrCannotBeReadGivesAnEmptyList)
{
    makeFolder("roms");
    writeFile("roms/a.gb", "x");
    RomListModel model;
    model.setFolder(path("roms"));
    QDir(path("roms")).removeRecursively();
    model.reread();
    EXPECT_EQ(model.count(), 0);

    makeFolder("locked");
    writeFile("locked/b.gb", "x");
    QFile::setPermissions(path("locked"), QFileDevice::WriteOwner);
    if (QDir(path("locked")).entryList(QDir::Files).isEmpty()) { // root reads everything
        model.setFolder(path("locked"));
        EXPECT_EQ(model.count(), 0);
    }
}

TEST_F(RomList, LinksCountAsWhatTheyPointToAndOtherEntriesAreListed)
{
    makeFolder("roms");
    makeFolder("roms/sub.gb");
    writeFile("roms/real.gb", "x");
    ASSERT_TRUE(QFile::link(path("roms/real.gb"), path("roms/link.gb")));
    ASSERT_TRUE(QFile::link(path("roms/sub.gb"), path("roms/folderlink.gb")));
    ASSERT_TRUE(QFile::link(path("roms/gone"), path("roms/broken.gb")));
    RomListModel model;
    model.setFolder(path("roms"));
    EXPECT_EQ(list(model), QStringList({"broken.gb", "link.gb", "real.gb"}));
}

TEST_F(RomList, SeveralRereadsInOneTurnReadTheFolderOnce)
{
    for (const char *name : {"a.gb", "b.gbc", "c.zip"})
        writeFile(name, "x");
    RomListModel model;
    QAbstractItemModelTester tester(&model);
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    model.setFolder(m_base);
    model.setMask("*.gb;*.gbc");
    model.reread();
    EXPECT_EQ(resets, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), 2);
    // Asking for the entries reads at once, so code always sees the folder as it is now.
    writeFile("d.gb", "x");
    model.reread();
    EXPECT_EQ(list(model), QStringList({"a.gb", "b.gbc", "d.gb"}));
    QCoreApplication::processEvents();
    EXPECT_EQ(resets, 2);
}

// ---- Views in the main window ----

class ViewsTest : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char *name : {"a.gb", "b.gbc", "c.cgb", "d.sgb", "e.gbz", "f.zip", "g.Zip"})
            writeFile(name, "x");
    }
};

TEST_F(ViewsTest, TheStoredViewIsRestoredWithItsMarker)
{
    writeSettings("[Configuracion]\r\nTroms=6\r\n");
    start();
    EXPECT_EQ(captions(), QStringList{"d.sgb"});
    EXPECT_FALSE(item("sgb")->icon().isNull());
    EXPECT_TRUE(item("Tr")->icon().isNull());
}

TEST_F(ViewsTest, AViewNumberOutsideTheSixKeepsTheListsOwnMask)
{
    writeSettings("[Configuracion]\r\nTroms=9\r\n");
    start();
    EXPECT_EQ(captions(), QStringList({"a.gb", "b.gbc", "c.cgb", "d.sgb", "f.zip", "g.Zip"}));
    EXPECT_FALSE(item("Tr")->icon().isNull());
    EXPECT_EQ(readFile("Cartling.ini"), "[Configuracion]\r\nTroms=9\r\n");
}

TEST_F(ViewsTest, ChoosingAViewStoresItAndARestartRestoresIt)
{
    start();
    const QStringList all = captions();
    EXPECT_EQ(all.size(), 7);
    writeFile("h.gb", "new");
    item("ZipRoms1")->trigger();
    EXPECT_EQ(captions(), QStringList({"f.zip", "g.Zip"}));
    EXPECT_FALSE(item("ZipRoms1")->icon().isNull());
    EXPECT_TRUE(item("Tr")->icon().isNull());
    EXPECT_EQ(main().statusPanel(1), QString::fromUtf8("Nº de Juegos = 2"));
    EXPECT_TRUE(main().findChild<QLabel *>("AHMLabel1")->text().isEmpty());
    stop();
    start();
    EXPECT_EQ(captions(), QStringList({"f.zip", "g.Zip"}));
    item("Tr")->trigger();
    EXPECT_EQ(captions().size(), 8);
}

TEST_F(ViewsTest, ChoosingTheMarkedViewAgainDoesNotReread)
{
    start();
    writeFile("new.gb", "x");
    item("Tr")->trigger();
    EXPECT_EQ(captions().size(), 7);
    item("Actualizar1")->trigger();
    EXPECT_EQ(captions().size(), 8);
}

TEST_F(ViewsTest, ViewsLeaveTheScreenshotSwitchAlone)
{
    writeSettings("[Configuracion]\r\nshoots=1\r\n");
    start();
    EXPECT_TRUE(item("ss")->isChecked());
    item("Ga1")->trigger();
    EXPECT_TRUE(item("ss")->isChecked());
    EXPECT_EQ(captions(), QStringList{"a.gb"});
}

TEST_F(ViewsTest, RefreshReadsTheStoredFolderAgainOrKeepsAMissingOne)
{
    makeFolder("otra");
    writeFile("otra/z.gb", "x");
    start();
    writeSettings(QByteArray("[Directorios]\r\nRoms=") + path("otra").toUtf8() + "\r\n");
    item("Actualizar2")->trigger();
    EXPECT_EQ(captions(), QStringList{"z.gb"});
    writeSettings("[Directorios]\r\nRoms=/gone\r\n");
    writeFile("otra/y.gb", "x");
    item("Actualizar1")->trigger();
    EXPECT_EQ(captions(), QStringList({"y.gb", "z.gb"}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

} // namespace
