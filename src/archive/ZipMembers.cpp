#include "archive/ZipMembers.h"

#include "archive/Libzip.h"
#include "archive/ZipLibrary.h"
#include "archive/ZipRecords.h"

#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>

#include <cstring>
#include <memory>
#include <zlib.h>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace ZipMembers {

using namespace ZipRecords;

namespace {

struct ZipDiscard
{
    void operator()(zip_t *archive) const { libzip().discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

ZipHandle open(const QString &archive)
{
    // libzip would open a folder's entries or wait on a pipe; only plain files are archives.
    if (!QFileInfo(archive).isFile())
        return nullptr;
    int error = 0;
    return ZipHandle(libzip().open(zipFileName(archive).constData(), ZIP_RDONLY, &error));
}

// Folders, links and other special files, by the Unix file type or the MS-DOS folder bit.
bool isPlainFile(zip_t *archive, zip_uint64_t index, const zip_stat_t &stat)
{
    if ((stat.valid & ZIP_STAT_NAME) && stat.name[0] != '\0' && stat.name[std::strlen(stat.name) - 1] == '/')
        return false;
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (libzip().file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return true;
    const zip_uint32_t type = (attributes >> 16) & 0170000;
    return (type == 0 || type == 0100000) && !(attributes & 0x10);
}

// ---- The direct reader ----

// Far beyond the directory of any collection's archive; a larger one is left to libzip.
constexpr qint64 MaxDirectory = qint64(16) << 20;

// Where the directory lies; nothing when the end record is missing or names anything the direct reader leaves
// to libzip.
std::optional<EndRecord> directoryPlace(const char *tail, qsizetype tailSize, qint64 fileSize)
{
    const auto record = findEndRecord(tail, tailSize, fileSize);
    if (!record || record->directorySize > MaxDirectory)
        return std::nullopt;
    return record;
}

std::optional<QList<Member>> parseDirectory(const char *data, qsizetype size, quint32 entries)
{
    QList<Member> members;
    qsizetype at = 0;
    for (quint32 index = 0; index < entries; ++index) {
        if (size - at < EntrySize || le32(data + at) != EntrySignature)
            return std::nullopt;
        const char *entry = data + at;
        const quint16 flags = le16(entry + 8);
        const quint32 crc = le32(entry + 16);
        const quint32 packed = le32(entry + 20), plain = le32(entry + 24);
        const qsizetype nameLength = le16(entry + 28);
        const qsizetype length = EntrySize + nameLength + le16(entry + 30) + le16(entry + 32);
        const quint32 attributes = le32(entry + 38);
        if (size - at < length || packed == 0xFFFFFFFF || plain == 0xFFFFFFFF)
            return std::nullopt;
        at += length;
        const QByteArray name(entry + EntrySize, nameLength);
        // Folders, links and other special files, by the Unix file type or the MS-DOS folder bit; encrypted
        // members, which cannot be read.
        const quint32 type = (attributes >> 16) & 0170000;
        if (name.isEmpty() || name.endsWith('/') || (type != 0 && type != 0100000) || (attributes & 0x10) ||
            (flags & 1))
            continue;
        members.append({index, QString::fromUtf8(name), qint64(plain), crc});
    }
    return at == size ? std::optional(members) : std::nullopt;
}

#ifdef Q_OS_UNIX

bool readAt(int fd, char *buffer, qsizetype size, qint64 offset)
{
    while (size > 0) {
        const ssize_t n = ::pread(fd, buffer, size_t(size), off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        buffer += n;
        size -= n;
        offset += n;
    }
    return true;
}

// The direct reader on a file: the last bytes (a record without comment first, which is nearly every archive),
// then the directory. Nothing when the file is no archive it reads, and libzip is asked instead.
std::optional<QList<Member>> listFile(const QString &archive, bool &noFile)
{
    const int fd = ::open(QFile::encodeName(archive).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat st
    {
    };
    if (fd < 0 || ::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        noFile = true;
        return std::nullopt;
    }
    const auto closing = qScopeGuard([fd] { ::close(fd); });
    const qint64 fileSize = st.st_size;
    if (fileSize < EndSize)
        return std::nullopt;
    char end[EndSize];
    if (!readAt(fd, end, EndSize, fileSize - EndSize))
        return std::nullopt;
    std::optional<EndRecord> place = directoryPlace(end, EndSize, fileSize);
    if (!place) {
        const qsizetype tailSize = qsizetype(std::min<qint64>(fileSize, EndSize + MaxComment));
        QByteArray tail(tailSize, Qt::Uninitialized);
        if (!readAt(fd, tail.data(), tailSize, fileSize - tailSize))
            return std::nullopt;
        place = directoryPlace(tail.constData(), tailSize, fileSize);
        if (!place)
            return std::nullopt;
    }
    QByteArray directory(qsizetype(place->directorySize), Qt::Uninitialized);
    if (!readAt(fd, directory.data(), directory.size(), place->directoryOffset))
        return std::nullopt;
    return parseDirectory(directory.constData(), directory.size(), place->entries);
}

#endif

} // namespace

std::optional<QList<Member>> listDirectly(const QByteArray &archive)
{
    const qsizetype tailSize = std::min<qsizetype>(archive.size(), EndSize + MaxComment);
    const auto place = directoryPlace(archive.constData() + archive.size() - tailSize, tailSize, archive.size());
    if (!place)
        return std::nullopt;
    return parseDirectory(archive.constData() + place->directoryOffset, qsizetype(place->directorySize), place->entries);
}

std::optional<QList<Member>> list(const QString &archive)
{
#ifdef Q_OS_UNIX
    bool noFile = false;
    if (auto members = listFile(archive, noFile))
        return members;
    if (noFile)
        return std::nullopt;
#endif
    return listThroughLibzip(archive);
}

std::optional<QList<Member>> listThroughLibzip(const QString &archive)
{
    const ZipHandle handle = open(archive);
    if (!handle)
        return std::nullopt;
    QList<Member> members;
    const zip_int64_t count = libzip().get_num_entries(handle.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        libzip().stat_init(&stat);
        if (libzip().stat_index(handle.get(), zip_uint64_t(i), 0, &stat) != 0)
            continue;
        const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC;
        if ((stat.valid & needed) != needed || stat.name[0] == '\0' ||
            !isPlainFile(handle.get(), zip_uint64_t(i), stat))
            continue;
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            continue;
        members.append({quint64(i), QString::fromUtf8(stat.name), qint64(std::min<zip_uint64_t>(stat.size, INT64_MAX)),
                        quint32(stat.crc)});
    }
    return members;
}

bool read(const QString &archive, const Member &member, qint64 limit,
          const std::function<void(const char *data, qsizetype size)> &sink)
{
    const ZipHandle handle = open(archive);
    if (!handle)
        return false;
    // The listing may come from the direct reader; libzip must see the same member there.
    zip_stat_t stat;
    libzip().stat_init(&stat);
    if (libzip().stat_index(handle.get(), member.index, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) ||
        !(stat.valid & ZIP_STAT_CRC) || stat.size != zip_uint64_t(member.size) || stat.crc != member.crc)
        return false;
    zip_file_t *file = libzip().fopen_index(handle.get(), member.index, 0);
    if (!file)
        return false;
    static constexpr qint64 chunk = 256 * 1024;
    const auto buffer = std::make_unique<char[]>(chunk);
    qint64 inflated = 0;
    bool whole = true;
    // libzip lets some members pass without their checksum (an empty one, for one): it is checked here.
    uLong crc = crc32(0, nullptr, 0);
    for (;;) {
        // One byte past the limit is enough to tell that a member is too large.
        const zip_int64_t n = libzip().fread(file, buffer.get(), std::min(chunk, limit - inflated + 1));
        if (n == 0)
            break;
        inflated += std::max<zip_int64_t>(n, 0);
        if (n < 0 || inflated > limit) {
            whole = false;
            break;
        }
        crc = crc32(crc, reinterpret_cast<const Bytef *>(buffer.get()), uInt(n));
        sink(buffer.get(), qsizetype(n));
    }
    return libzip().fclose(file) == 0 && whole && inflated == member.size && quint32(crc) == member.crc;
}

std::optional<QByteArray> readAll(const QString &archive, const Member &member, qint64 limit)
{
    QByteArray bytes;
    if (!read(archive, member, limit, [&bytes](const char *data, qsizetype size) { bytes.append(data, size); }))
        return std::nullopt;
    return bytes;
}

} // namespace ZipMembers
