#pragma once

#include "emulator/EmulatorKind.h"

#include <QObject>
#include <functional>

class InstalledEmulatorsDialog;
class MainMenus;
class ScreenshotActions;
class QWidget;
class Session;

// The main window's commands that start the emulator and choose it: "Jugar" (the start button, Enter, a
// double click), "Buscar Zibo" and "Emuladores instalados…".
class LaunchActions : public QObject
{
    Q_OBJECT
public:
    // Every launch switches the screenshot watch on and tells it the emulator started. Adds "Emuladores
    // instalados…" after "Buscar Zibo".
    LaunchActions(QWidget &window, Session &session, ScreenshotActions &screenshots, MainMenus &menus);

    // Starts the emulator on the ROM (checks, Zibo.cfg, the command line); the preview keeps the line started.
    void launch(const QString &rom);
    // Launches the selected entry; nothing at all without a selection.
    void launchSelected();

    // "Buscar Zibo": a file dialog, then the chosen program stored.
    void locateEmulator();
    // Stores the emulator's path and its folder; an empty path (a cancelled dialog) stores nothing.
    static void storeEmulatorPath(const QString &file);
    // "Emuladores instalados…": the emulators found on this machine, one of them to be stored.
    void showInstalledEmulators();
    // What is done right before every start (the game's save kept).
    void setBeforeStart(std::function<void(const QString &rom, EmulatorKind kind, const QString &program)> step)
    {
        m_beforeStart = std::move(step);
    }

private:
    QWidget &m_window;
    Session &m_session;
    ScreenshotActions &m_screenshots;
    InstalledEmulatorsDialog *m_installed = nullptr;
    std::function<void(const QString &rom, EmulatorKind kind, const QString &program)> m_beforeStart;
};
