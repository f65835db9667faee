#pragma once

#include "emulator/EmulatorKind.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

class MainMenus;
class QWidget;
class Session;

// Keeps every game's battery save safe: a copy in Copias/<stem>/ right before each launch and when the
// emulator ends, a save that only another emulator kept offered to the one launched, and a line under the
// title saying when the save last changed and how many copies there are. "Partidas guardadas…" (Archivo and
// the pop-up menu, Ctrl+Shift+S) shows the copies and brings one back.
class SaveActions : public QObject
{
    Q_OBJECT
public:
    SaveActions(QWidget &window, Session &session, MainMenus &menus);

    // Right before the emulator starts on the ROM. Never stops the launch: a copy that cannot be made gives one
    // message and the game starts.
    void beforeLaunch(const QString &rom, EmulatorKind kind, const QString &program);

    // "Partidas guardadas…" for the selected game.
    void showSavedGames();

private:
    void emulatorEnded(const QString &rom);
    void keepCopy(const QString &rom, EmulatorKind kind, const QString &program);
    void offerOtherSave(const QString &rom, EmulatorKind kind, const QString &program);

    QWidget &m_window;
    Session &m_session;
    struct Launch
    {
        EmulatorKind kind;
        QString program;
    };
    QHash<QString, Launch> m_running;
    QSet<QString> m_declined; // games whose other save the user chose not to bring along, asked once
};
