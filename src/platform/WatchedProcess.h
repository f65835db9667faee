#pragma once

#include "platform/ProcessStarter.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QSocketNotifier;
class QTemporaryFile;
class QTimer;

// One start of a program that may outlive Cartling: its standard error goes to a file of its own (never a
// pipe, which would break when Cartling ends), and while Cartling runs, the end of the process is reported
// with its exit code. Started through processStarter(), so tests that record starts see no process at all.
class WatchedProcess : public QObject
{
    Q_OBJECT
public:
    explicit WatchedProcess(QObject *parent = nullptr);
    ~WatchedProcess() override;

    // False with problem() set when the program could not be started.
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder);
    ProcessStarter::Failure failure() const { return m_failure; }
    const QString &problem() const { return m_problem; }
    // Whether the end of the process will be reported.
    bool watched() const { return m_pid > 0; }

    // The last line holding more than blanks that the program wrote on standard error so far.
    QString lastErrorLine() const;

signals:
    // `exitCode` is the status the program ended with, or the signal that ended it plus 128.
    void ended(int exitCode);

private:
    void reap();

    ProcessStarter::Failure m_failure = ProcessStarter::Failure::None;
    QString m_problem;
    qint64 m_pid = -1;
    int m_pidFile = -1;
    std::unique_ptr<QTemporaryFile> m_errors;
    QSocketNotifier *m_notifier = nullptr;
    QTimer *m_poll = nullptr;
};
