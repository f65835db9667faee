#include "screenshots/TilePicture.h"

#include "platform/PathHelpers.h"
#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"

#include <QFile>
#include <climits>

namespace TilePicture {

namespace {

int byteAt(const QByteArray &bytes, qsizetype at)
{
    return static_cast<unsigned char>(bytes[at]);
}

int bigEndian16(const QByteArray &bytes, qsizetype at)
{
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

qint64 littleEndian(const QByteArray &bytes, qsizetype at, int count)
{
    qint64 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | byteAt(bytes, at + i);
    return value;
}

// The frame header (SOF0 to SOF15, which are C0 to CF without C4, C8 and CC) gives the size; everything
// before it is a segment with a length, or a marker without one.
QSize jpegSize(const QByteArray &bytes)
{
    qsizetype at = 2;
    while (at + 1 < bytes.size()) {
        if (byteAt(bytes, at) != 0xFF) { // stray bytes between segments, which libjpeg skips too
            ++at;
            continue;
        }
        const int marker = byteAt(bytes, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
            at += 2;
            continue;
        }
        if (marker == 0xD9 || marker == 0xDA || at + 3 >= bytes.size())
            return {}; // the picture's end or its data before any frame header
        const int length = bigEndian16(bytes, at + 2);
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) {
            if (at + 8 >= bytes.size())
                return {};
            return {bigEndian16(bytes, at + 7), bigEndian16(bytes, at + 5)};
        }
        if (length < 2)
            return {};
        at += 2 + length;
    }
    return {};
}

QSize bitmapSize(const QByteArray &bytes)
{
    if (bytes.size() < 26)
        return {};
    const qint64 infoSize = littleEndian(bytes, 14, 4);
    if (infoSize == 12) // the OS/2 core header
        return {int(littleEndian(bytes, 18, 2)), int(littleEndian(bytes, 20, 2))};
    if (infoSize < 40)
        return {};
    const qint64 width = qint32(littleEndian(bytes, 18, 4));
    const qint64 height = qint32(littleEndian(bytes, 22, 4));
    // A negative height stores the rows top down; the pixels are as many.
    const qint64 rows = height < 0 ? -height : height;
    if (width <= 0 || rows <= 0 || width > INT_MAX || rows > INT_MAX)
        return {};
    return {int(width), int(rows)};
}

} // namespace

QSize declaredSize(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8"))
        return jpegSize(bytes);
    if (bytes.startsWith("BM"))
        return bitmapSize(bytes);
    return {};
}

QImage load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileBytes)
        return {};
    const QByteArray bytes = file.read(MaxFileBytes);
    const QSize size = declaredSize(bytes);
    if (size.isEmpty() || qint64(size.width()) * size.height() > MaxPixels)
        return {};
    const QString extension = extensionOf(path).toLower();
    const bool jpeg = extension == u"jpg" || extension == u"jpeg";
    return scaled(jpeg ? JpegCodec::decode(bytes) : BitmapFile::decode(bytes));
}

QImage scaled(const QImage &picture)
{
    if (picture.isNull() || (picture.width() <= Side && picture.height() <= Side))
        return picture;
    return picture.scaled(Side, Side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

} // namespace TilePicture
