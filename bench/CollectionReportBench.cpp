// The collection report against its target: made from the hashes of the last verification for a 60,000-entry
// DAT and 10,000 listed files (7,000 good dumps, 500 bad ones, 300 second copies, the rest unknown), with the
// names of the missing games the report window lists, in at most 200 ms. Medians of seven rounds; the files are
// small and warm in the page cache, as after a verification.
// Usage: bench_collection_report [files] [entries]
#include "BenchSupport.h"

#include "collection/CollectionReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kRounds = 7;
constexpr double kTargetMs = 200;

struct Dump
{
    quint32 crc;
    qint64 size;
    QByteArray sha1;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentMessages silent;
    setMessageSink(&silent);
    const QStringList arguments = app.arguments();
    const int fileCount = arguments.value(1, QStringLiteral("10000")).toInt();
    const int entryCount = arguments.value(2, QStringLiteral("60000")).toInt();
    QTemporaryDir temp(QDir::tempPath() + QStringLiteral("/bench-report-XXXXXX"));

    QRandomGenerator random(11);
    std::vector<Dump> dumps;
    DatIndex::Builder builder;
    builder.setName(QStringLiteral("Big"));
    for (int i = 0; i < entryCount; ++i) {
        Dump dump{random.generate(), qint64(32768) << (i % 6), QByteArray(20, Qt::Uninitialized)};
        random.fillRange(reinterpret_cast<quint32 *>(dump.sha1.data()), 5);
        DatIndex::Rom rom;
        rom.crc = dump.crc;
        rom.size = dump.size;
        std::memcpy(rom.sha1.data(), dump.sha1.constData(), 20);
        rom.flags = DatIndex::Rom::HasSize | DatIndex::Rom::HasSha1;
        const QString name = QStringLiteral("Game Number %1 (Europe) (En,Fr,De) (Rev %2)").arg(i).arg(i % 3);
        builder.addGame(name);
        builder.addRom(rom, name + QStringLiteral(".gb"));
        dumps.push_back(dump);
    }
    auto catalog = std::make_shared<DatCatalog>();
    catalog->add(temp.path() + QStringLiteral("/big.dat"), builder.finish());

    HashCache cache(temp.path() + QStringLiteral("/Verificacion.cache"));
    QStringList files;
    for (int i = 0; i < fileCount; ++i) {
        const QString path = temp.path() + QStringLiteral("/Juego %1.gb").arg(i, 5, 10, QLatin1Char('0'));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("ROM");
        file.close();
        files.append(path);
        Dump dump = dumps[size_t(i * 7) % dumps.size()];
        if (i >= 7000 && i < 7500)
            dump.sha1[0] = char(dump.sha1[0] ^ 1); // a bad dump
        else if (i >= 7500 && i < 7800)
            dump = dumps[size_t((i - 7500) * 7) % dumps.size()]; // a second copy
        else if (i >= 7800)
            dump.crc = random.generate(); // unknown, nearly always
        cache.store(path,
                    {*HashCache::stampOf(path), HashCache::Kind::Rom, 0, false, {dump.size, dump.crc, dump.sha1}});
    }

    std::vector<double> times;
    qsizetype missing = 0, duplicates = 0, unknown = 0;
    for (int round = 0; round < kRounds; ++round) {
        times.push_back(timed([&] {
            const CollectionReport report = CollectionReport::make(files, catalog, cache);
            missing = report.missingNames(report.dats().front()).size();
            duplicates = report.duplicates().size();
            unknown = report.unknown().size();
        }));
    }
    std::sort(times.begin(), times.end());
    const double median = times[times.size() / 2];
    std::printf("report of %d files against %d entries: %lld missing, %lld copies, %lld unknown; median of %d rounds\n",
                fileCount, entryCount, static_cast<long long>(missing), static_cast<long long>(duplicates),
                static_cast<long long>(unknown), kRounds);
    char name[96];
    std::snprintf(name, sizeof name, "collection report, %d entries, %d files", entryCount, fileCount);
    const bool fast = benchLine(name, timeText(median), "200 ms target", median / 1e6 / kTargetMs, 1.0);
    return fast ? 0 : 1;
}
