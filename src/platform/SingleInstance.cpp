#include "platform/SingleInstance.h"

#include "platform/Places.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const QByteArray kRequest("raise\n");
const QByteArray kAnswer("ok\n");

} // namespace

SingleInstance::SingleInstance(const QString &baseFolder, QObject *parent) : QObject(parent)
{
    QString folder = QFileInfo(baseFolder).canonicalFilePath();
    if (folder.isEmpty())
        folder = QDir::cleanPath(QDir(baseFolder).absolutePath());
    // A short name, so the socket's path stays within what the system allows.
    const QByteArray hash = QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha256).toHex().left(24);
    const QString name =
        Places::runtimeFolder() + QStringLiteral("/cartling-") + Places::userId() + u'-' + QString::fromLatin1(hash);
    m_lockPath = name + QStringLiteral(".lock");
    m_socketPath = name + QStringLiteral(".socket");
}

SingleInstance::~SingleInstance()
{
#ifdef Q_OS_UNIX
    if (m_lockFile >= 0)
        ::close(m_lockFile);
#endif
}

SingleInstance::Lock SingleInstance::takeLock()
{
#ifdef Q_OS_UNIX
    // A lock of the system's, not a lock file's contents: nothing is written or synced to disk at start-up,
    // and a holder that died holds nothing.
    m_lockFile = ::open(QFile::encodeName(m_lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_lockFile < 0)
        return Lock::Unusable;
    if (::flock(m_lockFile, LOCK_EX | LOCK_NB) == 0)
        return Lock::Held;
    const bool taken = errno == EWOULDBLOCK;
    ::close(m_lockFile);
    m_lockFile = -1;
    return taken ? Lock::Taken : Lock::Unusable;
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
    switch (takeLock()) {
    case Lock::Held:
        // Listening can wait for the window: a later start that comes meanwhile tries again for a while.
        QTimer::singleShot(200, this, [this] { listen(); });
        return Claim::First;
    case Lock::Unusable:
        // A runtime folder that cannot hold the lock guards nothing; Cartling runs as it always did.
        return Claim::First;
    case Lock::Taken:
        break;
    }
    // The holder may have taken the lock a moment ago and not listen yet.
    const QDeadlineTimer deadline(std::chrono::seconds(5));
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(500)) {
            socket.write(kRequest);
            socket.waitForBytesWritten(1000);
            while (socket.bytesAvailable() < kAnswer.size() &&
                   socket.waitForReadyRead(qMax(1, int(deadline.remainingTime()))))
                ;
            return socket.readAll().startsWith(kAnswer) ? Claim::Handed : Claim::Silent;
        }
        QThread::msleep(50);
    }
    return Claim::Silent;
}

void SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left by a holder that died would refuse the name.
    QLocalServer::removeServer(m_socketPath);
    if (!m_server->listen(m_socketPath))
        return;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
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
