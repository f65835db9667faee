#include "screenshots/TileDelegate.h"

#include "mainwindow/RomListModel.h"
#include "platform/PathHelpers.h"
#include "screenshots/TileLoader.h"
#include "screenshots/TilePicture.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QTextLayout>

namespace {

constexpr int Margin = 6;
constexpr int CaptionLines = 2;

QRect pictureArea(const QRect &cell)
{
    return {cell.x() + (cell.width() - TilePicture::Side) / 2, cell.y() + Margin, TilePicture::Side, TilePicture::Side};
}

QRect captionArea(const QRect &cell)
{
    const int top = cell.y() + Margin + TilePicture::Side + Margin / 2;
    return {cell.x() + Margin / 2, top, cell.width() - Margin, cell.bottom() - top - Margin / 2 + 1};
}

// The text broken into at most `lines` lines of the width, the last one elided.
QStringList brokenLines(const QString &text, const QFont &font, int width, int lines)
{
    QStringList result;
    QTextLayout layout(text, font);
    QTextOption wrapping(Qt::AlignHCenter);
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    layout.beginLayout();
    for (int n = 0; n < lines; ++n) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        if (n == lines - 1) {
            const QFontMetrics metrics(font);
            result.append(metrics.elidedText(text.mid(line.textStart()), Qt::ElideRight, width));
        } else {
            result.append(text.mid(line.textStart(), line.textLength()).trimmed());
        }
    }
    layout.endLayout();
    return result;
}

// A colour per title that stays the same from run to run.
QColor colourOf(const QString &title)
{
    quint32 hash = 2166136261u;
    for (const QChar c : title)
        hash = (hash ^ c.unicode()) * 16777619u;
    return QColor::fromHsv(int(hash % 360), 110, 150);
}

} // namespace

TileDelegate::TileDelegate(TileLoader &tiles, QObject *parent)
    : QStyledItemDelegate(parent), m_tiles(tiles), m_lines(4096)
{
}

QStringList TileDelegate::linesOf(const QString &text, const QFont &font, int width, int count) const
{
    const QString key = QString::number(width) + u'/' + QString::number(count) + (font.bold() ? u'b' : u'n') + text;
    if (const QStringList *lines = m_lines.object(key))
        return *lines;
    const QStringList lines = brokenLines(text, font, width, count);
    m_lines.insert(key, new QStringList(lines));
    return lines;
}

QSize TileDelegate::cellSize(const QFontMetrics &metrics)
{
    const int width = TilePicture::Side + 3 * Margin;
    return {width, Margin + TilePicture::Side + Margin / 2 + CaptionLines * metrics.lineSpacing() + Margin};
}

QSize TileDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    return cellSize(option.fontMetrics);
}

void TileDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem panel = option;
    panel.features &= ~QStyleOptionViewItem::HasDisplay;
    panel.showDecorationSelected = true; // the whole tile shows the selection, not a text rectangle it has not got
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    // The row's text as the list shows it: the file name, or the title where titles are shown.
    const QString path = index.data(RomListModel::FullPathRole).toString();
    const QString text = index.data(Qt::DisplayRole).toString();
    const QRect area = pictureArea(option.rect);
    const TileLoader::Tile tile = m_tiles.tile(path);
    painter->save();
    if (!tile.known) {
        // On its way: a quiet frame, so the tile does not flash a drawn cartridge before its shot.
        painter->setPen(option.palette.color(QPalette::Mid));
        painter->drawRect(area.adjusted(8, 8, -9, -9));
    } else if (tile.picture.isNull()) {
        // The label names the game; a file name's extension stays with the caption below.
        const bool fileName = text == fileNameOf(path) && !stemOf(text).isEmpty();
        paintDrawnTile(painter, area.adjusted(10, 4, -10, -4), fileName ? stemOf(text) : text);
    } else {
        const QSize size = tile.picture.size();
        const QRect target(area.x() + (area.width() - size.width()) / 2, area.y() + (area.height() - size.height()) / 2,
                           size.width(), size.height());
        painter->drawImage(target, tile.picture);
    }

    const bool selected = option.state & QStyle::State_Selected;
    const QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled
            ? (option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive)
            : QPalette::Disabled;
    painter->setPen(option.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    const QRect captionRect = captionArea(option.rect);
    const QStringList lines = linesOf(text, option.font, captionRect.width(), CaptionLines);
    const int lineHeight = option.fontMetrics.lineSpacing();
    for (int n = 0; n < lines.size(); ++n) {
        painter->drawText(QRect(captionRect.x(), captionRect.y() + n * lineHeight, captionRect.width(), lineHeight),
                          Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, lines.at(n));
    }
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = option.rect.adjusted(1, 1, -1, -1);
        focus.backgroundColor = option.palette.color(group, selected ? QPalette::Highlight : QPalette::Base);
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

void TileDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const QRect area = captionArea(option.rect);
    editor->setGeometry(area.x(), area.y(), area.width(), editor->sizeHint().height());
}

void TileDelegate::paintDrawnTile(QPainter *painter, const QRect &area, const QString &title) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    const QColor colour = colourOf(title);
    // A cartridge: the top right corner cut off, a label in the upper part.
    const QRectF body = QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal cut = body.width() / 8;
    QPainterPath outline;
    outline.moveTo(body.topLeft());
    outline.lineTo(body.right() - cut, body.top());
    outline.lineTo(body.right(), body.top() + cut);
    outline.lineTo(body.bottomRight());
    outline.lineTo(body.bottomLeft());
    outline.closeSubpath();
    painter->setPen(colour.darker(150));
    painter->setBrush(colour);
    painter->drawPath(outline);

    const QRectF label = body.adjusted(body.width() / 12, cut + 6, -body.width() / 12, -body.height() / 4);
    painter->setPen(Qt::NoPen);
    painter->setBrush(colour.lighter(170));
    painter->drawRoundedRect(label, 4, 4);

    QFont font = painter->font();
    font.setBold(true);
    painter->setFont(font);
    painter->setPen(colour.darker(250));
    const QRect text = label.toRect().adjusted(4, 4, -4, -4);
    const int lineHeight = QFontMetrics(font).lineSpacing();
    const QStringList lines = linesOf(title, font, text.width(), qMax(1, text.height() / lineHeight));
    const int top = text.y() + (text.height() - int(lines.size()) * lineHeight) / 2;
    for (int n = 0; n < lines.size(); ++n) {
        painter->drawText(QRect(text.x(), top + n * lineHeight, text.width(), lineHeight),
                          Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, lines.at(n));
    }
    painter->restore();
}
