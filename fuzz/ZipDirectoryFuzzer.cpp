// Archive directories read straight from the file: any bytes give a list or nothing, never a read outside them;
// where libzip opens the same archive, both see the same members with the same CRC-32 and size.
#include "FuzzSupport.h"

#include "archive/ZipMembers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    const auto direct = ZipMembers::listDirectly(bytes);
    const QString path = fuzzFolder() + QStringLiteral("/input.zip");
    writeFuzzFile(path, bytes);
    const auto fromFile = ZipMembers::list(path);
    if (direct) {
        FUZZ_CHECK(fromFile && fromFile->size() == direct->size(), QString::number(direct->size()));
        const auto libzip = ZipMembers::listThroughLibzip(path);
        if (libzip) {
            FUZZ_CHECK(libzip->size() == direct->size(),
                       QStringLiteral("%1 members, libzip %2").arg(direct->size()).arg(libzip->size()));
            for (qsizetype i = 0; i < direct->size(); ++i) {
                const ZipMembers::Member &a = (*direct)[i], &b = (*libzip)[i];
                FUZZ_CHECK(a.index == b.index && a.crc == b.crc && a.size == b.size, a.name + QStringLiteral(" / ") + b.name);
            }
        }
    }
    return 0;
}
