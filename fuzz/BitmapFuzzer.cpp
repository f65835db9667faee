// Bitmap decoding, for the emulator's screenshots and the pictures shown: any file gives a picture no larger
// than the header allows, or none, and the header check never reads past the bytes it is given.
#include "FuzzSupport.h"

#include "screenshots/BitmapFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    // A copy of exactly the header's length, so that a read past it is caught.
    const QByteArray header(bytes.constData(), qMin<qsizetype>(bytes.size(), BitmapFile::HeaderBytes));
    const qint64 declared = BitmapFile::declaredSize(header);
    const QImage picture = BitmapFile::decode(QByteArray(bytes.constData(), bytes.size()));
    if (!picture.isNull()) {
        FUZZ_CHECK(declared >= 0, QString::number(declared));
        FUZZ_CHECK(picture.width() <= 65536 && picture.height() <= 65536,
                   QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
    }
    return 0;
}
