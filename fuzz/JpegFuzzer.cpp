// JPEG decoding, for the pictures shown: any file gives an RGB picture within the pixel bound, or none; a
// picture decoded can be encoded again as a screenshot is.
#include "FuzzSupport.h"

#include "screenshots/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QImage picture = JpegCodec::decode(bytes);
    if (picture.isNull())
        return 0;
    FUZZ_CHECK(qint64(picture.width()) * picture.height() <= JpegCodec::MaxPixels,
               QStringLiteral("%1 x %2").arg(picture.width()).arg(picture.height()));
    FUZZ_CHECK(picture.format() == QImage::Format_RGB888, QString::number(picture.format()));
    if (qint64(picture.width()) * picture.height() <= 256 * 256) {
        const QByteArray again = JpegCodec::encode(picture, size > 0 ? data[0] % 100 + 1 : 75);
        FUZZ_CHECK(JpegCodec::decode(again).size() == picture.size(), QString::number(again.size()));
    }
    return 0;
}
