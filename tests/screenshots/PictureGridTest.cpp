#include "ShotFiles.h"
#include "TestSupport.h"

#include "mainwindow/RomListModel.h"
#include "mainwindow/RomListView.h"
#include "screenshots/PictureGrid.h"
#include "screenshots/TileDelegate.h"
#include "screenshots/TileLoader.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QPainter>
#include <QStandardItemModel>
#include <QSignalSpy>
#include <QTest>

namespace {

class PictureGridTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        makeFolder("Roms");
        makeFolder("Shoots");
        for (const char *name : {"Alleyway.gb", "Boxxle.gbc", "Castelian.zip", "Dr Mario.gb"})
            writeFile(QString("Roms/") + name, "x");
        writeFile("Shoots/alleyway.bmp", bitmapBytes(QImage(screenPicture(Qt::red))));
        m_model.setFolder(path("Roms"));
        m_list.setModel(&m_model);
        m_grid = std::make_unique<PictureGrid>(&m_model, m_list.selectionModel(), m_base);
        m_grid->resize(2 * 150 + 20, 500); // two tiles a row
        m_grid->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_grid.get()));
    }

    QModelIndex index(int row) const { return m_model.index(row); }
    QPoint centreOf(int row) const { return m_grid->visualRect(index(row)).center(); }
    QModelIndexList selected() const { return m_list.selectionModel()->selectedIndexes(); }

    RomListModel m_model;
    RomListView m_list;
    std::unique_ptr<PictureGrid> m_grid;
};

// Clicks, double clicks, Enter and renaming through the main window are tested there; here what the grid
// adds to the list's handling: moving over rows of tiles, and the pop-up menu from a tile.
TEST_F(PictureGridTest, ArrowsMoveOverTheGridAndThePopupMenuIsAsked)
{
    QSignalSpy keys(m_grid.get(), &RomListView::keyReleased);
    QSignalSpy popup(m_grid.get(), &RomListView::popupRequested);

    QTest::mouseClick(m_grid->viewport(), Qt::LeftButton, {}, centreOf(1));
    EXPECT_EQ(selected(), QModelIndexList{index(1)});
    m_grid->setFocus();
    QTest::keyClick(m_grid.get(), Qt::Key_Down); // one row of two tiles further
    EXPECT_EQ(selected(), QModelIndexList{index(3)});
    QTest::keyClick(m_grid.get(), Qt::Key_Left);
    EXPECT_EQ(selected(), QModelIndexList{index(2)});
    EXPECT_EQ(keys.count(), 2);

    QContextMenuEvent menu(QContextMenuEvent::Mouse, centreOf(0), m_grid->viewport()->mapToGlobal(centreOf(0)));
    QApplication::sendEvent(m_grid->viewport(), &menu);
    EXPECT_EQ(popup.count(), 1);
}

TEST_F(PictureGridTest, ATileShowsItsShotOnceLoaded)
{
    EXPECT_TRUE(QTest::qWaitFor([&] { return !m_grid->tiles().busy(); }, 10000));
    QApplication::processEvents();
    const QImage shown = m_grid->viewport()->grab().toImage();
    const QRect tile = m_grid->visualRect(index(0));
    // The shot's lower red band: 105 of its 144 rows, scaled to 128 wide and centred in the picture's square.
    const QColor middle = shown.pixelColor(tile.center().x(), tile.top() + 6 + (128 - 115) / 2 + 105 * 115 / 144);
    EXPECT_EQ(middle, QColor(Qt::red)) << middle.name().toStdString();
}

// A name too long for the caption's lines is cut on its last line; nothing is drawn into the tile below.
TEST_F(PictureGridTest, ALongNameStaysWithinItsTile)
{
    TileLoader tiles(m_base);
    TileDelegate delegate(tiles);
    QStandardItemModel names;
    auto *item = new QStandardItem(QString(400, u'W'));
    item->setData(path("Roms/long.gb"), RomListModel::FullPathRole);
    names.appendRow(item);

    QStyleOptionViewItem option;
    option.initFrom(m_grid.get());
    option.state = QStyle::State_Enabled;
    const QSize cell = TileDelegate::cellSize(option.fontMetrics);
    option.rect = QRect(QPoint(0, 0), cell);
    QImage image(cell.width(), cell.height() * 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.fillRect(option.rect, Qt::white);
        delegate.paint(&painter, option, names.index(0, 0));
    }
    const QImage below = image.copy(0, cell.height(), cell.width(), cell.height());
    QImage white(below.size(), below.format());
    white.fill(Qt::white);
    EXPECT_EQ(below, white);
    EXPECT_NE(image.copy(QRect(QPoint(0, 0), cell)), white); // the tile itself was drawn
}

} // namespace
