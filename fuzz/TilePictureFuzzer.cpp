// The pictures of the picture view's tiles: the size a header declares is the size decoding gives, so the
// refusal by size before decoding measures what decoding would make; a tile never exceeds its square.
#include "FuzzSupport.h"

#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"
#include "screenshots/TilePicture.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // A copy of exactly the input's length, so that a read past it is caught.
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QSize declared = TilePicture::declaredSize(bytes);
    const QImage picture = bytes.startsWith("\xFF\xD8") ? JpegCodec::decode(bytes) : BitmapFile::decode(bytes);
    if (picture.isNull())
        return 0;
    FUZZ_CHECK(declared == picture.size(), QStringLiteral("declared %1 x %2, decoded %3 x %4")
                                               .arg(declared.width())
                                               .arg(declared.height())
                                               .arg(picture.width())
                                               .arg(picture.height()));
    const QImage tile = TilePicture::scaled(picture);
    FUZZ_CHECK(tile.width() <= TilePicture::Side && tile.height() <= TilePicture::Side,
               QStringLiteral("%1 x %2").arg(tile.width()).arg(tile.height()));
    return 0;
}
