#pragma once

#include <QWidget>

struct Windows;

// A window that is never shown: created last, its creation runs the late start-up step that needs
// every other window.
class LateStartup : public QWidget
{
    Q_OBJECT
public:
    explicit LateStartup(Windows &windows);
};
