// The data INI class on files of 1,000, 10,000 and 100,000 sections: load, one lookup per section, as many
// writes to new sections, write back. The yardstick does the least any such program must: read the bytes,
// decode and split them into lines, add the new lines, join, encode and write the file back atomically.
// Target: at most 1.3 times the yardstick at every size (the median of rounds taken in turns), and so a time
// per section that stays flat as the file grows. Times are the processor time of the run (user and system),
// so that other programs on a shared machine change them less than they would change the time on the clock.
#include "BenchSupport.h"

#include "settings/DataIniFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>

namespace {

// Processor time of this thread, in nanoseconds.
qint64 cpuNow()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

QString sectionName(int i)
{
    return QStringLiteral("Juego %1").arg(i, 6, 10, QLatin1Char('0'));
}

QByteArray dataFile(int sections)
{
    QByteArray bytes;
    for (int i = 0; i < sections; ++i) {
        bytes += "[" + sectionName(i).toLatin1() + "]\r\n";
        bytes += "Titulo=T\xedtulo del juego n\xfamero " + QByteArray::number(i) + "\r\n";
        bytes += "AC1=0\r\nC1=00A-17B-C49\r\nD1=Vidas infinitas\r\n\r\n";
    }
    return bytes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// The names the caller has at hand: made before the clock starts, the same for both sides.
struct Names
{
    QStringList lookups; // existing sections, in random order
    QStringList added;   // new sections
};

Names names(int sections, QRandomGenerator &random)
{
    Names made;
    for (int i = 0; i < sections; ++i) {
        made.lookups.append(sectionName(random.bounded(sections)));
        made.added.append(QStringLiteral("Nuevo %1").arg(i));
    }
    return made;
}

qint64 dataIniRun(const QString &path, const Names &names)
{
    const QString key = QStringLiteral("Titulo");
    const QString value = QStringLiteral("Nuevo");
    const qint64 start = cpuNow();
    DataIniFile data(path);
    qsizetype found = 0;
    for (const QString &section : names.lookups)
        found += data.readString(section, key, QString()).size();
    for (const QString &section : names.added)
        data.writeString(section, key, value);
    data.updateFile();
    const qint64 elapsed = cpuNow() - start;
    if (found == 0)
        std::abort();
    return elapsed;
}

qint64 plainRun(const QString &path, const Names &names)
{
    const qint64 start = cpuNow();
    QFile input(path);
    if (!input.open(QIODevice::ReadOnly))
        std::abort();
    QStringList lines = QString::fromLatin1(input.readAll()).split(QStringLiteral("\r\n"));
    for (const QString &section : names.added) {
        lines.append(u'[' + section + u']');
        lines.append(QStringLiteral("Titulo=Nuevo"));
        lines.append(QString());
    }
    QSaveFile output(path);
    if (!output.open(QIODevice::WriteOnly))
        std::abort();
    output.write(lines.join(QStringLiteral("\r\n")).toLatin1());
    if (!output.commit())
        std::abort();
    return cpuNow() - start;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // In memory where the system has such a folder: both sides write the same bytes, and the disk's
    // flushing time would only add noise. A folder given as the argument is used instead.
    const QString parent = argc > 1                                        ? QString::fromLocal8Bit(argv[1])
                           : QFileInfo(QStringLiteral("/dev/shm")).isDir() ? QStringLiteral("/dev/shm")
                                                                           : QDir::tempPath();
    QTemporaryDir temp(parent + QStringLiteral("/cartling-bench-XXXXXX"));
    const QString path = temp.filePath(QStringLiteral("Titulos.ini"));
    QRandomGenerator random(10000);
    bool ok = true;
    constexpr double kTarget = 1.3;
    std::printf("%9s %12s %12s %7s %16s\n", "sections", "data INI", "plain", "ratio", "per section");
    for (const int sections : {1000, 10000, 100000}) {
        const QByteArray original = dataFile(sections);
        const int rounds = 11;
        const Names made = names(sections, random);
        const Rounds taken = Rounds::alternate(
            rounds,
            [&] {
                writeFile(path, original);
                return double(dataIniRun(path, made));
            },
            [&] {
                writeFile(path, original);
                return double(plainRun(path, made));
            });
        std::printf("%9d %9.2f ms %9.2f ms %7.2f %13.3f us\n", sections, taken.measured() / 1e6, taken.floor() / 1e6,
                    taken.ratio(), taken.measured() / 1e3 / sections);
        const std::string name = "data INI " + QLocale(QLocale::English).toString(sections).toStdString() + " sections";
        ok = benchLine(name, taken, kTarget) && ok;
    }
    std::printf("target: ratio <= %.2f at every size (medians of rounds taken in turns)\n", kTarget);
    return ok ? 0 : 1;
}
