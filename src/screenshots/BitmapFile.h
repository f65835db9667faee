#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

// Windows bitmap files as the emulator writes them: enough of the header to tell a whole file from one
// still being written, and decoding that refuses damaged files instead of trusting them.
namespace BitmapFile {

// The largest bitmap file taken; a screenshot is some ten kilobytes to a few megabytes.
inline constexpr qint64 MaxFileSize = 256 * 1024 * 1024;

// The bytes a complete file must have according to its header: the larger of the size stored in the file
// header and the end of the pixel rows that the info header describes. -1 when the bytes do not start
// with a usable bitmap header (too short, no "BM", impossible dimensions).
qint64 declaredSize(const QByteArray &header);

// The bytes of the header that declaredSize looks at.
inline constexpr int HeaderBytes = 54;

// The picture in the bitmap bytes; a null image when they are not a bitmap that can be decoded or hold
// fewer pixel rows than the header describes.
QImage decode(const QByteArray &bytes);

// The picture as a 24-bit Windows bitmap file, as the emulator writes its shots; empty for a null picture.
QByteArray encode(const QImage &picture);

// Reads a whole file of at most MaxFileSize bytes; false when it cannot be read or is larger.
bool readFile(const QString &path, QByteArray *bytes);

} // namespace BitmapFile
