// Generating the title list of 10,000 plain ROMs (every title replaced, the list written once), against a
// minimal loop that opens each of the same files, reads its first 330 bytes and closes it. Target: the list
// generation takes at most 1.15 times the loop (medians of rounds taken in turns). The number of rounds may be
// given as the argument (at least 7 are taken). Times are the processor time of the run (user and system),
// so that other programs on a shared machine change them less than they would change the time on the clock;
// the files are in the page cache, so nothing waits for the disk.
#include "BenchSupport.h"

#include "library/TitleListGenerator.h"
#include "platform/Messages.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

// Processor time of this thread, in nanoseconds.
double cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
}

constexpr int kFiles = 10000;
constexpr int kRounds = 9;
constexpr double kTarget = 1.15;

QStringList makeRoms(const QString &folder)
{
    QStringList files;
    QByteArray rom(1024, '\0');
    for (int i = 0; i < kFiles; ++i) {
        const QByteArray title = QStringLiteral("GAME %1").arg(i, 5, 10, QLatin1Char('0')).toLatin1();
        std::copy(title.begin(), title.end(), rom.begin() + 0x134);
        const QString path = QStringLiteral("%1/Juego %2.gb").arg(folder).arg(i, 5, 10, QLatin1Char('0'));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(rom);
        files.append(path);
    }
    return files;
}

// The yardstick: open, read the first 330 bytes, close.
int readHeaders(const QList<QByteArray> &names)
{
    char buffer[330];
    int read = 0;
    for (const QByteArray &name : names) {
        std::FILE *file = std::fopen(name.constData(), "rb");
        if (!file)
            continue;
        // Unbuffered: one read of 330 bytes, as a plain open/read/close makes it.
        std::setvbuf(file, nullptr, _IONBF, 0);
        read += std::fread(buffer, 1, sizeof buffer, file) == sizeof buffer ? 1 : 0;
        std::fclose(file);
    }
    return read;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentMessages silent;
    setMessageSink(&silent);
    QTemporaryDir temp;
    const QString roms = temp.path() + QStringLiteral("/roms");
    QDir().mkpath(roms);
    const QStringList files = makeRoms(roms);
    QList<QByteArray> names;
    for (const QString &file : files)
        names.append(QFile::encodeName(file));
    const QString list = temp.path() + QStringLiteral("/Titulos.ini");

    const int rounds = roundsArgument(argc, argv, 1, kRounds);
    int stored = 0;
    int read = 0;
    const Rounds taken = Rounds::alternate(
        rounds,
        [&] {
            QFile::remove(list);
            const double start = cpuNow();
            stored = TitleListGenerator(list, true).generate(files).stored;
            return cpuNow() - start;
        },
        [&] {
            const double start = cpuNow();
            read = readHeaders(names);
            return cpuNow() - start;
        });

    std::printf("ROM files:                 %d (median of %d rounds)\n", kFiles, rounds);
    std::printf("title list generation:     %.2f ms, %d titles, list of %lld bytes\n", taken.measured() / 1e6, stored,
                static_cast<long long>(QFile(list).size()));
    std::printf("open/read 330 bytes/close: %.2f ms, %d headers\n", taken.floor() / 1e6, read);
    std::printf("ratio:                     %.2f (target <= %.2f)\n", taken.ratio(), kTarget);
    const bool ok = benchLine("title list 10,000 ROMs", taken, kTarget);
    return stored == kFiles && ok ? 0 : 1;
}
