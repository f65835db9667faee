#include "screenshots/BitmapFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

namespace BitmapFile {

namespace {

quint32 u32(const QByteArray &bytes, int at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
    return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
}

quint16 u16(const QByteArray &bytes, int at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.constData()) + at;
    return quint16(p[0] | p[1] << 8);
}

constexpr qint64 MaxSide = 1 << 16;

// What the two headers say: the file's size as stored, and where the pixel data ends.
struct Extent
{
    qint64 fileSize = -1;
    qint64 pixelEnd = -1;
};

Extent extentOf(const QByteArray &header)
{
    if (header.size() < 26 || header[0] != 'B' || header[1] != 'M')
        return {};
    const qint64 fileSize = u32(header, 2);
    const qint64 pixelOffset = u32(header, 10);
    const quint32 infoSize = u32(header, 14);

    qint64 width = 0;
    qint64 height = 0;
    int bitsPerPixel = 0;
    quint32 compression = 0;
    qint64 imageSize = 0;
    if (infoSize == 12) { // the OS/2 core header
        width = u16(header, 18);
        height = u16(header, 20);
        bitsPerPixel = u16(header, 24);
    } else if (infoSize >= 40 && header.size() >= HeaderBytes) {
        width = qint32(u32(header, 18));
        height = qint32(u32(header, 22));
        bitsPerPixel = u16(header, 28);
        compression = u32(header, 30);
        imageSize = u32(header, 34);
    } else {
        return {};
    }
    if (height < 0)
        height = -height; // rows stored top down
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide || bitsPerPixel == 0 || bitsPerPixel > 32 ||
        pixelOffset < 14 + qint64(infoSize))
        return {};

    // Uncompressed rows (BI_RGB, BI_BITFIELDS) have a known length; compressed ones state theirs.
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6;
    const qint64 rowBytes = (width * bitsPerPixel + 31) / 32 * 4;
    return {fileSize, pixelOffset + (uncompressed ? rowBytes * height : imageSize)};
}

} // namespace

qint64 declaredSize(const QByteArray &header)
{
    const Extent extent = extentOf(header);
    return qMax(extent.fileSize, extent.pixelEnd);
}

QImage decode(const QByteArray &bytes)
{
    // Qt shows a file cut short with its missing rows blank; here it counts as damaged. The stored file
    // size is not required, since some writers get it wrong.
    const Extent extent = extentOf(bytes.left(HeaderBytes));
    if (extent.pixelEnd < 0 || bytes.size() < extent.pixelEnd)
        return {};
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    return reader.read();
}

QByteArray encode(const QImage &picture)
{
    if (picture.isNull())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP"))
        return {};
    return bytes;
}

bool readFile(const QString &path, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxFileSize)
        return false;
    *bytes = file.readAll();
    return file.error() == QFileDevice::NoError;
}

} // namespace BitmapFile
