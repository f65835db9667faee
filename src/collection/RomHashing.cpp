#include "collection/RomHashing.h"

#include "archive/ZipMembers.h"
#include "collection/Sha1.h"
#include "platform/PathHelpers.h"

#include <QFile>

#include <memory>
#include <zlib.h>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace RomHashing {

namespace {

// Both sums over one piece of the bytes while it is still in the processor's cache.
struct Summer
{
    uLong crc = crc32(0, nullptr, 0);
    Sha1 sha1;
    qint64 size = 0;

    void add(const char *data, qsizetype n)
    {
        crc = crc32(crc, reinterpret_cast<const Bytef *>(data), uInt(n));
        sha1.addData(data, n);
        size += n;
    }
    RomHashes result() { return {size, quint32(crc), sha1.result()}; }
};

constexpr qsizetype ChunkSize = 1 << 20;

} // namespace

Outcome hashFile(const QString &path, qint64 limit)
{
    Summer sums;
    const auto buffer = std::make_unique<char[]>(ChunkSize);
#ifdef Q_OS_UNIX
    // Without blocking, so a pipe with a ROM's name cannot hang the run.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return {};
    }
    if (st.st_size > limit) {
        ::close(fd);
        return {std::nullopt, Failure::TooLarge};
    }
#ifdef POSIX_FADV_SEQUENTIAL
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    for (;;) {
        const ssize_t n = ::read(fd, buffer.get(), size_t(ChunkSize));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return {};
        }
        if (n == 0)
            break;
        // A file that grows while it is read is bounded all the same.
        if (sums.size + n > limit) {
            ::close(fd);
            return {std::nullopt, Failure::TooLarge};
        }
        sums.add(buffer.get(), n);
    }
    ::close(fd);
#else
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    if (file.size() > limit)
        return {std::nullopt, Failure::TooLarge};
    for (;;) {
        const qint64 n = file.read(buffer.get(), ChunkSize);
        if (n < 0)
            return {};
        if (n == 0)
            break;
        if (sums.size + n > limit)
            return {std::nullopt, Failure::TooLarge};
        sums.add(buffer.get(), n);
    }
#endif
    return {sums.result()};
}

std::optional<QByteArray> memberSha1(const QString &archive, const ZipMembers::Member &member, qint64 limit)
{
    Sha1 sha1;
    if (!ZipMembers::read(archive, member, limit, [&sha1](const char *data, qsizetype n) { sha1.addData(data, n); }))
        return std::nullopt;
    return sha1.result();
}

bool isRomMember(const QString &name)
{
    const QString file = fileNameOf(name);
    return file.endsWith(u".gb", Qt::CaseInsensitive) || file.endsWith(u".gbc", Qt::CaseInsensitive);
}

} // namespace RomHashing
