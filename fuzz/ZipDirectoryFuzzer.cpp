// Archive directories read straight from the file: any bytes give a list or nothing, never a read outside them,
// the same from the file as from its bytes; and a member of the list is either read as listed (its size and
// CRC-32) or not at all, even where libzip reads the archive another way.
#include "FuzzSupport.h"

#include "archive/ZipMembers.h"

#include <zlib.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    const auto direct = ZipMembers::listDirectly(bytes);
    const QString path = fuzzFolder() + QStringLiteral("/input.zip");
    writeFuzzFile(path, bytes);
    const auto members = ZipMembers::list(path);
    if (direct)
        FUZZ_CHECK(members && members->size() == direct->size(), QString::number(direct->size()));
    if (!members)
        return 0;
    for (const ZipMembers::Member &member : *members) {
        if (const auto content = ZipMembers::readAll(path, member, 1 << 20)) {
            const quint32 crc = quint32(crc32(
                crc32(0, nullptr, 0), reinterpret_cast<const Bytef *>(content->constData()), uInt(content->size())));
            FUZZ_CHECK(content->size() == member.size && crc == member.crc, member.name);
        }
    }
    return 0;
}
