#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <optional>

class QDeadlineTimer;
class QLockFile;

// One Cartling per base folder: two on one folder would each write their copy of the data files over the
// other's. The first start on a folder holds a lock in the runtime folder and listens on a local socket named
// after the folder (its canonical path); a later start on the same folder asks that one to come to the front.
// Only the user's own lock and socket count: without a private runtime folder, or with a lock that another user
// made, the guard stands aside and Cartling starts as it always did. The lock file goes when its holder ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    enum class Claim
    {
        First,  // this process has the folder (also when the runtime folder cannot hold the user's own lock)
        Handed, // another Cartling has it and was asked to come to the front: this one ends
        Silent, // another Cartling has it but does not answer: this one ends too
    };

    // `patience`: how long a later start waits for the holder's answer before it takes it for silent.
    explicit SingleInstance(const QString &baseFolder, QObject *parent = nullptr,
                            std::chrono::milliseconds patience = std::chrono::seconds(5));
    ~SingleInstance() override;

    Claim claim();

signals:
    // A later start on the same folder asked for the window.
    void raiseRequested();

private:
    void listen();
    // Asks the holder to come to the front: its answer, or nothing when no one listens yet.
    std::optional<QByteArray> ask(const QDeadlineTimer &deadline);
    // Takes the folder's lock without waiting: Held (taken), Taken (another process of the user holds it), or
    // Unusable (no private runtime folder, or the lock there is not the user's own file).
    enum class Lock
    {
        Held,
        Taken,
        Unusable,
    };
    Lock takeLock();

    std::chrono::milliseconds m_patience;
    QString m_lockPath;
    QString m_socketPath;
    std::unique_ptr<QLockFile> m_lock;
    int m_lockFile = -1; // the descriptor whose lock the system drops when this process ends
    int m_listener = -1;
};
