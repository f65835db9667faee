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
    // Launches the selected entry; nothing at all without a selection. With no emulator set yet, the installed
    // emulators are offered instead of the launch's error.
    void launchSelected();
    // The start button: the selected entry launched; while games are listed and no emulator is set, the installed
    // emulators offered, with or without a selection.
    void startPressed();
    // Whether a launch has an emulator to start: one is stored, or the default program lies in the ROM folder.
    static bool emulatorSet();

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

signals:
    // "Buscar Zibo" or "Emuladores instalados…" closed: the stored emulator may have changed.
    void emulatorChosen();

private:
    QWidget &m_window;
    Session &m_session;
    ScreenshotActions &m_screenshots;
    InstalledEmulatorsDialog *m_installed = nullptr;
    std::function<void(const QString &rom, EmulatorKind kind, const QString &program)> m_beforeStart;
};
