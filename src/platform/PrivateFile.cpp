#include "platform/PrivateFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <iterator>

#ifdef Q_OS_UNIX
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

using Action = TextFile::Error::Action;
using Refusal = PrivateFile::Error::Refusal;

// What each refusal says, in the order of the enumeration; a system failure gives the system's own reason.
constexpr const char *kRefusalReasons[] = {
    "it is a symbolic link, and Cartling's own files are never used through a link",
    "its folder is a symbolic link or belongs to another user",
    "it belongs to another user",
    "it is not a regular file",
    "its folder is read-only",
    "it is larger than a file of this kind can be",
    "",
};
static_assert(std::size(kRefusalReasons) == size_t(Refusal::SystemFailure) + 1);

// A system failure gives the system's reason, every other refusal its own.
[[noreturn]] void refuseFile(Action action, const QString &path, Refusal refusal, const QString &systemReason = {})
{
    throw PrivateFile::Error(action, path, refusal,
                             refusal == Refusal::SystemFailure ? systemReason
                                                               : QString::fromUtf8(kRefusalReasons[int(refusal)]));
}

#ifdef Q_OS_UNIX
[[noreturn]] void refuseFile(Action action, const QString &path, Refusal refusal, int error)
{
    refuseFile(action, path, refusal, QString::fromLocal8Bit(std::strerror(error)));
}
#endif

#ifdef Q_OS_UNIX
// Closes the descriptor on every way out (closing -1 does nothing).
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { ::close(m_fd); }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// A name form no user would choose, as TextFile's temporary files have: ".<file>.cartling-tmp-" and eight
// hexadecimal digits.
constexpr char kTemporaryMark[] = ".cartling-tmp-";
constexpr int kTemporaryDigits = 8;

QByteArray temporaryNamePrefix(const QByteArray &name)
{
    return '.' + name + kTemporaryMark;
}

// A new file in the folder, made create-exclusive and without following a link, so nothing already there is
// written through. Thirty-one random bits make a name already taken (a killed write's leftover) too unlikely to
// try again for; such a write fails like any other.
int createTemporaryIn(int folder, const QByteArray &name, QByteArray *made)
{
    // The top bit set, so there are always eight digits.
    *made = temporaryNamePrefix(name) + QByteArray::number(QRandomGenerator::global()->generate() | 0x80000000u, 16);
    return ::openat(folder, made->constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
}

// Empty when the bytes are written whole and on the disk; else the system's reason.
QString writeWhole(int fd, const QByteArray &bytes)
{
    QFile output;
    if (!output.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::DontCloseHandle) ||
        output.write(bytes) != bytes.size())
        return output.errorString();
    // A failed sync (a full disk found late) is a failed write; after it, closing has nothing left to report.
    return ::fsync(fd) != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : QString();
}

// Removes the temporary files of this name that killed saves left: regular files of this user with no other
// link, of exactly that name form.
void removeLeftoversIn(int folder, const QByteArray &name)
{
    DIR *entries = ::fdopendir(::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    const QByteArray prefix = temporaryNamePrefix(name);
    while (const dirent *entry = entries ? ::readdir(entries) : nullptr) {
        const QByteArray candidate(entry->d_name);
        if (candidate.size() != prefix.size() + kTemporaryDigits || !candidate.startsWith(prefix))
            continue;
        const QByteArray suffix = candidate.sliced(prefix.size());
        if (!std::all_of(suffix.begin(), suffix.end(),
                         [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            continue;
        struct stat st;
        if (::fstatat(folder, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
            st.st_uid == ::geteuid() && st.st_nlink == 1)
            ::unlinkat(folder, entry->d_name, 0);
    }
    if (entries)
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
    if (file.get() == -1) {
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
    QFile input;
    // Qt takes any descriptor; what goes wrong with it shows in error() after the read.
    input.open(file.get(), QIODevice::ReadOnly, QFileDevice::DontCloseHandle);
    // What the file held when it was looked at: private files are replaced whole, never grown in place.
    const qint64 size = st.st_size;
#else
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 size = input.size();
#endif
    if (size > limit)
        refuseFile(Action::Read, path, Refusal::TooLarge);
    QByteArray bytes = input.read(size);
    if (input.error() != QFileDevice::NoError)
        refuseFile(Action::Read, path, Refusal::SystemFailure, input.errorString());
    return bytes;
}

std::optional<QByteArray> read(const QString &path, qint64 limit)
{
    try {
        return load(path, limit);
    } catch (const TextFile::Error &) {
        return std::nullopt;
    }
}

void save(const QString &path, const QByteArray &bytes, Leftovers leftovers)
{
#ifdef Q_OS_UNIX
    const QFileInfo info(path);
    const QByteArray folderPath = QFile::encodeName(info.absolutePath());
    const QByteArray name = QFile::encodeName(info.fileName());
    // Everything below goes through the folder's descriptor, so the folder checked is the folder written.
    const FileDescriptor folder(::open(folderPath.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.get() == -1) {
        const int error = errno;
        char target;
        const bool link = ::readlink(folderPath.constData(), &target, 1) != -1;
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
    const FileDescriptor file(createTemporaryIn(folder.get(), name, &temporary));
    if (file.get() == -1)
        refuseFile(Action::Write, path, Refusal::SystemFailure, errno);
    QString failure = writeWhole(file.get(), bytes);
    // A rename replaces whatever took the name meanwhile, a link included, and never writes through it.
    if (failure.isEmpty() && ::renameat(folder.get(), temporary.constData(), folder.get(), name.constData()) != 0)
        failure = QString::fromLocal8Bit(std::strerror(errno));
    if (!failure.isEmpty()) {
        ::unlinkat(folder.get(), temporary.constData(), 0);
        refuseFile(Action::Write, path, Refusal::SystemFailure, failure);
    }
    if (leftovers == Leftovers::Remove)
        removeLeftoversIn(folder.get(), name);
#else
    // No symbolic link can steer a write there.
    Q_UNUSED(leftovers);
    TextFile::save(path, bytes);
#endif
}

bool write(const QString &path, const QByteArray &bytes, Leftovers leftovers)
{
    try {
        save(path, bytes, leftovers);
        return true;
    } catch (const TextFile::Error &) {
        return false;
    }
}

bool makeFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
#ifdef Q_OS_UNIX
    // From the root down; a folder that another thread made first is as good as one made here.
    for (qsizetype end = clean.indexOf(u'/', 1);; end = clean.indexOf(u'/', end + 1)) {
        const QByteArray part = QFile::encodeName(end == -1 ? clean : clean.left(end));
        struct stat st;
        if (::lstat(part.constData(), &st) != 0 &&
            (errno != ENOENT || (::mkdir(part.constData(), 0700) != 0 && errno != EEXIST)))
            return false;
        if (end == -1)
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
