#pragma once

#include "StandInSession.h"

#include <QImage>
#include <QWidget>

class QLabel;

// The stand-in's window: the game's screen, its title, the ROM path and the options it was given.
class ZiboWindow : public QWidget
{
    Q_OBJECT

public:
    explicit ZiboWindow(StandInSession session, QWidget *parent = nullptr);

private:
    void takeScreenshot();

    StandInSession m_session;
    QImage m_screen;
    QLabel *m_status = nullptr;
};
