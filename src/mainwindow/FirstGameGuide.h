#pragma once

#include <QObject>
#include <QString>

class MainMenus;
class QLabel;
class QPushButton;
class QWidget;
class Session;

// The guide to the first game. While the list has no game to show, the list's place shows one line saying what
// to do next and a button that does it (choose the ROM folder); while games are listed but no emulator is set,
// the start button offers the installed emulators. The guide is no row of the list: the count stays 0, and a
// screen reader reads a label and a button.
class FirstGameGuide : public QObject
{
    Q_OBJECT
public:
    // Follows the session's ROM list and the emulator chosen; `listArea` is where the list shows.
    FirstGameGuide(QWidget &listArea, QPushButton &startButton, Session &session, MainMenus &menus);

    // The guide shown or hidden, and the start button set, from the list and the settings.
    void update();

    // The guide's line and button; nullptr until the list is first found empty.
    QLabel *line() const { return m_line; }
    QPushButton *button() const { return m_button; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeGuide();
    void placeGuide();
    void setStartButton(bool offersEmulators);

    QWidget &m_area;
    QPushButton &m_start;
    Session &m_session;
    MainMenus &m_menus;
    QWidget *m_guide = nullptr;
    QLabel *m_line = nullptr;
    QPushButton *m_button = nullptr;
    QString m_playTip; // the start button's own tooltip
    bool m_offers = false;
};
