#pragma once

#include <QObject>

class GameList;
class MainMenus;
class PictureGrid;
class QAction;
class QStackedWidget;
class ScreenshotActions;

// The picture view: "Vista con imágenes" in the "Ver" menu shows the ROM list as a grid of the games'
// pictures in the list's place, and back. The grid shows the list's rows and works on its selection, so
// everything done to the selected game works alike in both; the choice is kept in the settings file.
class PictureViewActions : public QObject
{
    Q_OBJECT
public:
    // The grid becomes a page of `listArea` beside the list; it is made when first shown.
    PictureViewActions(GameList &list, MainMenus &menus, QStackedWidget &listArea, ScreenshotActions &screenshots);

    QAction *item() const { return m_item; }
    // The grid, or nullptr while it has never been shown.
    PictureGrid *grid() const { return m_grid; }

    // The item clicked (its check mark already turned): the grid or the list shown, and the choice stored.
    void setPictureView(bool on);

private:
    void show(bool on);
    void makeRoomForTiles();
    PictureGrid *makeGrid();

    GameList &m_list;
    QStackedWidget &m_area;
    QAction *m_item = nullptr;
    PictureGrid *m_grid = nullptr;
};
