#pragma once

#include "GameHeader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What one start of the stand-in found: its arguments, its folders, the configuration the front-end
// wrote into its folder, and the game's header.
struct StandInSession
{
    QStringList arguments; // as the process received them, the program's name left out
    QString ownFolder;     // the folder of the executable, where Zibo.cfg and screenshots live
    QString workingFolder;
    QString configPath;
    std::optional<QByteArray> config; // the exact bytes, or nothing when the file is missing or unreadable
    QString configProblem;
    GameHeader game;

    static StandInSession gather(const QStringList &arguments, const QString &ownFolder, const QString &workingFolder);

    // The ROM path: the one argument the stand-in takes.
    QString romPath() const { return arguments.value(0); }
    // The option lines of the configuration: every line that holds more than blanks and is no ";" comment.
    QStringList options() const;
    // Where F12 leaves the screenshot, as the real emulator does.
    QString screenshotPath() const;
    // One compact JSON object, ending in a line feed.
    QByteArray record() const;
};

// Appends the session's record to the file; false with the reason in `error` when it cannot.
bool appendRecord(const StandInSession &session, const QString &file, QString *error);
