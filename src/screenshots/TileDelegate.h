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
    static void paintDrawnTile(QPainter *painter, const QRect &area, const QString &title);

private:
    // The caption broken into lines for the width, kept: scrolling paints the same captions again and again.
    const QStringList &captionLines(const QString &text, const QFont &font, int width) const;

    TileLoader &m_tiles;
    mutable QCache<QString, QStringList> m_captions;
};
