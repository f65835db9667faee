#include "MainWindowFixture.h"

#include "app/Session.h"
#include "mainwindow/FileActions.h"
#include "mainwindow/PictureViewActions.h"
#include "screenshots/PictureGrid.h"

#include <QAction>
#include <QLineEdit>
#include <QListView>
#include <QStackedWidget>
#include <QTest>

namespace {

class PictureView : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("emu");
        writeFile("emu/zibo", "#!/bin/sh\n");
        writeSettings(QByteArray("[Directorios]\r\nZibo=") + path("emu/zibo").toUtf8() +
                      "\r\nZibod=" + path("emu/").toUtf8() + "\r\n");
        for (const char *name : {"Juego.gb", "Otro.gb", "tercero.gbc"})
            writeFile(name, "x");
    }

    PictureGrid *grid() const { return main().pictures().grid(); }
    QPoint tileOf(const QString &caption) const
    {
        const QAbstractItemModel *rows = grid()->model();
        for (int row = 0; row < rows->rowCount(); ++row) {
            const QModelIndex index = rows->index(row, 0);
            if (index.data(Qt::DisplayRole).toString() == caption)
                return grid()->visualRect(index).center();
        }
        ADD_FAILURE() << "no tile " << qPrintable(caption);
        return {};
    }
    void clickTile(const QString &caption) const
    {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, tileOf(caption));
    }
};

TEST_F(PictureView, TheGridIsTheListShownAnotherWay)
{
    start();
    clickEntry("Otro.gb");
    item("VistaImagenes1")->trigger();
    ASSERT_NE(grid(), nullptr);
    EXPECT_TRUE(grid()->isVisible());
    EXPECT_FALSE(main().listView()->isVisible());
    EXPECT_EQ(grid()->selectionModel(), main().listView()->selectionModel());
    EXPECT_TRUE(readFile("Cartling.ini").contains("VistaImagenes=1"));

    // A click selects, and the menus, the preview and the details follow, as in the list.
    clickTile("tercero.gbc");
    ASSERT_TRUE(main().session().selectedEntry());
    EXPECT_EQ(main().session().selectedEntry()->caption, "tercero.gbc");
    EXPECT_TRUE(item("Eliminar")->isEnabled());
    EXPECT_TRUE(main().session().commandLinePreview().endsWith("tercero.gbc\""));

    // A double click and Enter start the game.
    QTest::mouseDClick(grid()->viewport(), Qt::LeftButton, {}, tileOf("tercero.gbc"));
    QTest::keyClick(grid(), Qt::Key_Enter);
    ASSERT_EQ(m_starter.starts.size(), 2);
    EXPECT_EQ(m_starter.starts[1].arguments, QStringList{path("tercero.gbc")});

    // Renaming from the menu edits the name in the grid.
    item("Rename")->trigger();
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(grid()->isAncestorOf(editor));
    editor->setText("cuarto.gbc");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
    EXPECT_EQ(captions(), QStringList({"cuarto.gbc", "Juego.gb", "Otro.gb"}));

    // Deleting the selected tile, and the count.
    clickTile("Juego.gb");
    m_messages.answer = true;
    item("Eliminar")->trigger();
    EXPECT_EQ(m_trash.moved, QStringList{path("Juego.gb")});
    EXPECT_EQ(grid()->model()->rowCount(), 2);
    EXPECT_TRUE(main().statusPanel(1).endsWith("2"));

    // The list shows the selection made in the grid.
    clickTile("Otro.gb");
    item("VistaImagenes1")->trigger();
    EXPECT_TRUE(main().listView()->isVisible());
    EXPECT_EQ(main().listView()->selectionModel()->selectedIndexes().value(0).data().toString(), "Otro.gb");
    EXPECT_TRUE(readFile("Cartling.ini").contains("VistaImagenes=0"));
}

TEST_F(PictureView, TheChoiceIsKeptForTheNextStart)
{
    start();
    EXPECT_EQ(grid(), nullptr); // never made while the list is chosen
    item("VistaImagenes1")->trigger();
    stop();
    start();
    EXPECT_TRUE(item("VistaImagenes1")->isChecked());
    ASSERT_NE(grid(), nullptr);
    EXPECT_TRUE(grid()->isVisible());
}

} // namespace
