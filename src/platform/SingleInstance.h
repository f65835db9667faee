#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QDeadlineTimer;
class QLockFile;

// One Cartling per base folder: two on one folder would each write their copy of the data files over the
// other's. The first start on a folder holds a lock in the runtime folder and listens on a local socket named
// after the folder (its canonical path); a later start on the same folder asks that one to come to the front.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Claim
    {
        First,  // this process has the folder (also when the runtime folder cannot hold the lock)
        Handed, // another Cartling has it and was asked to come to the front: this one ends
        Silent, // another Cartling has it but does not answer: this one ends too
    };

    explicit SingleInstance(const QString &baseFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    Claim claim();

signals:
    // A later start on the same folder asked for the window.
    void raiseRequested();

private:
    void listen();
    // Asks the holder to come to the front: its answer, or nothing when no one listens yet.
    std::optional<QByteArray> ask(const QDeadlineTimer &deadline);
    // Takes the folder's lock without waiting: Held (taken), Taken (another process holds it), or Unusable
    // (the runtime folder cannot hold a lock).
    enum class Lock
    {
        Held,
        Taken,
        Unusable,
    };
    Lock takeLock();

    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    int m_lockFile = -1; // the descriptor whose lock the system drops when this process ends
    int m_listener = -1;
};
