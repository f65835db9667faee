// Packing a 4 MiB ROM at level 6 and unpacking it again, against Info-ZIP's zip -6 -j and unzip -o -j on the
// same file in the same run. Targets: packing no slower than zip with an archive within 2% of zip's size;
// unpacking (extraction folder, copy, emptying) at most 0.8 times unzip's time. The Info-ZIP times include
// starting the program; the start alone (the same tool on a one-byte file) is printed beside them.
#include "BenchSupport.h"

#include "archive/RomPacker.h"
#include "archive/RomUnpacker.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

constexpr int kRounds = 15;
constexpr int kRomSize = 4 << 20;

// A ROM-like image: 16 KiB banks of code drawn from a small set of opcodes, tile graphics with repeats,
// incompressible data (samples, packed graphics) and fill bytes, so it packs about as well as a real game.
QByteArray romImage()
{
    QByteArray rom(kRomSize, '\0');
    QRandomGenerator random(1998);
    static const unsigned char opcodes[] = {0x3E, 0xEA, 0xCD, 0xC9, 0x21, 0x11, 0x01, 0x7E, 0x77, 0x23,
                                            0x18, 0x20, 0x28, 0xFE, 0xE0, 0xF0, 0xAF, 0x06, 0x0E, 0x05};
    for (int bank = 0; bank < kRomSize / 16384; ++bank) {
        char *b = rom.data() + bank * 16384;
        switch (bank % 4) {
        case 0:
            for (int i = 0; i < 16384; ++i)
                b[i] = char(i % 3 == 0 ? opcodes[random.bounded(20)] : random.bounded(64));
            break;
        case 1:
            for (int i = 0; i < 16384; i += 16) {
                const int tile = random.bounded(40);
                for (int j = 0; j < 16; ++j)
                    b[i + j] = char((tile * 37 + j * (tile % 5)) & 0xFF);
            }
            break;
        case 2:
            for (int i = 0; i < 16384; ++i)
                b[i] = char(random.bounded(256));
            break;
        default:
            for (int i = 0; i < 16384; ++i)
                b[i] = i < 4096 ? char(random.bounded(256)) : char(0xFF);
        }
    }
    const char title[] = "BENCHMARK QUEST";
    std::copy(title, title + 15, rom.data() + 0x134);
    return rom;
}

// The best time of each of two runs, taken in turns so that a busy machine weighs on both alike.
template <typename F, typename G> std::pair<qint64, qint64> bestOfEach(F first, G second)
{
    qint64 best[2] = {std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::max()};
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer clock;
        clock.start();
        first();
        best[0] = std::min(best[0], clock.nsecsElapsed());
        clock.start();
        second();
        best[1] = std::min(best[1], clock.nsecsElapsed());
    }
    return {best[0], best[1]};
}

bool runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentMessages silent;
    setMessageSink(&silent);
    QTemporaryDir temp;
    const QString roms = temp.path() + QStringLiteral("/roms");
    const QString out = temp.path() + QStringLiteral("/zip-out");
    QDir().mkpath(roms);
    QDir().mkpath(out);
    const QString rom = roms + QStringLiteral("/quest.gb");
    const QString ours = roms + QStringLiteral("/quest.zip");
    const QString theirs = temp.path() + QStringLiteral("/infozip.zip");
    const QString tiny = temp.path() + QStringLiteral("/tiny.gb");
    write(rom, romImage());
    write(tiny, "x");

    // ---- Packing ----
    RomPacker packer(roms, CompressionOptions{});
    bool packed = true;
    const Rounds packing = Rounds::alternate(
        kRounds,
        [&] {
            return timed([&] {
                QFile::remove(ours);
                packed =
                    packer.pack({rom, QStringLiteral("quest"), {rom}}).outcome == RomPacker::Outcome::Packed && packed;
            });
        },
        [&] {
            return timed([&] {
                QFile::remove(theirs);
                packed = runTool(QStringLiteral("zip"), {"-6", "-j", "-q", theirs, rom}) && packed;
            });
        });
    const double pack = packing.measured(), zip = packing.floor();
    const qint64 zipStart =
        bestOfEach(
            [&] {
                QFile::remove(temp.path() + QStringLiteral("/tiny.zip"));
                runTool(QStringLiteral("zip"), {"-6", "-j", "-q", temp.path() + QStringLiteral("/tiny.zip"), tiny});
            },
            [] {})
            .first;
    const qint64 ourSize = QFileInfo(ours).size();
    const qint64 theirSize = QFileInfo(theirs).size();

    // ---- Unpacking: the archive lies in roms/, so both put the ROM into the temporary folder itself ----
    const QString target = RomUnpacker::targetFolderFor(ours);
    const Rounds unpacking = Rounds::alternate(
        kRounds, [&] { return timed([&] { RomUnpacker::unpackSelected(ours, target); }); },
        [&] {
            return timed([&] {
                packed = runTool(QStringLiteral("unzip"), {"-o", "-j", "-q", ours, "-d", out}) && packed;
            });
        });
    const double unpack = unpacking.measured(), unzip = unpacking.floor();
    const bool sameBytes = QFileInfo(target + QStringLiteral("/quest.gb")).size() == kRomSize;
    const qint64 unzipStart =
        bestOfEach(
            [&] {
                runTool(QStringLiteral("unzip"), {"-o", "-j", "-q", temp.path() + "/tiny.zip", "-d", out});
            },
            [] {})
            .first;

    if (!packed || !sameBytes) {
        std::printf("a run failed: packed %d, unpacked whole %d\n", packed, sameBytes);
        return 2;
    }
    const double packRatio = packing.ratio();
    const double sizeRatio = double(ourSize) / double(theirSize);
    const double unpackRatio = unpacking.ratio();
    std::printf("ROM:                       %d bytes, medians of %d rounds taken in turns\n", kRomSize, kRounds);
    std::printf("packing, level 6:          %.2f ms, %lld bytes\n", pack / 1e6, static_cast<long long>(ourSize));
    std::printf("zip -6 -j:                 %.2f ms, %lld bytes (program start alone %.2f ms)\n", zip / 1e6,
                static_cast<long long>(theirSize), zipStart / 1e6);
    std::printf("packing time ratio:        %.2f (target <= 1.00) %s\n", packRatio,
                packRatio <= 1.0 ? "OK" : "TOO SLOW");
    std::printf("archive size ratio:        %.4f (target <= 1.02) %s\n", sizeRatio,
                sizeRatio <= 1.02 ? "OK" : "TOO BIG");
    std::printf("unpacking:                 %.2f ms\n", unpack / 1e6);
    std::printf("unzip -o -j:               %.2f ms (program start alone %.2f ms)\n", unzip / 1e6, unzipStart / 1e6);
    std::printf("unpacking time ratio:      %.2f (target <= 0.80) %s\n", unpackRatio,
                unpackRatio <= 0.8 ? "OK" : "TOO SLOW");
    benchLine("packing a 4 MiB ROM", packing, 1.0);
    benchLine("archive size against zip", std::to_string(ourSize) + " bytes", std::to_string(theirSize) + " bytes",
              sizeRatio, 1.02);
    benchLine("unpacking a 4 MiB ROM", unpacking, 0.8);
    const bool ok = packRatio <= 1.0 && sizeRatio <= 1.02 && unpackRatio <= 0.8;
    return ok ? 0 : 1;
}
