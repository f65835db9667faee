#pragma once

#include <QWidget>

struct Windows;

// A window that is never shown: created last, its creation runs the late start-up step that needs
// every other window.
class TForm20 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm20(Windows &windows);
};
