#pragma once

#include "mainwindow/RomListView.h"
#include "screenshots/ThumbnailCache.h"

class QItemSelectionModel;
class TileDelegate;
class TileLoader;

// The ROM list shown as a grid of pictures: the same model and the same selection as the list, so every
// action that works on the list's selection works here alike, and the same signals for clicks, keys, Enter,
// double clicks and the pop-up menu. Tiles are loaded for the games on screen and the screen beside it only.
class PictureGrid : public RomListView
{
    Q_OBJECT
public:
    // The model and selection model are the list's; the grid shows the base folder's shots.
    PictureGrid(QAbstractItemModel *model, QItemSelectionModel *selection, const QString &baseFolder,
                QWidget *parent = nullptr, ThumbnailCache cache = ThumbnailCache());
    ~PictureGrid() override;

    TileLoader &tiles() const { return *m_tiles; }
    TileDelegate &delegate() const { return *m_delegate; }

    // A shot was filed or converted for the game: its tile shows it without waiting for the folder watch.
    void shotFiled();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    // Asks for the tiles one screen above and below, behind those on screen.
    void prefetchBeside();
    void fitMemoryToScreen();
    int columns() const;

    TileLoader *m_tiles;
    TileDelegate *m_delegate;
    QSize m_cell;
    bool m_scrollingDown = true;
};
