#include "archive/ZipMembers.h"

#include "archive/ZipLibrary.h"

#include <QFileInfo>

#include <memory>
#include <zip.h>

namespace ZipMembers {

namespace {

struct ZipDiscard
{
    void operator()(zip_t *archive) const { zip_discard(archive); }
};
using ZipHandle = std::unique_ptr<zip_t, ZipDiscard>;

ZipHandle open(const QString &archive)
{
    // libzip would open a folder's entries or wait on a pipe; only plain files are archives.
    if (!QFileInfo(archive).isFile())
        return nullptr;
    int error = 0;
    return ZipHandle(zip_open(zipFileName(archive).constData(), ZIP_RDONLY, &error));
}

// Folders, links and other special files, by the Unix file type or the MS-DOS folder bit.
bool isPlainFile(zip_t *archive, zip_uint64_t index, const zip_stat_t &stat)
{
    if ((stat.valid & ZIP_STAT_NAME) && stat.name[0] != '\0' && stat.name[std::strlen(stat.name) - 1] == '/')
        return false;
    zip_uint8_t opsys = 0;
    zip_uint32_t attributes = 0;
    if (zip_file_get_external_attributes(archive, index, 0, &opsys, &attributes) != 0)
        return true;
    const zip_uint32_t type = (attributes >> 16) & 0170000;
    return (type == 0 || type == 0100000) && !(attributes & 0x10);
}

} // namespace

std::optional<QList<Member>> list(const QString &archive)
{
    const ZipHandle handle = open(archive);
    if (!handle)
        return std::nullopt;
    QList<Member> members;
    const zip_int64_t count = zip_get_num_entries(handle.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(handle.get(), zip_uint64_t(i), 0, &stat) != 0)
            continue;
        const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_CRC;
        if ((stat.valid & needed) != needed || !isPlainFile(handle.get(), zip_uint64_t(i), stat))
            continue;
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
            continue;
        members.append({quint64(i), QString::fromUtf8(stat.name), qint64(std::min<zip_uint64_t>(stat.size, INT64_MAX)),
                        quint32(stat.crc)});
    }
    return members;
}

bool read(const QString &archive, quint64 index, qint64 limit,
          const std::function<void(const char *data, qsizetype size)> &sink)
{
    const ZipHandle handle = open(archive);
    if (!handle)
        return false;
    zip_file_t *member = zip_fopen_index(handle.get(), index, 0);
    if (!member)
        return false;
    static constexpr qint64 chunk = 256 * 1024;
    const auto buffer = std::make_unique<char[]>(chunk);
    qint64 inflated = 0;
    bool whole = true;
    for (;;) {
        // One byte past the limit is enough to tell that a member is too large.
        const zip_int64_t n = zip_fread(member, buffer.get(), std::min(chunk, limit - inflated + 1));
        if (n == 0)
            break;
        inflated += std::max<zip_int64_t>(n, 0);
        if (n < 0 || inflated > limit) {
            whole = false;
            break;
        }
        sink(buffer.get(), qsizetype(n));
    }
    // zip_fclose reports a checksum that does not match the bytes.
    return zip_fclose(member) == 0 && whole;
}

std::optional<QByteArray> readAll(const QString &archive, quint64 index, qint64 limit)
{
    QByteArray bytes;
    if (!read(archive, index, limit, [&bytes](const char *data, qsizetype size) { bytes.append(data, size); }))
        return std::nullopt;
    return bytes;
}

} // namespace ZipMembers
