#pragma once

#include "emulator/EmulatorKind.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The games launched since the screenshot watch started, with the kind of emulator each runs in: whose shots
// the harvest may take, and under which game each one goes. The list lasts until the watch stops.
class LaunchedGames
{
public:
    // A file this much older than its launch still counts as made after it: some file systems keep times
    // in steps of two seconds.
    static constexpr int TimeStepSeconds = 2;

    // `shotKind` is the kind whose shots the program makes (an own command line's program as recognised).
    void add(const QString &rom, EmulatorKind shotKind, const QDateTime &at);
    // The emulator of one launch of the ROM ended. An end that matches no launch is ignored.
    void ended(const QString &rom);
    // Every launch of the list has ended (false for an empty list: no launch, nothing to end).
    bool allEnded() const;
    bool isEmpty() const { return m_launches.isEmpty(); }
    void clear() { m_launches.clear(); }

    // The launched game whose shot the PNG file of the picture folder is: named as its emulator names a shot
    // of it and made since that launch, the latest launch first; empty when it is no shot of theirs.
    QString gameOfPng(const QString &fileName, const QDateTime &modified) const;
    // The game whose emulator's "ZIBO0000.BMP" is now filed: the latest launch by an emulator that leaves
    // one; empty when there is none.
    QString bitmapGame() const;

private:
    struct Launch
    {
        QString rom;
        QString stem; // as the emulator names its shots: the file name without its last extension
        EmulatorKind kind;
        QDateTime at;
        bool running = true;
    };
    QList<Launch> m_launches; // in launch order
};
