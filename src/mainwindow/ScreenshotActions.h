#pragma once

#include "screenshots/ScreenshotHarvest.h"
#include "screenshots/ScreenshotOptions.h"

#include <QObject>
#include <functional>

class MainMenus;
class QTimer;
class Session;
struct Windows;

// The main window's screenshot work: the 700 ms timer that files the emulator's shot under its game (the
// launched one, else the selected one), the "Screen Shoots" switch with its viewer, and the selected game's
// picture in that viewer. The timer runs from the first launch until the last watched emulator has ended and
// its last shot is filed.
class ScreenshotActions : public QObject
{
    Q_OBJECT
public:
    ScreenshotActions(QObject *owner, Session &session, MainMenus &menus, Windows &windows);

    // The poll timer, off until the first launch.
    QTimer *timer() const { return m_timer; }

    // One tick: the emulator's shot filed under its game; the timer stopped once every launched emulator has
    // ended and nothing waits to be filed.
    void collectScreenshot();
    // A launch started an emulator: its shots are taken while the timer runs. `shotKind` is the kind whose
    // shots the program makes.
    void emulatorLaunched(const QString &rom, EmulatorKind shotKind, const QDateTime &at);
    // "Screen Shoots" clicked (the check mark already turned): a leftover shot discarded, the switch stored,
    // the viewer shown or hidden.
    void switchClicked();
    // The late start-up step's first part: the switch from the settings, and the viewer when it is on.
    void restoreSwitch();
    // Where the screenshot options come from; the settings file until the directories dialog supplies them.
    void setOptionsSource(std::function<ScreenshotOptions()> source) { m_options = std::move(source); }

    // The selected game's picture in the viewer: its shot, else "ctg.jpg"; with none the viewer keeps its own.
    void loadSelectedPicture();
    // "ctg.jpg" of the base folder in the viewer, when there is one.
    void showDefaultPicture();

signals:
    // A shot was filed (or converted) under its game.
    void shotFiled();

private:
    Session &m_session;
    MainMenus &m_menus;
    Windows &m_windows;
    QTimer *m_timer = nullptr;
    ScreenshotHarvest m_harvest;
    std::function<ScreenshotOptions()> m_options;
};
