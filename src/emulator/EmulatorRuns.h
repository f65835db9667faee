#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

// The emulators Cartling has started: each launch goes through start(), which reports a program that
// cannot be started, or that ends at once with an error, in a message naming it, and tells listeners (the
// play time of a game, for one) when an emulator starts and ends. An emulator still running when Cartling
// ends is left running, and its end is not seen.
class EmulatorRuns : public QObject
{
    Q_OBJECT
public:
    // An emulator that ends this soon after its start with an exit code other than 0 failed to start.
    static constexpr int EarlyEndMilliseconds = 3000;

    explicit EmulatorRuns(QObject *parent = nullptr);

    // Starts the program for the ROM; false (and the message shown) when it could not be started. `whenEnded`, when
    // given, runs once the program's end is seen, before ended() is sent.
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder, const QString &rom,
               const std::function<void()> &whenEnded = {});

signals:
    void started(const QString &rom, const QDateTime &at);
    // Not sent for an emulator that outlives Cartling, nor by starters that only record (tests).
    void ended(const QString &rom, const QDateTime &at, int exitCode);
};

// The one list of the program, made on first use as a child of the application.
EmulatorRuns &emulatorRuns();
