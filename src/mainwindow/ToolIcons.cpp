#include "mainwindow/ToolIcons.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// Draws on a square of 24 units.
using Drawing = void (*)(QPainter &painter, qreal unit);

class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(Drawing draw) : m_draw(draw) {}
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        const QString key = QStringLiteral("%1x%2/%3/%4").arg(size.width()).arg(size.height()).arg(mode).arg(state);
        auto found = m_drawn.constFind(key);
        if (found == m_drawn.constEnd())
            found = m_drawn.insert(key, QIcon(drawn(qMax(size.width(), size.height()))).pixmap(size, mode, state));
        return *found;
    }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw); }

private:
    // The picture at `size` pixels square; the other modes (disabled, selected) are made from it by QIcon.
    QPixmap drawn(int size) const
    {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        m_draw(painter, size / 24.0);
        return pixmap;
    }

    Drawing m_draw;
    QHash<QString, QPixmap> m_drawn;
};

void drawMarker(QPainter &painter, qreal unit)
{
    painter.setBrush(QColor(0x2e, 0x8b, 0x57));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(6 * unit, 6 * unit, 12 * unit, 12 * unit));
}

void drawCompress(QPainter &painter, qreal unit)
{
    const QRectF box(4 * unit, 2 * unit, 16 * unit, 20 * unit);
    painter.setPen(QPen(QColor(0x3a, 0x4a, 0x6b), 1.5 * unit));
    painter.setBrush(QColor(0xe8, 0xc5, 0x6a));
    painter.drawRoundedRect(box, 2 * unit, 2 * unit);
    // The zip: short teeth down the middle, then the pull.
    for (int tooth = 0; tooth < 5; ++tooth) {
        const qreal y = (3.5 + tooth * 2) * unit;
        const qreal x = (tooth % 2 ? 12.5 : 11.5) * unit;
        painter.drawLine(QPointF(x - 1.5 * unit, y), QPointF(x + 1.5 * unit, y));
    }
    painter.setBrush(QColor(0x3a, 0x4a, 0x6b));
    painter.drawRect(QRectF(10 * unit, 14 * unit, 4 * unit, 5 * unit));
}

void drawPlay(QPainter &painter, qreal unit)
{
    QPainterPath triangle;
    triangle.moveTo(7 * unit, 4 * unit);
    triangle.lineTo(20 * unit, 12 * unit);
    triangle.lineTo(7 * unit, 20 * unit);
    triangle.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x20, 0x20, 0x20));
    painter.drawPath(triangle);
}

void drawClear(QPainter &painter, qreal unit)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x50, 0x50, 0x50));
    painter.drawEllipse(QRectF(3 * unit, 3 * unit, 18 * unit, 18 * unit));
    painter.setPen(QPen(Qt::white, 2.2 * unit, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8.5 * unit, 8.5 * unit), QPointF(15.5 * unit, 15.5 * unit));
    painter.drawLine(QPointF(15.5 * unit, 8.5 * unit), QPointF(8.5 * unit, 15.5 * unit));
}

void drawMore(QPainter &painter, qreal unit)
{
    painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 2 * unit, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const qreal x : {6.0, 12.0}) {
        const QPointF chevron[] = {{x * unit, 7 * unit}, {(x + 5) * unit, 12 * unit}, {x * unit, 17 * unit}};
        painter.drawPolyline(chevron, 3);
    }
}

} // namespace

namespace ToolIcons {

QIcon marker()
{
    return QIcon(new DrawnIconEngine(drawMarker));
}

QIcon compress()
{
    return QIcon(new DrawnIconEngine(drawCompress));
}

QIcon play()
{
    return QIcon(new DrawnIconEngine(drawPlay));
}

QIcon clear()
{
    return QIcon(new DrawnIconEngine(drawClear));
}

QIcon more()
{
    return QIcon(new DrawnIconEngine(drawMore));
}

} // namespace ToolIcons
