#include "platform/SingleInstance.h"

#include "platform/Places.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#else
#include <QLocalServer>
#include <QLocalSocket>
#endif

namespace {

const QByteArray kRequest("raise\n");
const QByteArray kAnswer("ok\n");

} // namespace

SingleInstance::SingleInstance(const QString &baseFolder, QObject *parent, std::chrono::milliseconds patience)
    : QObject(parent), m_patience(patience)
{
    const QString runtime = Places::runtimeFolder();
    if (runtime.isEmpty())
        return; // no place others cannot reach: no guard
    const QString name =
        runtime + QStringLiteral("/cartling-") + Places::userId() + u'-' + Places::folderTag(baseFolder);
    m_lockPath = name + QStringLiteral(".lock");
    m_socketPath = name + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance()
{
#ifdef Q_OS_UNIX
    // The socket first, while the lock still keeps a new holder from binding its own under the same name.
    if (m_listener >= 0) {
        ::close(m_listener);
        ::unlink(QFile::encodeName(m_socketPath).constData());
    }
    if (m_lockFile >= 0) {
        // Removed while still held, and only by its holder, so it is never another holder's file. A start that
        // opened it before and locks it once this process lets go finds it gone from its name and takes the
        // new file instead (takeLock), so two holders never both think they have the folder.
        ::unlink(QFile::encodeName(m_lockPath).constData());
        ::close(m_lockFile);
    }
#endif
}

SingleInstance::Lock SingleInstance::takeLock()
{
    if (m_lockPath.isEmpty())
        return Lock::Unusable;
#ifdef Q_OS_UNIX
    // A lock of the system's, not a lock file's contents: nothing is written or synced to disk at start-up,
    // and a holder that died holds nothing.
    const QByteArray path = QFile::encodeName(m_lockPath);
    for (int attempt = 0; attempt < 8; ++attempt) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return Lock::Unusable;
        struct stat held
        {
        };
        // A file of another user (or a link, or no plain file) is nobody's lock: trusted, it would let them
        // keep every start away.
        if (::fstat(fd, &held) != 0 || !S_ISREG(held.st_mode) || held.st_uid != ::geteuid()) {
            ::close(fd);
            return Lock::Unusable;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool taken = errno == EWOULDBLOCK;
            ::close(fd);
            return taken ? Lock::Taken : Lock::Unusable;
        }
        struct stat named
        {
        };
        if (::lstat(path.constData(), &named) == 0 && named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            m_lockFile = fd;
            return Lock::Held;
        }
        // The holder removed this file as it ended; the lock that counts is on the file now under the name.
        ::close(fd);
    }
    return Lock::Unusable;
#else
    m_lock = std::make_unique<QLockFile>(m_lockPath);
    // Held for the whole run: only a holder that has died leaves a stale lock, however old it is.
    m_lock->setStaleLockTime(std::chrono::milliseconds::zero());
    if (m_lock->tryLock(0))
        return Lock::Held;
    const bool taken = m_lock->error() == QLockFile::LockFailedError;
    m_lock.reset();
    return taken ? Lock::Taken : Lock::Unusable;
#endif
}

SingleInstance::Claim SingleInstance::claim()
{
    // The holder may have taken the lock a moment ago and not listen yet, or be ending just now.
    const QDeadlineTimer deadline(m_patience);
    for (;;) {
        switch (takeLock()) {
        case Lock::Held:
            // Listening can wait for the window: a later start that comes meanwhile tries again for a while.
            QTimer::singleShot(200, this, [this] { listen(); });
            return Claim::First;
        case Lock::Unusable:
            // A runtime folder that cannot hold the user's own lock guards nothing; Cartling runs as it always did.
            return Claim::First;
        case Lock::Taken:
            break;
        }
        if (const auto answer = ask(deadline))
            return answer->startsWith(kAnswer) ? Claim::Handed : Claim::Silent;
        if (deadline.hasExpired())
            return Claim::Silent;
        QThread::msleep(50);
    }
}

