#include "platform/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace {

using Action = TextFile::Error::Action;
using Refusal = PrivateFile::Error::Refusal;

QString refusalReason(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Link:
        return QStringLiteral("it is a symbolic link, and Cartling's own files are never used through a link");
    case Refusal::FolderNotOwn:
        return QStringLiteral("its folder is a symbolic link or belongs to another user");
    case Refusal::ForeignFile:
        return QStringLiteral("it belongs to another user");
    case Refusal::NotRegular:
        return QStringLiteral("it is not a regular file");
    case Refusal::ReadOnly:
        return QStringLiteral("its folder is read-only");
    case Refusal::TooLarge:
        return QStringLiteral("it is larger than a file of this kind can be");
    case Refusal::SystemFailure:
        break;
    }
    return {};
}

// A system failure gives the system's reason, every other refusal its own.
[[noreturn]] void refuseFile(Action action, const QString &path, Refusal refusal, const QString &systemReason = {})
{
    throw PrivateFile::Error(action, path, refusal,
                             refusal == Refusal::SystemFailure ? systemReason : refusalReason(refusal));
}

#ifdef Q_OS_UNIX
[[noreturn]] void refuseFile(Action action, const QString &path, Refusal refusal, int error)
{
    refuseFile(action, path, refusal, QString::fromLocal8Bit(std::strerror(error)));
}
#endif

