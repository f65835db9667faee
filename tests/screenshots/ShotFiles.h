#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>

// Pictures for the screenshot tests, made in memory.

// A 160 x 144 screen in a few colour bands, as a 24-bit picture.
QImage screenPicture(const QColor &colour = QColor(40, 120, 200));
// The picture as a 24-bit Windows bitmap file.
QByteArray bitmapBytes(const QImage &picture = screenPicture());
// The picture as a PNG file, as emulators other than Zibo save their shots.
QByteArray pngBytes(const QImage &picture = screenPicture());
// The picture as a JPEG file, through the codec under test.
QByteArray jpegBytes(const QImage &picture = screenPicture(), int quality = 75);
