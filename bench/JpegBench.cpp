// Encoding a 160 x 144 screenshot as a JPEG of quality 75, against libjpeg called in this same process with
// the same settings (baseline, quality 75, the same picture already in memory as RGB): the ratio measures
// Cartling's own code around libjpeg. Target: at most 1.05 times libjpeg's time (medians of rounds taken in
// turns), the output as large as libjpeg's to within 1%. When cjpeg is installed, its output for the same
// bitmap is compared in size too. The number of rounds may be given as the argument (at least 7 are taken).
#include "BenchSupport.h"

#include "screenshots/JpegCodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

namespace {

constexpr int kRounds = 15;
constexpr int kEncodes = 50; // a round times this many pictures, so the clock's grain does not count
constexpr double kTarget = 1.05;

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

// The yardstick: libjpeg itself, the least any program encoding this picture in memory must call.
size_t bareLibjpeg(const QImage &rgb)
{
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char *output = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &output, &size);
    info.image_width = JDIMENSION(rgb.width());
    info.image_height = JDIMENSION(rgb.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 75, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPROW> rows(size_t(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y)
        rows[size_t(y)] = const_cast<JSAMPROW>(rgb.constScanLine(y));
    while (info.next_scanline < info.image_height)
        jpeg_write_scanlines(&info, rows.data() + info.next_scanline, info.image_height - info.next_scanline);
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::free(output);
    return size;
}

// The size of cjpeg's output for the bitmap; 0 when cjpeg is not installed or fails.
qint64 cjpegSize(const QString &bitmap, const QString &output)
{
    const QString cjpeg = QStandardPaths::findExecutable(QStringLiteral("cjpeg"));
    if (cjpeg.isEmpty())
        return 0;
    QProcess process;
    process.start(cjpeg, {QStringLiteral("-quality"), QStringLiteral("75"), QStringLiteral("-baseline"),
                          QStringLiteral("-outfile"), output, bitmap});
    return process.waitForFinished() && process.exitCode() == 0 ? QFileInfo(output).size() : 0;
}

double percentOff(qint64 ours, qint64 theirs)
{
    return 100.0 * double(ours - theirs) / double(theirs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QImage picture = screen();
    const int rounds = roundsArgument(argc, argv, 1, kRounds);

    qint64 ourSize = 0;
    qint64 floorSize = 0;
    const Rounds taken = Rounds::alternate(
        rounds,
        [&] {
            return timed([&] {
                       for (int i = 0; i < kEncodes; ++i)
                           ourSize = JpegCodec::encode(picture, 75).size();
                   }) /
                   kEncodes;
        },
        [&] {
            return timed([&] {
                       for (int i = 0; i < kEncodes; ++i)
                           floorSize = qint64(bareLibjpeg(picture));
                   }) /
                   kEncodes;
        });

    QTemporaryDir temp;
    const QString bitmap = temp.filePath(QStringLiteral("ZIBO0000.BMP"));
    const qint64 theirSize =
        picture.save(bitmap, "BMP") ? cjpegSize(bitmap, temp.filePath(QStringLiteral("cjpeg.jpg"))) : 0;

    const double sizeDifference = percentOff(ourSize, floorSize);
    const bool sameSize =
        ourSize > 0 && qAbs(sizeDifference) <= 1.0 && (theirSize == 0 || qAbs(percentOff(ourSize, theirSize)) <= 1.0);
    std::printf("picture:           160 x 144, RGB in memory (median of %d rounds of %d pictures)\n", rounds, kEncodes);
    std::printf("Cartling encode:   %s, %lld bytes\n", timeText(taken.measured()).c_str(), ourSize);
    std::printf("libjpeg in-process: %s, %lld bytes\n", timeText(taken.floor()).c_str(), floorSize);
    if (theirSize > 0)
        std::printf("cjpeg -quality 75 -baseline: %lld bytes (%+.2f%%)\n", theirSize, percentOff(ourSize, theirSize));
    std::printf("time ratio:        %.2f (target <= %.2f)\n", taken.ratio(), kTarget);
    std::printf("size difference:   %+.2f%% (target within 1%%) %s\n", sizeDifference, sameSize ? "OK" : "OFF");
    const bool fastEnough = benchLine("JPEG of a 160 x 144 shot", taken, kTarget);
    return fastEnough && sameSize ? 0 : 1;
}
