#include "TestSupport.h"

#include "archive/ExtractionFolder.h"
#include "platform/Places.h"
#include "platform/SingleInstance.h"
#include "settings/BaseFolder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

constexpr uid_t OtherUser = 12345;

// A local socket at the path, owned by `owner`, that answers every request with "ok" as a holder does.
class AnsweringSocket
{
public:
    AnsweringSocket(const QString &path, uid_t owner) : m_path(QFile::encodeName(path))
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, m_path.constData(), size_t(m_path.size()));
        EXPECT_EQ(::bind(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
        EXPECT_EQ(::listen(m_fd, 4), 0);
        EXPECT_EQ(::chown(m_path.constData(), owner, owner), 0);
        ::chmod(m_path.constData(), 0666);
        m_answering = std::thread([this] {
            while (!m_stop) {
                pollfd one{m_fd, POLLIN, 0};
                if (::poll(&one, 1, 20) != 1)
                    continue;
                const int client = ::accept(m_fd, nullptr, nullptr);
                char request[16];
                if (::read(client, request, sizeof request) > 0 && ::write(client, "ok\n", 3) != 3)
                    ADD_FAILURE() << "no answer written";
                ::close(client);
            }
        });
    }
    ~AnsweringSocket()
    {
        m_stop = true;
        m_answering.join();
        ::close(m_fd);
        ::unlink(m_path.constData());
    }

private:
    QByteArray m_path;
    int m_fd = -1;
    std::atomic<bool> m_stop{false};
    std::thread m_answering;
};

class SingleInstanceTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        m_runtime = QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"));
    }
    void TearDown() override
    {
        if (m_hadTemp)
            qputenv("TMPDIR", m_oldTemp);
        else
            qunsetenv("TMPDIR");
        BaseFolderTest::TearDown();
    }

    // Where the guard of the base folder keeps its lock and socket.
    QString guardFile(const QString &extension) const
    {
        return m_runtime + "/cartling-" + Places::userId() + '-' + Places::folderTag(m_base) + extension;
    }

    // The claim of a start made on another thread. Meanwhile this thread handles the events of the guards it holds,
    // or, with `meanwhile`, handles none and runs that after 300 ms.
    SingleInstance::Claim claimElsewhere(std::chrono::milliseconds patience,
                                         const std::function<void()> &meanwhile = {}, bool *heldLock = nullptr)
    {
        SingleInstance::Claim claim = SingleInstance::Claim::Silent;
        const std::unique_ptr<QThread> start(QThread::create([&] {
            SingleInstance later(m_base, nullptr, patience);
            claim = later.claim();
            if (heldLock)
                *heldLock = QFile::exists(guardFile(".lock"));
        }));
        start->start();
        const QDeadlineTimer soon(300ms);
        bool ran = false;
        while (!start->wait(QDeadlineTimer(10ms))) {
            if (!meanwhile) {
                QCoreApplication::processEvents();
            } else if (!ran && soon.hasExpired()) {
                meanwhile();
                ran = true;
            }
        }
        return claim;
    }

    QString m_runtime;
    bool m_hadTemp = qEnvironmentVariableIsSet("TMPDIR");
    QByteArray m_oldTemp = qgetenv("TMPDIR");
};

