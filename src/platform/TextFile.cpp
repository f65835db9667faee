#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr qint64 kChunk = 64 * 1024;

QString sizeText(qint64 bytes)
{
    return bytes % (1024 * 1024) == 0 ? QStringLiteral("%1 MiB").arg(bytes / (1024 * 1024))
                                      : QStringLiteral("%1 bytes").arg(bytes);
}

QString notRegular()
{
    return QStringLiteral("it is not a regular file");
}

QString tooLarge(qint64 limit)
{
    return QStringLiteral("it is larger than %1").arg(sizeText(limit));
}

// Reads at most limit + 1 bytes, so a file that grew past the limit since it was looked at is caught too.
QByteArray readBounded(QFile &file, qint64 expected, qint64 limit, const QString &path)
{
    using TextFile::Error;
    QByteArray bytes;
    bytes.reserve(qMin(expected, limit) + 1);
    while (bytes.size() <= limit) {
        const qsizetype at = bytes.size();
        const qint64 want = qMin(kChunk, limit + 1 - at);
        bytes.resize(at + want);
        const qint64 got = file.read(bytes.data() + at, want);
        if (got < 0)
            throw Error(Error::Action::Read, path, file.errorString());
        bytes.resize(at + got);
        if (got == 0)
            break;
    }
    if (bytes.size() > limit)
        throw Error(Error::Action::Read, path, tooLarge(limit));
    return bytes;
}

#ifdef Q_OS_UNIX
// The temporary file of a save stands beside the file, so the last step is one rename within a folder; its
// name is one no user would choose, so that cleaning up after a killed save never takes a user's own
// "Titulos.ini.backup" or "GGCodes.ini.old001".
constexpr char kTemporaryPart[] = ".cartling-tmp-";
constexpr int kTemporaryRandomLength = 6;

QString temporaryPrefix(const QFileInfo &file)
{
    return u'.' + file.fileName() + QLatin1String(kTemporaryPart);
}

// An existing file keeps its owner and mode: a write made as root must not hand a user's file to root.
void keepOwnerAndMode(int fd, const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return;
    // Only root may give a file away; anyone else keeps what the system allows.
    if ((st.st_uid != ::geteuid() || st.st_gid != ::getegid()) && ::fchown(fd, st.st_uid, st.st_gid) != 0) {
    }
    if (::fchmod(fd, st.st_mode & 07777) != 0) {
    }
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// A new temporary file beside `file`, made create-exclusive so that nothing already there (a planted link
// included) is written through. Its path goes to `made`.
int createTemporary(const QFileInfo &file, QByteArray *made)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const QByteArray prefix = QFile::encodeName(file.absolutePath() + u'/' + temporaryPrefix(file));
    for (int attempt = 0; attempt < 100; ++attempt) {
        QByteArray path = prefix;
        for (int i = 0; i < kTemporaryRandomLength; ++i)
            path += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0) {
            *made = path;
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *at = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(qMin<qint64>(left, 1 << 20)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        at += n;
        left -= n;
    }
    // A file system that cannot sync says so with EINVAL; anything else (a full disk found late) is a failure.
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

// The bytes written whole under a temporary name, then renamed over the file. Raises on failure, with nothing
// left behind.
void saveAtomically(const QString &path, const QString &file, const QByteArray &bytes)
{
    using TextFile::Error;
    const QFileInfo info(file);
    QByteArray temporary;
    const int fd = createTemporary(info, &temporary);
    if (fd < 0)
        throw Error(Error::Action::Write, path, systemReason(errno));
    keepOwnerAndMode(fd, file);
    int error = writeAll(fd, bytes) ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        throw Error(Error::Action::Write, path, systemReason(error));
    }
    if (::rename(temporary.constData(), QFile::encodeName(file).constData()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.constData());
        throw Error(Error::Action::Write, path, systemReason(renameError));
    }
}

// A save killed before its rename leaves its temporary file; the next save of the file removes it. Only files
// that cannot be anyone else's are touched: regular files of this user, of exactly that name form, with no other
// link.
void removeLeftovers(const QString &file)
{
    const QFileInfo info(file);
    const QString prefix = temporaryPrefix(info);
    const QDir folder = info.dir();
    for (const QString &name : folder.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (name.size() != prefix.size() + kTemporaryRandomLength || !name.startsWith(prefix))
            continue;
        const QStringView suffix = QStringView(name).sliced(prefix.size());
        if (!std::all_of(suffix.begin(), suffix.end(),
                         [](QChar c) { return c.isLetterOrNumber() && c.unicode() < 128; }))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat st;
        if (::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() && st.st_nlink == 1)
            ::unlink(path.constData());
    }
}
#endif

} // namespace

