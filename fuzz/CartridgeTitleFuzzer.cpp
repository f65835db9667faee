// The cartridge title: any file gives a title of at most 16 printable characters, the same from the file as
// from its bytes, and nothing past the header is read.
#include "FuzzSupport.h"

#include "library/RomTitle.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    const QString title = headerTitle(bytes);
    FUZZ_CHECK(title.size() <= RomTitle::Length, title);
    for (const QChar c : title)
        FUZZ_CHECK(c.unicode() >= 32 && c.unicode() < 128, title);

    const QString path = fuzzFolder() + QStringLiteral("/game.gb");
    writeFuzzFile(path, bytes);
    FUZZ_CHECK(readCartridgeTitle(path) == headerTitle(bytes.left(RomTitle::HeaderSize)), title);
    return 0;
}