#ifdef Q_OS_UNIX
// Closes the descriptor on every way out.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now, so that a late write error is seen; the error number, or 0.
    int close()
    {
        const int result = ::close(m_fd);
        m_fd = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

// The same name form as TextFile's temporary files, which no user would choose.
constexpr char kTemporaryMark[] = ".cartling-tmp-";
constexpr int kTemporaryLetters = 6;

QByteArray temporaryNamePrefix(const QByteArray &name)
{
    return '.' + name + kTemporaryMark;
}

// A new file in the folder, made create-exclusive and without following a link, so nothing already there is
// written through.
int createTemporaryIn(int folder, const QByteArray &name, QByteArray *made)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray temporary = temporaryNamePrefix(name);
        for (int i = 0; i < kTemporaryLetters; ++i)
            temporary += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd =
            ::openat(folder, temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0) {
            *made = temporary;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// 0, or the error number of the failed write.
int writeWhole(int fd, const QByteArray &bytes)
{
    const char *at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(qMin<qint64>(left, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0 ? EIO : errno;
        at += n;
        left -= n;
    }
    // A file system that cannot sync says so with EINVAL; anything else (a full disk found late) is a failure.
    return ::fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
}

// Removes the temporary files of this name that killed saves left: regular files of this user with no other
// link, of exactly that name form.
void removeLeftoversIn(int folder, const QByteArray &name)
{
    const int listed = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR *entries = listed < 0 ? nullptr : ::fdopendir(listed);
    if (!entries) {
        if (listed >= 0)
            ::close(listed);
        return;
    }
    const QByteArray prefix = temporaryNamePrefix(name);
    while (const dirent *entry = ::readdir(entries)) {
        const QByteArray candidate(entry->d_name);
        if (candidate.size() != prefix.size() + kTemporaryLetters || !candidate.startsWith(prefix))
            continue;
        const QByteArray suffix = candidate.sliced(prefix.size());
        if (!std::all_of(suffix.begin(), suffix.end(),
                         [](char c) { return std::isalnum(static_cast<unsigned char>(c)); }))
            continue;
        struct stat st;
        if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_nlink == 1)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(entries);
}
#endif

} // namespace

namespace PrivateFile {

Error::Error(Action action, const QString &path, Refusal refusal, const QString &reason)
    : TextFile::Error(action, path, reason), m_refusal(refusal)
{
}

std::optional<QByteArray> load(const QString &path, qint64 limit)
{
#ifdef Q_OS_UNIX
    // Opened without blocking, so a planted pipe cannot hang the reader, and checked through the descriptor, so
    // what is checked is what is read.
    FileDescriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return std::nullopt;
        refuseFile(Action::Read, path, error == ELOOP ? Refusal::Link : Refusal::SystemFailure, error);
    }
    struct stat st;
    if (::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode))
        refuseFile(Action::Read, path, Refusal::NotRegular);
    if (st.st_uid != ::geteuid())
        refuseFile(Action::Read, path, Refusal::ForeignFile);
    if (st.st_size > limit)
        refuseFile(Action::Read, path, Refusal::TooLarge);
    QFile input;
    if (!input.open(file.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
        refuseFile(Action::Read, path, Refusal::SystemFailure, input.errorString());
    // One byte more than the file held when it was looked at, so one that grew past the limit since is caught.
    const qint64 wanted = st.st_size + 1;
#else
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 wanted = limit + 1;
#endif
    QByteArray bytes = input.read(wanted);
    if (input.error() != QFileDevice::NoError)
        refuseFile(Action::Read, path, Refusal::SystemFailure, input.errorString());
    if (bytes.size() > limit)
        refuseFile(Action::Read, path, Refusal::TooLarge);
    return bytes;
}

std::optional<QByteArray> read(const QString &path, qint64 limit)
{
    try {
        return load(path, limit);
    } catch (const Error &) {
        return std::nullopt;
    }
}

void save(const QString &path, const QByteArray &bytes, Leftovers leftovers)
{
    const QFileInfo info(path);
#ifdef Q_OS_UNIX
    const QByteArray folderPath = QFile::encodeName(info.absolutePath());
    const QByteArray name = QFile::encodeName(info.fileName());
    // Everything below goes through the folder's descriptor, so the folder checked is the folder written.
    const FileDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.get() < 0) {
        const int error = errno;
        struct stat st;
        const bool link = ::lstat(folderPath.constData(), &st) == 0 && S_ISLNK(st.st_mode);
        refuseFile(Action::Write, path, link ? Refusal::FolderNotOwn : Refusal::SystemFailure, error);
    }
    struct stat st;
    if (::fstat(folder.get(), &st) != 0 || st.st_uid != ::geteuid())
        refuseFile(Action::Write, path, Refusal::FolderNotOwn);
    // The owner's own folder counts by its permission bits, so a folder made read-only stays so for root.
    if (!(st.st_mode & S_IWUSR))
        refuseFile(Action::Write, path, Refusal::ReadOnly);
    if (::fstatat(folder.get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(st.st_mode))
            refuseFile(Action::Write, path, Refusal::Link);
        if (!S_ISREG(st.st_mode))
            refuseFile(Action::Write, path, Refusal::NotRegular);
    }
    QByteArray temporary;
    FileDescriptor file(createTemporaryIn(folder.get(), name, &temporary));
    if (file.get() < 0)
        refuseFile(Action::Write, path, Refusal::SystemFailure, errno);
    int error = writeWhole(file.get(), bytes);
    const int closeError = file.close();
    if (error == 0)
        error = closeError;
    // A rename replaces whatever took the name meanwhile, a link included, and never writes through it.
    if (error == 0 && ::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        refuseFile(Action::Write, path, Refusal::SystemFailure, error);
    }
    if (leftovers == Leftovers::Remove)
        removeLeftoversIn(folder.get(), name);
#else
    Q_UNUSED(leftovers);
    QSaveFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw Error(Action::Write, path, Refusal::SystemFailure, file.errorString());
#endif
}

bool write(const QString &path, const QByteArray &bytes, Leftovers leftovers)
{
    try {
        save(path, bytes, leftovers);
        return true;
    } catch (const Error &) {
        return false;
    }
}

bool makeFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
#ifdef Q_OS_UNIX
    // From the root down; a folder that another thread made first is as good as one made here.
    for (qsizetype end = clean.indexOf(u'/', 1);; end = clean.indexOf(u'/', end + 1)) {
        const QByteArray part = QFile::encodeName(end < 0 ? clean : clean.left(end));
        struct stat st;
        if (::lstat(part.constData(), &st) != 0 &&
            (errno != ENOENT || (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)))
            return false;
        if (end < 0)
            break;
    }
    struct stat st;
    return ::lstat(QFile::encodeName(clean).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid();
#else
    return QDir().mkpath(clean);
#endif
}

QString cacheHome()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache;
}

} // namespace PrivateFile
