#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// A game's shot made small for the picture view. A picture is measured by what its header declares before
// anything is decoded, so a file claiming a gigantic size costs a few bytes of reading, not gigabytes.
namespace TilePicture {

// The longest side of a tile's picture: the freedesktop "normal" thumbnail size.
inline constexpr int Side = 128;
// The largest file and the most pixels taken; a screenshot has 23,040 pixels, a phone photograph some 12 million.
inline constexpr qint64 MaxFileBytes = 32 * 1024 * 1024;
inline constexpr qint64 MaxPixels = 16 * 1024 * 1024;

// The width and height that a JPEG's frame header or a bitmap's info header declares; an invalid size when
// the bytes start with neither or the header is cut short.
QSize declaredSize(const QByteArray &bytes);

// The picture in the file, a JPEG or a bitmap by its extension as the picture lookup decodes it, made to fit
// Side x Side. A null image when the file cannot be read, is larger than MaxFileBytes, declares more than
// MaxPixels or cannot be decoded.
QImage load(const QString &path);

// The picture made to fit Side x Side, keeping its proportions; a smaller one is kept as it is.
QImage scaled(const QImage &picture);

} // namespace TilePicture