// Without XDG_RUNTIME_DIR the lock and socket sat in /tmp under a name any local user could make first.
TEST_F(SingleInstanceTest, AFallbackRuntimeFolderServesOnlyWhenItIsTheUsersOwnAndPrivate)
{
    const QString temp = m_temp.path() + "/tmp";
    ASSERT_TRUE(QDir().mkpath(temp));
    qputenv("TMPDIR", QFile::encodeName(temp));
    const QString own = temp + "/cartling-" + Places::userId();
    const QByteArray ownName = QFile::encodeName(own);
    const QString openXdg = m_temp.path() + "/open-runtime";
    ASSERT_TRUE(QDir().mkpath(openXdg));
    ::chmod(QFile::encodeName(openXdg).constData(), 0755);
    const struct
    {
        const char *what;
        std::function<void()> plant;
        bool usable;
        QString xdg;
    } cases[] = {
        {"missing", [] {}, true, {}},
        {"private already", [&] { ::mkdir(ownName.constData(), 0700); }, true, {}},
        {"a private XDG_RUNTIME_DIR", [] {}, true, m_runtime},
        {"an XDG_RUNTIME_DIR open to others", [] {}, true, openXdg},
        {"open to others",
         [&] {
             ::mkdir(ownName.constData(), 0700);
             ::chmod(ownName.constData(), 0755);
         },
         false,
         {}},
        {"a link to a private folder",
         [&] {
             ::mkdir(QFile::encodeName(temp + "/elsewhere").constData(), 0700);
             ::symlink("elsewhere", ownName.constData());
         },
         false,
         {}},
        {"a file", [&] { QFile(own).open(QIODevice::WriteOnly); }, false, {}},
        {"another user's",
         [&] {
             ::mkdir(ownName.constData(), 0700);
             if (::chown(ownName.constData(), OtherUser, OtherUser) != 0)
                 ADD_FAILURE() << "no chown";
         },
         false,
         {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (QByteArray(c.what) == "another user's" && ::geteuid() != 0)
            continue; // only root can give a folder away
        QFile::remove(own);
        QDir(own).removeRecursively();
        QDir(temp + "/elsewhere").removeRecursively();
        c.plant();
        if (c.xdg.isEmpty())
            qunsetenv("XDG_RUNTIME_DIR");
        else
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(c.xdg));
        const QString expected = !c.usable ? QString() : c.xdg == m_runtime ? m_runtime : own;
        EXPECT_EQ(Places::runtimeFolder(), expected);
        struct stat st
        {
        };
        ::lstat(ownName.constData(), &st);
        if (expected == own)
            EXPECT_EQ(st.st_mode & 07777, 0700u);
        else if (QByteArray(c.what) == "open to others")
            EXPECT_EQ(st.st_mode & 07777, 0755u); // refused, not taken over

        // The guard stands aside where no private folder is had; unpacking goes on in the temporary folder.
        {
            SingleInstance guard(m_base, nullptr, 0ms);
            EXPECT_EQ(guard.claim(), SingleInstance::Claim::First);
            EXPECT_EQ(
                QFile::exists(expected + "/cartling-" + Places::userId() + '-' + Places::folderTag(m_base) + ".lock"),
                c.usable);
            const QStringList elsewhere = folderEntries(temp) + (expected == own ? QStringList() : folderEntries(own));
            EXPECT_FALSE(elsewhere.join(' ').contains(".lock")) << qPrintable(elsewhere.join(' '));
        }
        EXPECT_TRUE(Places::ensureExtractionFolder());
        EXPECT_EQ(QFileInfo(Places::extractionFolder()).path(), c.usable ? expected : temp);
        QDir(Places::extractionFolder()).removeRecursively();
    }
}

// Another local user who made the lock and a socket answering "ok" kept every start of Cartling away, silently.
TEST_F(SingleInstanceTest, ALockOrSocketOfAnotherUserIsNeverTrusted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file to another user";
    {
        const int planted = ::open(QFile::encodeName(guardFile(".lock")).constData(), O_RDWR | O_CREAT, 0666);
        ASSERT_GE(planted, 0);
        ASSERT_EQ(::fchown(planted, OtherUser, OtherUser), 0);
        ASSERT_EQ(::flock(planted, LOCK_EX), 0);
        const AnsweringSocket answering(guardFile(".socket"), OtherUser);
        SingleInstance start(m_base, nullptr, 2s);
        EXPECT_EQ(start.claim(), SingleInstance::Claim::First);
        ::close(planted);
        ::unlink(QFile::encodeName(guardFile(".lock")).constData());
    }
    // The lock is the user's own and held, but the socket is another's: it is not asked.
    SingleInstance first(m_base, nullptr);
    ASSERT_EQ(first.claim(), SingleInstance::Claim::First);
    const AnsweringSocket answering(guardFile(".socket"), OtherUser);
    EXPECT_EQ(claimElsewhere(300ms, [] {}), SingleInstance::Claim::Silent);
}

// About 150 lock files were left in /tmp on one machine: a holder never removed its own.
TEST_F(SingleInstanceTest, TheHolderRemovesItsLockAndSocketAndAStartThatWaitsTakesOver)
{
    auto first = std::make_unique<SingleInstance>(m_base);
    ASSERT_EQ(first->claim(), SingleInstance::Claim::First);
    EXPECT_TRUE(QFile::exists(guardFile(".lock")));
    // A later start that finds the holder ending while it waits gets the folder (this holder never listens).
    bool laterHeldLock = false;
    const SingleInstance::Claim later = claimElsewhere(
        5s, [&first] { first.reset(); }, &laterHeldLock);
    EXPECT_EQ(later, SingleInstance::Claim::First);
    EXPECT_TRUE(laterHeldLock);
    EXPECT_EQ(folderEntries(m_runtime), QStringList());

    // A holder that listens hands over, and leaves nothing behind when it ends.
    first = std::make_unique<SingleInstance>(m_base);
    ASSERT_EQ(first->claim(), SingleInstance::Claim::First);
    const QDeadlineTimer listening(5s);
    while (!QFile::exists(guardFile(".socket")) && !listening.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(claimElsewhere(5s), SingleInstance::Claim::Handed);
    first.reset();
    EXPECT_EQ(folderEntries(m_runtime), QStringList());
}

// The extraction folder was one per user, and each run emptied it: two title-list runs on different base folders
// at once gave false "no es un juego" messages.
TEST_F(SingleInstanceTest, EachBaseFolderUnpacksIntoAFolderOfItsOwn)
{
    makeFolder("other");
    ExtractionFolder mine;
    QFile(mine.file("tetris.gb")).open(QIODevice::WriteOnly);
    const QString mineFolder = Places::extractionFolder();
    ASSERT_TRUE(QFile::link(m_base, m_temp.path() + "/link"));
    for (const QString &base : {path("other"), m_temp.path() + "/link"}) {
        const bool sameBase = base.endsWith("link");
        QDir::setCurrent(base);
        BaseFolder::capture();
        {
            const ExtractionFolder theirs; // emptied when made and when done
            EXPECT_EQ(Places::extractionFolder() == mineFolder, sameBase) << qPrintable(base);
        }
        EXPECT_EQ(mine.roms().isEmpty(), sameBase) << qPrintable(base);
        QFile(mine.file("tetris.gb")).open(QIODevice::WriteOnly);
    }

    // At the end only an empty folder goes: one was left in the runtime folder for every base folder ever used.
    QDir::setCurrent(path("other"));
    BaseFolder::capture();
    const QString theirs = Places::extractionFolder();
    ASSERT_TRUE(Places::ensureExtractionFolder());
    Places::removeEmptyExtractionFolder();
    EXPECT_FALSE(QFileInfo::exists(theirs));
    // Made again from nothing, private.
    ASSERT_TRUE(Places::ensureExtractionFolder());
    EXPECT_EQ(QFileInfo(theirs).permissions(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                   QFileDevice::ExeOwner | QFileDevice::ReadUser |
                                                   QFileDevice::WriteUser | QFileDevice::ExeUser);
    QDir::setCurrent(m_base);
    BaseFolder::capture();
    Places::removeEmptyExtractionFolder();
    EXPECT_EQ(mine.roms(), QStringList{"tetris.gb"});
}

} // namespace
