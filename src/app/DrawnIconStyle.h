#pragma once

#include <QProxyStyle>

// The program's style: the platform's own (or the one named with -style), except that the few standard
// pictures the main window shows at start-up (the menu bar's overflow button, the filter field's clear button,
// the frame of a group) are drawn. The style's pictures are image files whose first decoding loads every image
// format plug-in, which cost start-up more than building the whole window.
class DrawnIconStyle : public QProxyStyle
{
    Q_OBJECT
public:
    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
