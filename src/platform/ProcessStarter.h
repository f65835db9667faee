#pragma once

#include <QString>
#include <QStringList>

// Starts programs the way the emulator is started: the program and each argument passed as they are,
// never through a shell, in the given folder, not awaited, and left running when Cartling ends.
class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;
    virtual bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;

    enum class Failure
    {
        None,
        Missing,       // no file at the program's path
        NotExecutable, // a file the user may not run
        Other,         // the system refused the start: see `problem`
    };
    struct Started
    {
        bool ok = false;
        Failure failure = Failure::None;
        qint64 pid = -1; // a process of Cartling's own that can be watched until it ends; -1 when not
        QString problem; // why it did not start, as the system says it
    };
    // The same with the program's standard error going to the open file `errorFile` (a descriptor), so that
    // it still has somewhere to write once Cartling has ended. A starter that cannot do this just starts.
    virtual Started startWatchable(const QString &program, const QStringList &arguments, const QString &workingFolder,
                                   int errorFile)
    {
        Q_UNUSED(errorFile);
        Started started;
        started.ok = start(program, arguments, workingFolder);
        return started;
    }
};

ProcessStarter &processStarter();
// Installs a starter for the whole program (tests record instead of starting); nullptr restores the real one.
void setProcessStarter(ProcessStarter *starter);
