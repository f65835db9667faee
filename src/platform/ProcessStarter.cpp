#include "platform/ProcessStarter.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <vector>

extern char **environ;
#endif

namespace {

class DetachedStarter : public ProcessStarter
{
public:
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        return QProcess::startDetached(program, arguments, workingFolder);
    }

#if defined(Q_OS_UNIX) && defined(__GLIBC__)
    // A child of Cartling's own, so its end can be seen and its exit code read, in a session of its own, so
    // that it outlives Cartling and the terminal Cartling was started from.
    Started startWatchable(const QString &program, const QStringList &arguments, const QString &workingFolder,
                           int errorFile) override
    {
        Started started;
        const QFileInfo info(program);
        if (!info.exists() || info.isDir()) {
            started.failure = Failure::Missing;
            return started;
        }
        if (!info.isExecutable()) {
            started.failure = Failure::NotExecutable;
            return started;
        }
        const QByteArray path = QFile::encodeName(program);
        const QByteArray folder = QFile::encodeName(workingFolder);
        std::vector<QByteArray> encoded{path};
        for (const QString &argument : arguments)
            encoded.push_back(QFile::encodeName(argument));
        std::vector<char *> argv;
        for (QByteArray &argument : encoded)
            argv.push_back(argument.data());
        argv.push_back(nullptr);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (errorFile >= 0)
            posix_spawn_file_actions_adddup2(&actions, errorFile, STDERR_FILENO);
        if (!folder.isEmpty())
            posix_spawn_file_actions_addchdir_np(&actions, folder.constData());
        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &all);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

        pid_t pid = -1;
        const int error = posix_spawn(&pid, path.constData(), &actions, &attributes, argv.data(), environ);
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        started.ok = error == 0;
        if (started.ok) {
            started.pid = pid;
        } else {
            started.failure = error == EACCES ? Failure::NotExecutable : Failure::Other;
            started.problem = QString::fromLocal8Bit(std::strerror(error));
        }
        return started;
    }
#endif
};

DetachedStarter g_detached;
ProcessStarter *g_starter = nullptr;

} // namespace

ProcessStarter &processStarter()
{
    return g_starter ? *g_starter : g_detached;
}

void setProcessStarter(ProcessStarter *starter)
{
    g_starter = starter;
}
