#include "mainwindow/PictureViewActions.h"

#include "mainwindow/GameList.h"
#include "mainwindow/MainMenus.h"
#include "mainwindow/RomListView.h"
#include "mainwindow/ScreenshotActions.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"
#include "platform/FormWindow.h"
#include "screenshots/PictureGrid.h"
#include "screenshots/PictureViewText.h"
#include "screenshots/TileDelegate.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTimer>

namespace {

// What the grid should hold when it is switched on in a window smaller than that.
constexpr int TilesAcross = 4;
constexpr int TileRows = 2;

} // namespace

PictureViewActions::PictureViewActions(GameList &list, MainMenus &menus, QStackedWidget &listArea,
                                       ScreenshotActions &screenshots)
    : QObject(&menus), m_list(list), m_area(listArea)
{
    m_item = menus.addFeatureItem(menus.menu("AHMMenuItem3"), "VistaImagenes1", PictureViewText::ViewItem,
                                  QKeySequence(Qt::CTRL | Qt::Key_M), menus.item("ss"));
    m_item->setCheckable(true);
    connect(m_item, &QAction::triggered, this, guarded([this](bool on) { setPictureView(on); }));
    connect(&screenshots, &ScreenshotActions::shotFiled, this, [this] {
        if (m_grid)
            m_grid->shotFiled();
    });
    if (SettingsFile().read(Keys::PictureView)) {
        m_item->setChecked(true);
        show(true);
        // Once the window is up, at its stored size, it makes room for the tiles if it has too little.
        QTimer::singleShot(0, this, [this] { makeRoomForTiles(); });
    }
}

void PictureViewActions::setPictureView(bool on)
{
    m_item->setChecked(on);
    show(on);
    SettingsFile().write(Keys::PictureView, on); // a refused write is reported; the view stays as chosen
}

void PictureViewActions::show(bool on)
{
    QWidget *shown = on ? static_cast<QWidget *>(m_grid ? m_grid : makeGrid()) : m_list.view();
    if (m_area.currentWidget() == shown)
        return;
    const bool hadFocus = m_area.currentWidget() && m_area.currentWidget()->hasFocus();
    // What the list's users do to the view shown (renaming in place, the filter field's Down key) reaches
    // the grid while it shows.
    m_list.setShownView(on ? m_grid : nullptr);
    m_area.setCurrentWidget(shown);
    if (hadFocus)
        shown->setFocus();
    if (on)
        makeRoomForTiles();
}

void PictureViewActions::makeRoomForTiles()
{
    // A window still at the list's narrow size grows to hold a few tiles, as far as the screen allows.
    QWidget *window = m_area.window();
    if (!m_grid || m_area.currentWidget() != m_grid || !window->isVisible() ||
        (window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize cell = TileDelegate::cellSize(m_grid->fontMetrics());
    const int frame = 2 * m_grid->frameWidth();
    const QSize wanted(TilesAcross * cell.width() + frame + m_grid->verticalScrollBar()->sizeHint().width() + 1,
                       TileRows * cell.height() + frame + 1);
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect frameRect = window->frameGeometry();
    const int wider = qBound(0, wanted.width() - m_area.width(), qMax(0, room.right() - frameRect.right()));
    const int taller = qBound(0, wanted.height() - m_area.height(), qMax(0, room.bottom() - frameRect.bottom()));
    if (wider > 0 || taller > 0)
        window->resize(window->width() + wider, window->height() + taller);
}

PictureGrid *PictureViewActions::makeGrid()
{
    QAbstractItemView *list = m_list.view();
    m_grid = named(new PictureGrid(list->model(), list->selectionModel(), BaseFolder::path(), &m_area), "PictureGrid");
    // Announced by the item that shows it, in the language chosen.
    AccessibleNames::nameAfter(m_grid, m_item);
    m_grid->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Expanding);
    m_list.takeInputFrom(m_grid);
    m_area.addWidget(m_grid);
    return m_grid;
}
