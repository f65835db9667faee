#include "screenshots/PictureGrid.h"

#include "mainwindow/RomListModel.h"
#include "screenshots/TileDelegate.h"
#include "screenshots/TileLoader.h"
#include "screenshots/TilePicture.h"

#include <QEvent>
#include <QScrollBar>
#include <QTimer>

namespace {

// Tiles kept in memory: at least this many screens of them, so scrolling back a little costs nothing.
constexpr int ScreensKept = 4;

} // namespace

PictureGrid::PictureGrid(QAbstractItemModel *model, QItemSelectionModel *selection, const QString &baseFolder,
                         QWidget *parent, ThumbnailCache cache)
    : RomListView(parent), m_tiles(new TileLoader(baseFolder, std::move(cache), this)),
      m_delegate(new TileDelegate(*m_tiles, this))
{
    // Rows of tiles wrapped like lines of text: laid out in a quarter of the time the icon mode takes, which
    // counts when a window of 100,000 games is resized.
    setViewMode(QListView::ListMode);
    setMovement(QListView::Static);
    setFlow(QListView::LeftToRight);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setDragEnabled(false);
    setSelectionRectVisible(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // A scroll bar that comes and goes would change the columns, and the rows with them, and back.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSpacing(0);
    m_cell = TileDelegate::cellSize(fontMetrics());
    setGridSize(m_cell);
    verticalScrollBar()->setSingleStep(m_cell.height() / 3);
    setItemDelegate(m_delegate);

    setModel(model);
    // One selection for both views: the grid drops the selection model that setModel made for it.
    QItemSelectionModel *own = selectionModel();
    setSelectionModel(selection);
    if (own != selection)
        delete own;

    connect(m_tiles, &TileLoader::tilesChanged, viewport(), qOverload<>(&QWidget::update));
}

PictureGrid::~PictureGrid() = default;

void PictureGrid::shotFiled()
{
    m_tiles->shotFiled();
}

int PictureGrid::columns() const
{
    // The view wraps a row before its last pixel column.
    return qMax(1, (viewport()->width() - 1) / m_cell.width());
}

void PictureGrid::paintEvent(QPaintEvent *event)
{
    prefetchBeside();
    RomListView::paintEvent(event);
}

void PictureGrid::prefetchBeside()
{
    const QAbstractItemModel *list = model();
    if (!list)
        return;
    const int rows = list->rowCount();
    const int perRow = columns();
    const int shownRows = viewport()->height() / m_cell.height() + 2;
    const int first = verticalOffset() / m_cell.height() * perRow;
    const int last = first + shownRows * perRow; // one past the last shown
    const int page = shownRows * perRow;
    const auto ask = [&](int from, int to) {
        for (int row = qMax(0, from); row < qMin(rows, to); ++row)
            m_tiles->prefetch(list->index(row, 0).data(RomListModel::FullPathRole).toString());
    };
    // The side the user scrolls towards is asked last, so it comes first.
    if (m_scrollingDown) {
        ask(first - page, first);
        ask(last, last + page);
    } else {
        ask(last, last + page);
        ask(first - page, first);
    }
}

void PictureGrid::scrollContentsBy(int dx, int dy)
{
    if (dy != 0)
        m_scrollingDown = dy < 0;
    RomListView::scrollContentsBy(dx, dy);
}

void PictureGrid::showEvent(QShowEvent *event)
{
    RomListView::showEvent(event);
    // The list may have moved the selection while the grid was hidden; it is shown once the grid has its
    // size (the window may grow to make room for it).
    QTimer::singleShot(0, this, [this] {
        const QModelIndexList selected = selectionModel() ? selectionModel()->selectedIndexes() : QModelIndexList();
        if (!selected.isEmpty())
            scrollTo(selected.first(), QAbstractItemView::PositionAtCenter);
    });
}

void PictureGrid::resizeEvent(QResizeEvent *event)
{
    RomListView::resizeEvent(event);
    // The columns share the width, so the room left over does not gather at the right.
    const int width = (viewport()->width() - 1) / columns();
    if (width != gridSize().width())
        setGridSize(QSize(width, m_cell.height()));
    fitMemoryToScreen();
}

void PictureGrid::fitMemoryToScreen()
{
    const int shown = columns() * (viewport()->height() / m_cell.height() + 2);
    const qint64 tileBytes = qint64(TilePicture::Side) * TilePicture::Side * 4;
    // Three screens are asked for at a time (the one shown and one on either side); more are kept.
    m_tiles->setMemoryBudget(qMax(m_tiles->memoryBudget(), ScreensKept * shown * tileBytes));
}

void PictureGrid::changeEvent(QEvent *event)
{
    // Back from another program, which may have replaced a shot in place: the tiles shown are checked.
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        m_tiles->recheck();
    RomListView::changeEvent(event);
}