namespace TextFile {

Error::Error(Action action, const QString &path, const QString &reason)
    : CartlingError(QStringLiteral("Cannot %1 the file \"%2\": %3.")
                        .arg(action == Action::Read ? QStringLiteral("read") : QStringLiteral("write"),
                             QDir::toNativeSeparators(path), reason)),
      m_reason(reason)
{
}

QString target(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isSymbolicLink())
        return path;
    return info.canonicalFilePath(); // empty when the chain ends nowhere
}

std::optional<Text> load(const QString &path, qint64 limit)
{
    const QString file = target(path);
    if (file.isEmpty())
        return std::nullopt;
    QFile input;
    qint64 size = 0;
#ifdef Q_OS_UNIX
    // Opened without blocking, so a pipe never hangs the program, and looked at through the descriptor, so
    // what is checked is what is read.
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return std::nullopt;
        throw Error(Error::Action::Read, path, QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        throw Error(Error::Action::Read, path, notRegular());
    }
    size = st.st_size;
    if (size > limit) {
        ::close(fd);
        throw Error(Error::Action::Read, path, tooLarge(limit));
    }
    if (!input.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        throw Error(Error::Action::Read, path, input.errorString());
    }
#else
    const QFileInfo info(file);
    if (!info.exists())
        return std::nullopt;
    if (!info.isFile())
        throw Error(Error::Action::Read, path, notRegular());
    size = info.size();
    if (size > limit)
        throw Error(Error::Action::Read, path, tooLarge(limit));
    input.setFileName(file);
    if (!input.open(QIODevice::ReadOnly))
        throw Error(Error::Action::Read, path, input.errorString());
#endif
    const TextEncoding::Decoded decoded = TextEncoding::decodeDetected(readBounded(input, size, limit, path));
    return Text{decoded.text, decoded.encoding};
}

std::optional<QStringList> loadLines(const QString &path, TextEncoding::Encoding *encoding, qint64 limit)
{
    const auto text = load(path, limit);
    if (!text)
        return std::nullopt;
    if (encoding)
        *encoding = text->encoding;
    return TextEncoding::splitLines(text->text);
}

std::optional<QString> read(const QString &path)
{
    try {
        const auto text = load(path);
        if (!text)
            return std::nullopt;
        return text->text;
    } catch (const Error &) {
        return std::nullopt;
    }
}

std::optional<QStringList> readLines(const QString &path)
{
    const auto text = read(path);
    if (!text)
        return std::nullopt;
    return TextEncoding::splitLines(*text);
}

bool writable(const QString &path)
{
    const QString file = target(path);
    if (file.isEmpty())
        return false;
    const QFileInfo info(file);
    if (info.exists() && (!info.isFile() || !(info.permissions() & QFileDevice::WriteOwner)))
        return false;
    return folderWritable(info.absolutePath());
}

bool folderWritable(const QString &path)
{
    const QFileInfo folder(path);
    if (!folder.isDir() || !folder.isWritable())
        return false;
#ifdef Q_OS_UNIX
    // The owner's own folder counts by its permission bits, so a folder made read-only stays so for root.
    if (folder.ownerId() == ::geteuid() && !(folder.permissions() & QFileDevice::WriteOwner))
        return false;
#endif
    return true;
}

void save(const QString &path, const QByteArray &bytes)
{
    const QString file = target(path);
    if (file.isEmpty()) {
        throw Error(Error::Action::Write, path,
                    QStringLiteral("it is a symbolic link that leads to no file, and no file is made through it"));
    }
    const QFileInfo info(file);
    if (info.exists() && !info.isFile())
        throw Error(Error::Action::Write, path, notRegular());
    if (!writable(file))
        throw Error(Error::Action::Write, path, QStringLiteral("the file or its folder is read-only"));
#ifdef Q_OS_UNIX
    saveAtomically(path, file, bytes);
    removeLeftovers(file);
#else
    QSaveFile output(file);
    if (!output.open(QIODevice::WriteOnly))
        throw Error(Error::Action::Write, path, output.errorString());
    // QSaveFile misses an error of the last flush inside commit(), so the buffer is flushed and checked here.
    if (output.write(bytes) != bytes.size() || !output.flush()) {
        const QString reason = output.errorString();
        output.cancelWriting(); // the temporary file goes with the object
        throw Error(Error::Action::Write, path, reason);
    }
    if (!output.commit())
        throw Error(Error::Action::Write, path, output.errorString());
#endif
}

void saveLines(const QString &path, const QStringList &lines, TextEncoding::Encoding encoding)
{
    save(path, TextEncoding::encodeAs(TextEncoding::joinLines(lines), encoding).bytes);
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    try {
        save(path, bytes);
        return true;
    } catch (const Error &) {
        return false;
    }
}

bool writeLines(const QString &path, const QStringList &lines, TextEncoding::Encoding encoding)
{
    try {
        saveLines(path, lines, encoding);
        return true;
    } catch (const Error &) {
        return false;
    }
}

} // namespace TextFile
