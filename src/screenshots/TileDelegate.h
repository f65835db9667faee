#pragma once

#include <QCache>
#include <QStringList>
#include <QStyledItemDelegate>

class TileLoader;

// Paints a game of the ROM list as a tile: its shot made small, or a tile drawn from its name when it has
// none, with the row's text under it (the file name, or the title where the list shows titles). The shot
// comes from the tile loader and is never waited for: until it comes the tile shows an empty frame.
class TileDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    TileDelegate(TileLoader &tiles, QObject *parent = nullptr);

    // The size of every tile in the font given.
    static QSize cellSize(const QFontMetrics &metrics);

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    // A name is edited where the caption stands.
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // The tile of a game without a picture: a cartridge in a colour of its own, its name on the label.
    void paintDrawnTile(QPainter *painter, const QRect &area, const QString &title) const;

private:
    // The text broken into at most `count` lines of the width, the last one elided; kept, since scrolling
    // paints the same names again and again.
    QStringList linesOf(const QString &text, const QFont &font, int width, int count) const;

    TileLoader &m_tiles;
    mutable QCache<QString, QStringList> m_lines;
};
