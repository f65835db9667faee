// ZIP extraction: whatever an archive holds, extraction writes only plain files straight into the target
// folder, under names without control characters, within the size bounds, leaves no part file behind and
// touches nothing outside the folder.
#include "FuzzSupport.h"

#include "archive/ZipLibrary.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

// Every path below the folder, links and hidden names included, without following links.
QStringList everythingIn(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(it.next());
    paths.sort();
    return paths;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    // The archive beside the target folder, and a file of the user's in the folder above it.
    const QString root = fuzzFolder();
    const QString outside = root + QStringLiteral("/user");
    const QString target = outside + QStringLiteral("/gbrom");
    QDir(target).removeRecursively();
    QDir().mkpath(target);
    const QString archive = outside + QStringLiteral("/juego.zip");
    writeFuzzFile(archive, bytes);
    const QStringList before = everythingIn(root);

    ExtractionLimits limits;
    limits.maxMemberBytes = 1 << 20;
    limits.maxArchiveBytes = 3 << 20;
    limits.maxMembers = 64;
    extractTo(archive, target, limits);

    qint64 total = 0;
    const QStringList extracted = everythingIn(target);
    for (const QString &path : extracted) {
        const QFileInfo info(path);
        FUZZ_CHECK(info.absolutePath() == target, path);
        FUZZ_CHECK(info.isFile() && !info.isSymLink(), path);
        FUZZ_CHECK(!info.fileName().endsWith(QStringLiteral(".part")), path);
        for (const QChar c : info.fileName())
            FUZZ_CHECK(c.category() != QChar::Other_Control, path);
        FUZZ_CHECK(info.size() <= limits.maxMemberBytes, path);
        total += info.size();
    }
    FUZZ_CHECK(total <= limits.maxArchiveBytes, QString::number(total));
    QStringList after = everythingIn(root);
    for (const QString &path : extracted)
        after.removeOne(path);
    FUZZ_CHECK(after == before, after.join(u' '));
    QFile archiveNow(archive);
    FUZZ_CHECK(archiveNow.open(QIODevice::ReadOnly) && archiveNow.readAll() == bytes, archive);
    return 0;
}
