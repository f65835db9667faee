#include "ShotFiles.h"

#include "screenshots/JpegCodec.h"

#include <QBuffer>
#include <QPainter>

QImage screenPicture(const QColor &colour)
{
    QImage picture(160, 144, QImage::Format_RGB888);
    picture.fill(colour);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 160, 36, Qt::white);
    painter.fillRect(20, 60, 120, 30, colour.darker(200));
    painter.fillRect(0, 120, 160, 24, Qt::black);
    return picture;
}

QByteArray bitmapBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "BMP");
    return bytes;
}

QByteArray pngBytes(const QImage &picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

QByteArray jpegBytes(const QImage &picture, int quality)
{
    return JpegCodec::encode(picture, quality);
}
