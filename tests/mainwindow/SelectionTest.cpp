#include "MainWindowFixture.h"

#include "emulator/Launcher.h"
#include "mainwindow/MenuStates.h"
#include "mainwindow/RomFolderDialog.h"
#include "mainwindow/Windows.h"

#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class Selection : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char *name : {"Juego.gb", "Otro.Zip", "tercero.gbc"})
            writeFile(name, "x");
    }

    // The enabled state of every item that follows the selection.
    QStringList enabledItems() const
    {
        QStringList on;
        for (const SelectionItem &i : kSelectionItems) {
            if (main().action(i.action)->isEnabled())
                on.append(i.action);
        }
        return on;
    }
};

TEST_F(Selection, AClickEnablesTheItemsForAFileOrAnArchive)
{
    start();
    clickEntry("Juego.gb");
    QStringList all;
    for (const SelectionItem &i : kSelectionItems)
        all.append(i.action);
    QStringList notArchive = all;
    notArchive.removeAll("Descomprimir1");
    notArchive.removeAll("Descomprimir2");
    EXPECT_EQ(enabledItems(), notArchive);

    clickEntry("Otro.Zip");
    QStringList archive = all;
    archive.removeAll("Comprimir1");
    archive.removeAll("Comprimir2");
    EXPECT_EQ(enabledItems(), archive);

    clickEmptySpace();
    EXPECT_FALSE(main().session().selectedEntry());
    EXPECT_EQ(enabledItems(), QStringList());
}

TEST_F(Selection, TheCommandLinePreviewAndItsLength)
{
    EXPECT_EQ(Launcher::commandLine("C:/Emu/zibo.exe", "C:/Roms/Juego.gb"), "C:/Emu/zibo.exe \"C:/Roms/Juego.gb\"");
    EXPECT_EQ(Launcher::commandLine("C:/Emu/zibo.exe", "C:/Roms/Juego.gb").size(), 34);

    writeSettings("[Directorios]\r\nZibo=/emu/zibo\r\n");
    start();
    clickEntry("Juego.gb");
    const QString expected = "/emu/zibo \"" + path("Juego.gb") + "\"";
    EXPECT_EQ(main().session().commandLinePreview(), expected);
    EXPECT_EQ(main().statusPanel(0), QString::number(expected.size()));
    EXPECT_EQ(main().session().packingList(), QStringList{path("Juego.gb")});
}

TEST_F(Selection, KeysAndThePopupMenuRunTheSelectionHandlingToo)
{
    start();
    QListView *view = main().listView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Down); // the focus mark is on the first entry; Down selects the second
    ASSERT_TRUE(main().session().selectedEntry());
    EXPECT_EQ(main().session().selectedEntry()->caption, "Otro.Zip");
    EXPECT_TRUE(main().action("Descomprimir2")->isEnabled());
    EXPECT_EQ(main().session().packingList(), QStringList{path("Otro.Zip")});

    view->selectionModel()->select(view->model()->index(2, 0), QItemSelectionModel::ClearAndSelect);
    main().gameList().popupOpening();
    EXPECT_TRUE(main().action("Comprimir1")->isEnabled());
    EXPECT_EQ(main().session().packingList(), QStringList{path("tercero.gbc")});
}

TEST_F(Selection, NothingIsSelectedAfterARereadAndNothingStarts)
{
    writeFile("zibo", "#!/bin/sh\n");
    start();
    clickEntry("Juego.gb");
    item("Actualizar1")->trigger();
    EXPECT_FALSE(main().session().selectedEntry());
    EXPECT_EQ(main().listView()->currentIndex().row(), 0); // the focus mark, not a selection

    QTest::mouseClick(main().findChild<QPushButton *>("Button1"), Qt::LeftButton);
    main().listView()->setFocus();
    QTest::keyClick(main().listView(), Qt::Key_Return);
    QTest::mouseDClick(main().listView()->viewport(), Qt::LeftButton, {}, QPoint(5, main().listView()->height() - 5));
    item("Jugar1")->trigger();
    EXPECT_TRUE(m_starter.starts.isEmpty());
    EXPECT_FALSE(main().screenshots().timer()->isActive());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(Selection, DoubleClickAndEnterLaunchTheSelectedEntry)
{
    makeFolder("emu");
    writeFile("emu/zibo", "#!/bin/sh\n");
    writeSettings(QByteArray("[Directorios]\r\nZibo=") + path("emu/zibo").toUtf8() +
                  "\r\nZibod=" + path("emu/").toUtf8() + "\r\n");
    start();
    clickEntry("tercero.gbc");
    QListView *view = main().listView();
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(view->model()->index(2, 0)).center());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_Enter);
    ASSERT_EQ(m_starter.starts.size(), 2);
    EXPECT_EQ(m_starter.starts[0].arguments, QStringList{path("tercero.gbc")});
    EXPECT_EQ(m_starter.starts[1].arguments, QStringList{path("tercero.gbc")});
}

// ---- The ROM folder dialog and the emulator ----

TEST_F(Selection, TheFolderDialogPreviewsStoresOrPutsTheStoredFolderBack)
{
    makeFolder("a");
    makeFolder("b");
    writeFile("a/uno.gb", "x");
    writeFile("b/dos.gb", "x");
    start();
    RomFolderDialog &dialog = *windows().romFolderDialog;
    dialog.show();
    dialog.setTreeFolder(path("a"));
    dialog.folderClicked();
    EXPECT_EQ(captions(), QStringList{"uno.gb"});
    dialog.setTreeFolder(path("b"));
    dialog.folderClicked();
    EXPECT_EQ(captions(), QStringList{"dos.gb"});
    QTest::keyClick(&dialog, Qt::Key_Escape); // Cancelar: nothing stored, the base folder again
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(captions(), QStringList({"Juego.gb", "Otro.Zip", "tercero.gbc"}));
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));

    dialog.show();
    dialog.setTreeFolder(path("b"));
    dialog.folderClicked();
    QTest::mouseClick(dialog.findChild<QPushButton *>("Button1"), Qt::LeftButton);
    EXPECT_EQ(captions(), QStringList{"dos.gb"});
    EXPECT_EQ(readFile("Cartling.ini"), "[Directorios]\r\nRoms=" + path("b").toUtf8() + "\r\n");

    // The close box keeps the preview and stores nothing.
    dialog.show();
    dialog.setTreeFolder(path("a"));
    dialog.folderClicked();
    dialog.close();
    EXPECT_EQ(captions(), QStringList{"uno.gb"});
    EXPECT_EQ(readFile("Cartling.ini"), "[Directorios]\r\nRoms=" + path("b").toUtf8() + "\r\n");
}

TEST_F(Selection, LocatingTheEmulatorStoresItsPathAndFolder)
{
    start();
    main().launches().storeEmulatorPath("");
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));
    main().launches().storeEmulatorPath("/opt/Emu Zibo/zibo");
    EXPECT_EQ(readFile("Cartling.ini"), "[Directorios]\r\nZibo=/opt/Emu Zibo/zibo\r\nZibod=/opt/Emu Zibo/\r\n");
}

} // namespace
