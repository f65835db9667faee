#include "platform/WatchedProcess.h"

#include "platform/Places.h"

#include <QDir>
#include <QSocketNotifier>
#include <QTemporaryFile>
#include <QTimer>

#ifdef Q_OS_LINUX
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

// The most of the error file read for its last line: an emulator may be chatty.
constexpr qint64 ErrorTailBytes = 16 * 1024;

QString errorFolder()
{
    // The temporary folder serves too: the file gets a name nobody can guess, made only if it did not exist.
    const QString runtime = Places::runtimeFolder();
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

WatchedProcess::WatchedProcess(QObject *parent) : QObject(parent) {}

WatchedProcess::~WatchedProcess()
{
    delete m_notifier; // before its descriptor is closed
#ifdef Q_OS_LINUX
    if (m_pidFile >= 0)
        ::close(m_pidFile);
#endif
}

bool WatchedProcess::start(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    // The file is removed when Cartling is done with it; a process still running keeps writing to it unseen.
    m_errors = std::make_unique<QTemporaryFile>(errorFolder() + QStringLiteral("/cartling-emulator-XXXXXX.err"));
    const int errorFile = m_errors->open() ? m_errors->handle() : -1;
    const ProcessStarter::Started started =
        processStarter().startWatchable(program, arguments, workingFolder, errorFile);
    if (!started.ok) {
        m_failure = started.failure == ProcessStarter::Failure::None ? ProcessStarter::Failure::Other : started.failure;
        m_problem = started.problem;
        return false;
    }
    m_pid = started.pid;
#ifdef Q_OS_LINUX
    if (m_pid > 0) {
        // A descriptor that becomes readable when the process ends; where the system has none, a slow poll.
        m_pidFile = int(::syscall(SYS_pidfd_open, pid_t(m_pid), 0));
        if (m_pidFile >= 0) {
            m_notifier = new QSocketNotifier(m_pidFile, QSocketNotifier::Read, this);
            connect(m_notifier, &QSocketNotifier::activated, this, &WatchedProcess::reap);
        } else {
            m_poll = new QTimer(this);
            connect(m_poll, &QTimer::timeout, this, &WatchedProcess::reap);
            m_poll->start(1000);
        }
    }
#else
    m_pid = -1;
#endif
    return true;
}

void WatchedProcess::reap()
{
#ifdef Q_OS_LINUX
    int status = 0;
    if (m_pid <= 0 || ::waitpid(pid_t(m_pid), &status, WNOHANG) != pid_t(m_pid))
        return;
    m_pid = -1;
    if (m_notifier)
        m_notifier->setEnabled(false);
    if (m_poll)
        m_poll->stop();
    emit ended(WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
#endif
}

QString WatchedProcess::lastErrorLine() const
{
    if (!m_errors)
        return {};
    QFile file(m_errors->fileName());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    file.seek(qMax<qint64>(0, file.size() - ErrorTailBytes));
    const QList<QByteArray> lines = file.readAll().split('\n');
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        QString line = QString::fromLocal8Bit(*it);
        line.removeIf([](QChar c) { return c.category() == QChar::Other_Control; }); // colour codes and the like
        line = line.trimmed();
        if (!line.isEmpty())
            return line.left(300);
    }
    return {};
}