#ifdef Q_OS_UNIX

namespace {

bool socketAddress(const QString &path, sockaddr_un &address)
{
    const QByteArray encoded = QFile::encodeName(path);
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (size_t(encoded.size()) >= sizeof address.sun_path)
        return false;
    std::memcpy(address.sun_path, encoded.constData(), size_t(encoded.size()));
    return true;
}

// Waits for the socket to be ready as `events` asks, until the deadline.
bool ready(int fd, short events, const QDeadlineTimer &deadline)
{
    pollfd one{fd, events, 0};
    return ::poll(&one, 1, int(qMax<qint64>(0, deadline.remainingTime()))) == 1;
}

} // namespace

std::optional<QByteArray> SingleInstance::ask(const QDeadlineTimer &deadline)
{
    // Plain local sockets, so that Cartling needs no network library for this.
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return QByteArray();
    // Only the user's own socket is asked: another's is taken for no one listening yet (the holder replaces it
    // when it listens).
    struct stat st
    {
    };
    if (::lstat(address.sun_path, &st) != 0 || !S_ISSOCK(st.st_mode) || st.st_uid != ::geteuid())
        return std::nullopt;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return QByteArray();
    std::optional<QByteArray> answer;
    if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
        answer = QByteArray();
        if (::write(fd, kRequest.constData(), size_t(kRequest.size())) == kRequest.size()) {
            char buffer[16];
            while (answer->size() < kAnswer.size() && ready(fd, POLLIN, deadline)) {
                const ssize_t got = ::read(fd, buffer, sizeof buffer);
                if (got <= 0)
                    break;
                answer->append(buffer, got);
            }
        }
    }
    ::close(fd);
    return answer;
}

void SingleInstance::listen()
{
    sockaddr_un address;
    if (!socketAddress(m_socketPath, address))
        return;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // A socket file left by a holder that died would refuse the name; only the holder of the lock gets here.
    ::unlink(address.sun_path);
    // The user's own socket (the mode of the socket itself becomes the file's on Linux; chmod covers the rest).
    ::fchmod(fd, 0600);
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    if (bound)
        ::chmod(address.sun_path, 0600);
    if (!bound || ::listen(fd, 4) != 0) {
        ::close(fd);
        return;
    }
    m_listener = fd;
    auto *notifier = new QSocketNotifier(qintptr(fd), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        const int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            return;
        // A later start writes its one short line at once; a peer that does not is not waited for long.
        QByteArray line;
        char buffer[16];
        const QDeadlineTimer deadline(std::chrono::milliseconds(500));
        while (!line.contains('\n') && ready(client, POLLIN, deadline)) {
            const ssize_t got = ::read(client, buffer, sizeof buffer);
            if (got <= 0)
                break;
            line.append(buffer, got);
        }
        if (line == kRequest) {
            const ssize_t written = ::write(client, kAnswer.constData(), size_t(kAnswer.size()));
            Q_UNUSED(written);
            emit raiseRequested();
        }
        ::close(client);
    });
}

#else

std::optional<QByteArray> SingleInstance::ask(const QDeadlineTimer &deadline)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(500))
        return std::nullopt;
    socket.write(kRequest);
    socket.waitForBytesWritten(1000);
    while (socket.bytesAvailable() < kAnswer.size() && socket.waitForReadyRead(qMax(1, int(deadline.remainingTime()))))
        ;
    return socket.readAll();
}

void SingleInstance::listen()
{
    auto *server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a holder that died would refuse the name.
    QLocalServer::removeServer(m_socketPath);
    if (!server->listen(m_socketPath))
        return;
    connect(server, &QLocalServer::newConnection, this, [this, server] {
        while (QLocalSocket *socket = server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (!socket->canReadLine())
                    return;
                if (socket->readLine() == kRequest) {
                    socket->write(kAnswer);
                    socket->flush();
                    emit raiseRequested();
                }
                socket->disconnectFromServer();
            });
        }
    });
}

#endif
