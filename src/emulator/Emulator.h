#pragma once

#include "emulator/EmulatorKind.h"
#include "gamegenie/GameGenieCodeStore.h"
#include "saves/SavePlace.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class SettingsFile;

// The files of one launch that an emulator other than Zibo is given, each passed as one whole argument.
struct LaunchFiles
{
    QString rom;
    QString cheats;      // the game's cheats file, empty when no codes are passed
    QString shotsFolder; // Cartling's own picture folder, whose PNG shots the harvest files
    QString savesFolder; // the Save folder of the directories dialog when it is on, else empty
};

// One launch as the launcher hands it to the emulator's kind: what is stored, the program and the game, and
// the Game Genie rows to pass.
struct LaunchContext
{
    const SettingsFile &settings;
    QString program; // the emulator as stored
    QString rom;
    QString baseFolder;
    // The code rows to pass; nothing while the Game Genie switch is off.
    std::function<std::optional<CodeSet>()> codeRows;
    // Before the game's mGBA cheats file is written again: the codes its emulator's cheats window switched on or
    // off in Cartling's sets, and when the file was saved. May be empty.
    std::function<void(const QList<CodeChoice> &choices, const QDateTime &savedAt)> takeCheatChoices;
    // Set by the kind when something is to be done once its program has ended (while Cartling still runs).
    std::function<void()> whenEnded;

    // The ROM, Cartling's picture folder (made when missing) and the Save folder when it is on and there.
    LaunchFiles files() const;
    // Whether a code row to pass holds a code.
    bool holdsCode() const;
    // Writes the game's cheats file in mGBA's format with the rows to pass (Cartling's sets only, none without
    // rows) and returns its path. A file that cannot be read or written raises CartlingError.
    QString writeMgbaCheats() const;
};

// What one kind of emulator program is given and leaves behind: its arguments and files for a launch, how it
// names its screenshots, and which options of the option windows reach it. The launcher, the screenshot
// harvest and the option windows ask the kind rather than telling the kinds apart themselves.
class Emulator
{
public:
    virtual ~Emulator() = default;

    virtual EmulatorKind kind() const = 0;
    // "Zibo", "mGBA", "RetroArch"; the own command line's name comes from the language table.
    virtual QString name() const = 0;

    // ---- Starting it ----
    // The program's arguments for the launch, its files written; nothing when a check stopped the launch (its
    // message shown). A file that cannot be written raises CartlingError.
    virtual std::optional<QStringList> arguments(LaunchContext &launch) const = 0;
    // The command line as shown to the user.
    virtual QString commandLine(const QString &program, const QStringList &arguments) const;
    // The message for a stored program that is not there.
    virtual QString missingProgramMessage(const QString &program) const;
    // Whether Zibo.cfg is written for the program: it may be Zibo.
    virtual bool mayReadZiboCfg() const { return false; }

    // ---- Its screenshots ----
    // The kind whose shots the program makes (an own command line's program names them as the kind it is).
    virtual EmulatorKind shotKind(const QString &program) const;
    // Whether the program leaves Zibo's "ZIBO0000.BMP" in one of its places.
    virtual bool leavesZiboBitmap() const { return false; }
    // Whether `fileName` is a PNG shot the program saves in Cartling's picture folder while it runs the ROM whose
    // file stem is `romStem`.
    virtual bool isShotOf(QStringView fileName, QStringView romStem) const;

    // ---- Its options ----
    // Whether every option of the option windows reaches it, so the windows need no line saying which do.
    virtual bool takesEveryOption() const { return false; }
    // The controls (by object name) whose captions name the options of the window `dialog` (by object name) that
    // reach the program.
    virtual QStringList usedOptions(const QString &dialog, const QString &program) const = 0;
    // What the line under the window adds: where the program cannot do as its options ask. Empty when nothing.
    virtual QString optionsNote(const QString &dialog, const QString &program) const;

    // ---- The game's battery save ----
    // Where the program keeps the battery save of `rom`: the Save folder when that option is on (the program
    // is given it), else beside the ROM, "<stem>.sav" with no clock of its own.
    virtual SavePlace savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const;

    // ---- The Game Genie codes ----
    // What the program does with the codes, for the line in the codes window; empty where Zibo.cfg carries them.
    virtual QString codesUse(const QString &program) const = 0;
};

namespace Emulators {

// The one object of each kind.
const Emulator &of(EmulatorKind kind);

} // namespace Emulators
