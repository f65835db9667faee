#include "TestSupport.h"

#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"
#include "settings/BaseFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <fcntl.h>
#include <ftw.h>
#include <sys/resource.h>
#include <unistd.h>

void BaseFolderTest::SetUp()
{
    ASSERT_TRUE(m_temp.isValid());
    m_base = QFileInfo(m_temp.path()).canonicalFilePath() + QStringLiteral("/base");
    ASSERT_TRUE(QDir().mkpath(m_base));
    ASSERT_TRUE(QDir().mkpath(m_temp.path() + QStringLiteral("/drive")));
    qputenv("CARTLING_DRIVE_ROOT", QFile::encodeName(m_temp.path() + QStringLiteral("/drive")));
    // The private extraction folder lives in the runtime folder: keep it inside the test's own folder.
    const QString runtime = m_temp.path() + QStringLiteral("/runtime");
    ASSERT_TRUE(QDir().mkpath(runtime));
    QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    // Thumbnails of the test's pictures go into its own cache folder.
    qputenv("XDG_CACHE_HOME", QFile::encodeName(m_temp.path() + QStringLiteral("/cache")));
    m_previousFolder = QDir::currentPath();
    QDir::setCurrent(m_base);
    BaseFolder::capture();
    setMessageSink(&m_messages);
    setProcessStarter(&m_starter);
    setRunEnd([this](int status) { m_runEnds.append(status); });
    m_trash.folder = m_temp.path() + QStringLiteral("/trash");
    ASSERT_TRUE(QDir().mkpath(m_trash.folder));
    setTrash(&m_trash);
}

bool RecordingTrash::moveToTrash(const QString &path)
{
    if (!works || refused.contains(path) ||
        !QFile::rename(path, folder + u'/' + QString::number(moved.size()) + u'-' + QFileInfo(path).fileName()))
        return false;
    moved.append(path);
    return true;
}

void BaseFolderTest::TearDown()
{
    setMessageSink(nullptr);
    setProcessStarter(nullptr);
    setTrash(nullptr);
    setRunEnd(nullptr);
    QDir::setCurrent(m_previousFolder);
    // Give everything its write permission back so the temporary folder can be removed.
    QDir dir(m_temp.path());
    const auto restore = [](const QString &p) {
        QFile::setPermissions(p, QFile::permissions(p) | QFileDevice::WriteOwner | QFileDevice::ReadOwner |
                                     QFileDevice::ExeOwner);
    };
    restore(m_temp.path());
    QStringList pending{m_temp.path()};
    while (!pending.isEmpty()) {
        const QDir d(pending.takeLast());
        for (const QFileInfo &info :
             d.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (info.isSymLink())
                continue;
            restore(info.absoluteFilePath());
            if (info.isDir())
                pending.append(info.absoluteFilePath());
        }
    }
    // Qt lists no name that is not text, so the temporary folder could not go while one is left.
    ::nftw(
        QFile::encodeName(m_temp.path()).constData(),
        [](const char *path, const struct stat *, int, struct FTW *at) {
            if (!TextEncoding::isValidUtf8(QByteArrayView(path + at->base)))
                ::remove(path);
            return 0;
        },
        16, FTW_DEPTH | FTW_PHYS);
}

QString BaseFolderTest::path(const QString &name) const
{
    return m_base + u'/' + name;
}

void BaseFolderTest::writeFile(const QString &name, const QByteArray &bytes) const
{
    QFile file(path(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(name);
    file.write(bytes);
}

QByteArray BaseFolderTest::readFile(const QString &name) const
{
    QFile file(path(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void BaseFolderTest::makeFolder(const QString &name) const
{
    QDir().mkpath(path(name));
}

QByteArray romImage(const QByteArray &title, int size)
{
    QByteArray rom(size, '\0');
    // A short image keeps only the title bytes that fit in it.
    for (int i = 0; i < 16 && i < title.size() && 0x134 + i < size; ++i)
        rom[0x134 + i] = title[i];
    return rom;
}

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    // Past the limit the system sends SIGXFSZ, which would end the test program; the write fails instead.
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    m_previous = limit.rlim_cur;
    limit.rlim_cur = rlim_t(bytes);
    ::setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = rlim_t(m_previous);
    ::setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_previousHandler);
}

bool giveToAnotherUser(const QString &path)
{
    constexpr uid_t nobody = 65534;
    return ::geteuid() == 0 && ::lchown(QFile::encodeName(path).constData(), nobody, nobody) == 0;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QString writeRawNamed(const QString &folder, const QByteArray &name, const QByteArray &bytes)
{
    const QByteArray path = QFile::encodeName(folder) + '/' + name;
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    EXPECT_GE(fd, 0) << path.constData();
    if (fd >= 0) {
        EXPECT_EQ(::write(fd, bytes.constData(), size_t(bytes.size())), bytes.size());
        ::close(fd);
    }
    return QFile::decodeName(name);
}
