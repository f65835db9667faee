#pragma once

#include "emulator/EmulatorKind.h"
#include "gamegenie/GameGenieCodeStore.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class ConfigTemplate;
class EmulatorRuns;
class SettingsFile;

// The launch of the emulator on one ROM (launch): checks, Zibo.cfg written for a program that may read it, the
// emulator started with the arguments its kind takes.
class Launcher
{
public:
    struct Steps
    {
        std::function<void()> startScreenshotWatch; // first, whatever follows
        std::function<void()> prepareCheats;        // the row check, then "Usar" or "No Usar"
        // The code rows passed to emulators that take a cheats file, after prepareCheats; nothing while the
        // Game Genie switch is off. Without it, the active codes are taken from Zibo.cfg's cheat lines.
        std::function<std::optional<CodeSet>()> codeRows;
        // Where the start goes; the program's one list when not given.
        EmulatorRuns *runs = nullptr;
        // The emulator was started: the ROM, the kind whose shots its program makes, and the time just before
        // the start.
        std::function<void(const QString &rom, EmulatorKind shotKind, const QDateTime &at)> launched;
        // Before the game's cheats file is written again: the codes its emulator's cheats window switched on or
        // off in Cartling's sets, and when the file was saved.
        std::function<void(const QList<CodeChoice> &choices, const QDateTime &savedAt)> takeCheatChoices;
        // Right before the program starts on the ROM, its files written: the kind of the launch and the program.
        std::function<void(const QString &rom, EmulatorKind kind, const QString &program)> beforeStart;
    };

    Launcher(ConfigTemplate &configTemplate, Steps steps);

    // Runs the launch; the command line started, or nothing when a check stopped the launch (its
    // message shown). A refused Zibo.cfg or cheats file raises CartlingError and starts nothing.
    std::optional<QString> launch(const QString &rom);

    // The command line as shown to the user: the emulator's path, a blank, the ROM path in double quotes.
    static QString commandLine(const QString &emulator, const QString &rom);
    // The command line of an emulator started with an argument list: each argument that holds a blank or a
    // quote in double quotes, as an own command line would be typed.
    static QString commandLine(const QString &emulator, const QStringList &arguments);

private:
    // The program's arguments for the kind, and what is to be done once it has ended; nothing when a check
    // stopped the launch (its message shown).
    std::optional<QStringList> arguments(EmulatorKind kind, const QString &program, const QString &rom,
                                         std::function<void()> &whenEnded);
    std::optional<CodeSet> codeRows() const;

    ConfigTemplate &m_template;
    Steps m_steps;
};
