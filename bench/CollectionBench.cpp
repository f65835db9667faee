// Checking a collection against DAT files, each part against the floor of what it must do at least:
// - verifying 10,000 plain ROMs of 1 MiB (CRC-32 and SHA-1, results cache written) against `sha1sum` over the
//   same files (reading the bytes once and hashing them): at most 1.2 times;
// - verifying 10,000 one-ROM ZIP archives whose CRCs match no DAT entry (only their directories are read) against
//   `unzip -v` listing them: at most 1.2 times;
// - reading a 20 MB DAT against a plain QXmlStreamReader pass over it: at most 1.5 times; the same games in
//   clrmamepro's text form against the same pass: at most 1.5 times; loading its cached index: at most a tenth of
//   that pass.
// Usage: bench_collection [roms|zips|dat|all] [files] [folder]. The folder (default: a temporary folder) needs
// room for the ROMs (files x 1 MiB); every part takes the medians of seven rounds taken in turns, files warm in
// the page cache.
#include "BenchSupport.h"

#include "collection/CollectionVerifier.h"
#include "collection/DatCatalog.h"
#include "collection/DatReader.h"
#include "collection/Sha1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>
#include <limits>
#include <zip.h>

namespace {

constexpr int kRounds = 7;

bool runTool(const QString &folder, const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(program, arguments);
    return process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32 *>(bytes.data()), size / 4);
    return bytes;
}

// A DAT of one entry no file matches, so every file is hashed and found unknown.
DatCatalog unrelatedDat(const QString &folder)
{
    const QString path = folder + QStringLiteral("/none.dat");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write("<?xml version=\"1.0\"?>\n<datafile><game name=\"None\">"
               "<rom name=\"None.gb\" size=\"4\" crc=\"00000000\"/></game></datafile>\n");
    file.close();
    DatCatalog dats;
    dats.add(path, DatReader::read(path));
    return dats;
}

bool benchVerify(const QString &folder, const QStringList &names, const QString &tool, const QStringList &toolArguments,
                 const char *what, const char *floorName)
{
    const DatCatalog dats = unrelatedDat(folder);
    QStringList files;
    for (const QString &name : names)
        files.append(folder + u'/' + name);
    int unknown = 0;
    const Rounds rounds = Rounds::alternate(
        kRounds,
        [&] {
            return timed([&] {
                HashCache cache(folder + QStringLiteral("/Verificacion.cache"));
                unknown = CollectionVerifier(dats, cache).verify(files).unknown;
                cache.save();
            });
        },
        [&] {
            return timed([&] {
                if (!runTool(folder, tool, toolArguments))
                    std::printf("%s failed\n", qPrintable(tool));
            });
        });
    std::printf("%s: %lld files, medians of %d rounds taken in turns\n", what, static_cast<long long>(files.size()),
                kRounds);
    std::printf("  verification:   %9.1f ms (%d unknown)\n", rounds.measured() / 1e6, unknown);
    std::printf("  %-15s %9.1f ms\n", floorName, rounds.floor() / 1e6);
    const bool fast = benchLine(
        QStringLiteral("verifying %1 %2").arg(files.size()).arg(QLatin1String(what)).toStdString(), rounds, 1.2);
    return fast && unknown == files.size();
}

bool benchRoms(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QStringList names;
    const QByteArray base = randomBytes(1 << 20, 1);
    for (int i = 0; i < count; ++i) {
        QByteArray rom = base;
        std::memcpy(rom.data() + 0x1000, &i, sizeof i); // every file different
        names.append(QStringLiteral("Juego %1.gb").arg(i, 5, 10, QLatin1Char('0')));
        QFile file(folder + u'/' + names.last());
        file.open(QIODevice::WriteOnly);
        file.write(rom);
    }
    std::printf("SHA-1 instructions: %s\n", Sha1::accelerated() ? "yes" : "no (Qt's portable code)");
    return benchVerify(folder, names, QStringLiteral("sha1sum"), names, "plain ROMs of 1 MiB", "sha1sum:");
}

bool benchZips(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QByteArray rom = randomBytes(32 * 1024, quint32(i) + 100);
        names.append(QStringLiteral("Juego %1.zip").arg(i, 5, 10, QLatin1Char('0')));
        int error = 0;
        zip_t *archive = zip_open(QFile::encodeName(folder + u'/' + names.last()).constData(), ZIP_CREATE, &error);
        zip_source_t *source = zip_source_buffer(archive, rom.constData(), zip_uint64_t(rom.size()), 0);
        zip_file_add(archive, "Juego.gb", source, 0);
        zip_close(archive);
    }
    // unzip matches the pattern itself, over every archive in one run.
    return benchVerify(folder, names, QStringLiteral("unzip"), {QStringLiteral("-v"), QStringLiteral("*.zip")},
                       "one-ROM ZIP archives", "unzip -v:");
}

