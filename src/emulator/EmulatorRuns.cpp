#include "emulator/EmulatorRuns.h"

#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "platform/Messages.h"
#include "platform/WatchedProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPointer>

EmulatorRuns::EmulatorRuns(QObject *parent) : QObject(parent) {}

bool EmulatorRuns::start(const QString &program, const QStringList &arguments, const QString &workingFolder,
                         const QString &rom, const std::function<void()> &whenEnded)
{
    const MessageTable &texts = messageTable();
    const QString shown = QDir::toNativeSeparators(program);
    auto *process = new WatchedProcess(this);
    if (!process->start(program, arguments, workingFolder)) {
        const ProcessStarter::Failure failure = process->failure();
        const QString reason = failure == ProcessStarter::Failure::Missing ? texts.text(EmulatorText::ProgramGone)
                               : failure == ProcessStarter::Failure::NotExecutable
                                   ? texts.text(EmulatorText::NotExecutable)
                                   : process->problem();
        showMessage(texts.text(EmulatorText::CannotStartStart, shown, EmulatorText::CannotStartEnd) + reason);
        delete process;
        return false;
    }
    emit started(rom, QDateTime::currentDateTime());
    if (!process->watched()) {
        delete process;
        return true;
    }
    QElapsedTimer clock;
    clock.start();
    connect(process, &WatchedProcess::ended, this, [this, process, clock, rom, shown, whenEnded](int exitCode) {
        if (whenEnded)
            whenEnded();
        if (exitCode != 0 && clock.elapsed() < EarlyEndMilliseconds) {
            const MessageTable &texts = messageTable();
            QString text = texts.text(EmulatorText::EndedAtOnceStart, shown, EmulatorText::EndedAtOnceEnd);
            if (const QString line = process->lastErrorLine(); !line.isEmpty())
                text += texts.text(EmulatorText::LastMessage) + line;
            showMessage(text);
        }
        emit ended(rom, QDateTime::currentDateTime(), exitCode);
        process->deleteLater();
    });
    return true;
}

EmulatorRuns &emulatorRuns()
{
    static QPointer<EmulatorRuns> runs;
    if (!runs)
        runs = new EmulatorRuns(QCoreApplication::instance());
    return *runs;
}
