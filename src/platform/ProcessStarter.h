#pragma once

#include <QString>
#include <QStringList>

// Starts programs the way the emulator is started: the program and each argument passed as they are,
// never through a shell, in the current folder, not awaited.
class ProcessStarter
{
public:
    virtual ~ProcessStarter() = default;
    virtual bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;
};

ProcessStarter &processStarter();
// Installs a starter for the whole program (tests record instead of starting); nullptr restores the real one.
void setProcessStarter(ProcessStarter *starter);
