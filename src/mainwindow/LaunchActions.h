#pragma once

#include <QObject>

class QTimer;
class QWidget;
class Session;

// The main window's commands that start the emulator and choose it: "Jugar" (the start button, Enter, a
// double click) and "Buscar Zibo".
class LaunchActions : public QObject
{
    Q_OBJECT
public:
    // `screenshotTimer` is switched on by every launch.
    LaunchActions(QWidget &window, Session &session, QTimer &screenshotTimer);

    // Starts the emulator on the ROM (checks, Zibo.cfg, the command line); the preview keeps the line started.
    void launch(const QString &rom);
    // Launches the selected entry; nothing at all without a selection.
    void launchSelected();

    // "Buscar Zibo": a file dialog, then the chosen program stored.
    void locateEmulator();
    // Stores the emulator's path and its folder; an empty path (a cancelled dialog) stores nothing.
    static void storeEmulatorPath(const QString &file);

signals:
    // The emulator was started on the ROM.
    void launched(const QString &rom);
    // An emulator started on the ROM ended after running this long.
    void playEnded(const QString &rom, qint64 seconds);

private:
    QWidget &m_window;
    Session &m_session;
    QTimer &m_screenshotTimer;
};
