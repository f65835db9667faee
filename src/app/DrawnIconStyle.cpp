#include "app/DrawnIconStyle.h"

#include "mainwindow/ToolIcons.h"

#include <QPainter>
#include <QStyleOption>

QIcon DrawnIconStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option, const QWidget *widget) const
{
    switch (standardIcon) {
    case SP_LineEditClearButton:
        return ToolIcons::clear();
    case SP_ToolBarHorizontalExtensionButton:
    case SP_ToolBarVerticalExtensionButton:
        return ToolIcons::more();
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
