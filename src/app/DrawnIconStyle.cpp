#include "app/DrawnIconStyle.h"

#include "mainwindow/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QStyleOption>

namespace {

// Draws its picture when it is first shown, at the size asked: the overflow and clear buttons are hidden
// most of the time, so start-up draws nothing.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(QIcon (*draw)(int size)) : m_draw(draw) {}
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return m_draw(qMax(size.width(), size.height())).pixmap(size, mode, state);
    }
    QIconEngine *clone() const override { return new DrawnIconEngine(m_draw); }

private:
    QIcon (*m_draw)(int size);
};

} // namespace

QIcon DrawnIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    switch (standardIcon) {
    case SP_LineEditClearButton:
        return QIcon(new DrawnIconEngine(ToolIcons::clear));
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
        return QIcon(new DrawnIconEngine(ToolIcons::more));
    default:
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    }
}

void DrawnIconStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                   const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) != 0) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's frame of a group, a faint rounded border, without its picture.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    QColor edge = option->palette.color(QPalette::Window).darker(135);
    painter->setPen(edge);
    painter->setBrush(QColor(0, 0, 0, 6));
    painter->drawRoundedRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5), 2, 2);
    painter->restore();
}
