#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// JPEG through libjpeg: the shots are encoded as baseline colour JPEGs, the pictures decoded for the viewer.
// Neither direction trusts its input: anything libjpeg refuses gives an empty result, never a crash.
namespace JpegCodec {

// The largest picture decoded, in pixels; a damaged header can claim gigapixels.
inline constexpr qint64 MaxPixels = 64 * 1024 * 1024;

// A baseline (not progressive) colour JPEG of the picture, taken as 24-bit RGB, with libjpeg's quality
// scaling; quality is clamped to 1..100. Empty when the picture is null or libjpeg fails.
QByteArray encode(const QImage &picture, int quality);

// The picture in the JPEG bytes, as 24-bit RGB; a null image when libjpeg cannot decode them.
// A file cut short decodes as far as it goes, the rest grey, as libjpeg does.
QImage decode(const QByteArray &bytes);

// Loads the bitmap file, encodes it and writes it, whole or not at all, as the JPEG path with its extension
// changed to ".jpg", replacing an existing file (also one whose name differs only in case). False when the bitmap is
// missing or cannot be decoded, or the JPEG cannot be written.
bool convertBitmap(const QString &bitmapPath, const QString &jpegPath, int quality);

// The path with the text after its last "." (in the file name) replaced by "jpg"; ".jpg" appended
// when the name has no ".".
QString withJpegExtension(const QString &path);

} // namespace JpegCodec
