// Converting a 160 x 144 screenshot bitmap to a JPEG of quality 75, against libjpeg's own command-line
// converter `cjpeg -quality 75 -baseline` on the same file in the same run. Both read the bitmap and write
// the JPEG file; cjpeg is started as a program each time, as a front-end without a JPEG library would.
// Targets: at most 1.1 times cjpeg's time, output within 1% of its size.
#include "screenshots/JpegCodec.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int kRounds = 50;

// A Game Boy screen: four shades in bands and shapes, as the emulator's shots look.
QImage screen()
{
    static const QRgb shades[] = {qRgb(224, 248, 208), qRgb(136, 192, 112), qRgb(52, 104, 86), qRgb(8, 24, 32)};
    QImage picture(160, 144, QImage::Format_RGB888);
    for (int y = 0; y < 144; ++y) {
        for (int x = 0; x < 160; ++x) {
            const int tile = ((x / 8) * 7 + (y / 8) * 3 + (x * y) / 97) % 4;
            picture.setPixel(x, y, shades[(x % 8 < 2 || y % 8 == 0) ? (tile + 1) % 4 : tile]);
        }
    }
    return picture;
}

template <typename F> qint64 bestOf(F run)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        if (!run())
            return -1;
        best = std::min(best, clock.nsecsElapsed());
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty()) {
        std::printf("cjpeg is not installed (Debian: libjpeg-turbo-progs); nothing to compare with, skipped.\n");
        return 0;
    }

    QTemporaryDir temp;
    const QString bitmap = temp.filePath(QStringLiteral("ZIBO0000.BMP"));
    const QString ours = temp.filePath(QStringLiteral("ours.jpg"));
    const QString theirs = temp.filePath(QStringLiteral("cjpeg.jpg"));
    if (!screen().save(bitmap, "BMP")) {
        std::printf("cannot write the bitmap\n");
        return 1;
    }

    const qint64 ourTime = bestOf([&] { return JpegCodec::convertBitmap(bitmap, ours, 75); });
    const qint64 theirTime = bestOf([&] {
        QProcess process;
        process.start(cjpeg, {QStringLiteral("-quality"), QStringLiteral("75"), QStringLiteral("-baseline"),
                              QStringLiteral("-outfile"), theirs, bitmap});
        return process.waitForFinished() && process.exitCode() == 0;
    });
    if (ourTime < 0 || theirTime < 0) {
        std::printf("a conversion failed\n");
        return 1;
    }

    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();
    const double ratio = double(ourTime) / double(theirTime);
    const double sizeDifference = 100.0 * double(ourSize - theirSize) / double(theirSize);
    const bool fastEnough = ratio <= 1.1;
    const bool sameSize = qAbs(sizeDifference) <= 1.0;
    std::printf("bitmap:            160 x 144, 24-bit, %lld bytes\n", QFileInfo(bitmap).size());
    std::printf("Cjpg (quality 75): %.3f ms, %lld bytes\n", ourTime / 1e6, ourSize);
    std::printf("cjpeg -quality 75 -baseline: %.3f ms, %lld bytes\n", theirTime / 1e6, theirSize);
    std::printf("time ratio:        %.2f (target <= 1.10) %s\n", ratio, fastEnough ? "OK" : "TOO SLOW");
    std::printf("size difference:   %+.2f%% (target within 1%%) %s\n", sizeDifference, sameSize ? "OK" : "OFF");
    return fastEnough && sameSize ? 0 : 1;
}