bool benchDat(const QString &folder)
{
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/big.dat");
    const QString textPath = folder + QStringLiteral("/big-text.dat");
    {
        // The same games in clrmamepro's text form, as libretro publishes its DATs.
        QFile text(textPath);
        text.open(QIODevice::WriteOnly);
        text.write("clrmamepro (\n\tname \"Big\"\n)\n\n");
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("<?xml version=\"1.0\"?>\n<!DOCTYPE datafile PUBLIC \"-//Logiqx//DTD ROM Management Datafile//EN\" "
                   "\"http://www.logiqx.com/Dats/datafile.dtd\">\n<datafile>\n\t<header>\n\t\t<name>Big</name>\n"
                   "\t</header>\n");
        QRandomGenerator random(5);
        for (int i = 0; file.size() < 20 * 1000 * 1000; ++i) {
            const QString name = QStringLiteral("Game Number %1 (Europe) (En,Fr,De) (Rev %2)").arg(i).arg(i % 3);
            const QString sha1 = QString::number(random.generate64(), 16).rightJustified(16, u'0') +
                                 QString::number(random.generate64(), 16).rightJustified(16, u'0') +
                                 QString::number(random.generate(), 16).rightJustified(8, u'0');
            file.write(QStringLiteral("\t<game name=\"%1\">\n\t\t<description>%1</description>\n"
                                      "\t\t<rom name=\"%1.gb\" size=\"%2\" crc=\"%3\" md5=\"%4\" sha1=\"%5\" "
                                      "status=\"verified\"/>\n\t</game>\n")
                           .arg(name, QString::number(32768 << (i % 6)),
                                QString::number(random.generate(), 16).rightJustified(8, u'0'), sha1.left(32), sha1)
                           .toUtf8());
            text.write(QStringLiteral("game (\n\tname \"%1\"\n\tdescription \"%1\"\n\trom ( name \"%1.gb\" size %2 "
                                      "crc %3 md5 %4 sha1 %5 )\n)\n\n")
                           .arg(name, QString::number(32768 << (i % 6)),
                                QString::number(random.generate(), 16).rightJustified(8, u'0'), sha1.left(32), sha1)
                           .toUtf8());
        }
        file.write("</datafile>\n");
    }
    const qint64 size = QFileInfo(path).size();

    std::vector<double> cachedTimes;
    qsizetype roms = 0;
    DatCatalog::loadDat(path); // writes the cached index
    const Rounds rounds = Rounds::alternate(
        kRounds, [&] { return timed([&] { roms = DatReader::read(path).romCount(); }); },
        [&] {
            const double pass = timed([&] {
                QFile file(path);
                file.open(QIODevice::ReadOnly);
                QXmlStreamReader xml(&file);
                while (!xml.atEnd())
                    xml.readNext();
            });
            cachedTimes.push_back(timed([&] { roms = DatCatalog::loadDat(path).romCount(); }));
            return pass;
        });
    qsizetype textRoms = 0;
    const Rounds textRounds = Rounds::alternate(
        kRounds, [&] { return timed([&] { textRoms = DatReader::read(textPath).romCount(); }); },
        [&] {
            return timed([&] {
                QFile file(path);
                file.open(QIODevice::ReadOnly);
                QXmlStreamReader xml(&file);
                while (!xml.atEnd())
                    xml.readNext();
            });
        });
    std::sort(cachedTimes.begin(), cachedTimes.end());
    const double cached = cachedTimes[cachedTimes.size() / 2];
    std::printf("DAT of %.1f MB, %lld entries, medians of %d rounds taken in turns\n", size / 1e6,
                static_cast<long long>(roms), kRounds);
    std::printf("  reading:        %9.1f ms\n", rounds.measured() / 1e6);
    std::printf("  plain XML pass: %9.1f ms\n", rounds.floor() / 1e6);
    std::printf("  text form:      %9.1f ms (%.1f MB, %lld entries)\n", textRounds.measured() / 1e6,
                QFileInfo(textPath).size() / 1e6, static_cast<long long>(textRoms));
    const bool fast = benchLine("reading a 20 MB DAT", rounds, 1.5);
    const bool textFast = benchLine("reading the same DAT in clrmamepro's form", textRounds, 1.5);
    const bool cachedFast = benchLine("loading the DAT's cached index", timeText(cached), timeText(rounds.floor()),
                                      cached / rounds.floor(), 0.1);
    return fast && textFast && cachedFast;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SilentMessages silent;
    setMessageSink(&silent);
    const QStringList arguments = app.arguments();
    const QString part = arguments.value(1, QStringLiteral("all"));
    const int count = arguments.value(2, QStringLiteral("10000")).toInt();
    QTemporaryDir temp(arguments.size() > 3 ? arguments[3] + QStringLiteral("/bench-collection-XXXXXX")
                                            : QDir::tempPath() + QStringLiteral("/bench-collection-XXXXXX"));
    bool ok = true;
    if (part == u"dat" || part == u"all")
        ok = benchDat(temp.path() + QStringLiteral("/dat")) && ok;
    if (part == u"zips" || part == u"all")
        ok = benchZips(temp.path() + QStringLiteral("/zips"), count) && ok;
    if (part == u"roms" || part == u"all")
        ok = benchRoms(temp.path() + QStringLiteral("/roms"), count) && ok;
    return ok ? 0 : 1;
}
