#include "screenshots/ScreenshotPlaces.h"

#include "platform/FileAttributes.h"
#include "platform/FileLookup.h"
#include "platform/PathHelpers.h"
#include "platform/Places.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ScreenshotPlaces {

namespace {

// The sub-folder of the folder, found without regard to case (exact name first); the name as given when
// there is none, so the place simply does not exist.
QString subFolder(const QString &folder, const QString &name, FileLookup::Cache *cache)
{
    const QString exact = folder + u'/' + name;
    if (QFileInfo(exact).isDir())
        return exact;
    QStringList entries;
    if (cache) {
        // In the order a sorted listing gives them, as without a cache.
        entries = cache->matches(folder, name);
        entries.sort();
    } else {
        entries = QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (!cache || QFileInfo(folder + u'/' + entry).isDir()))
            return folder + u'/' + entry;
    }
    return exact;
}

// The shot's file in the folder reached through the sub-folders, each found without regard to case.
QString shotIn(QString folder, FileLookup::Cache *cache, const QStringList &subFolders = {})
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    for (const QString &name : subFolders)
        folder = subFolder(folder, name, cache);
    const QString name = QString::fromLatin1(ShotName);
    const QString found = FileLookup::find(folder, name, cache);
    return found.isEmpty() ? folder + u'/' + name : found;
}

} // namespace

QString emulatorFolder(const SettingsFile &settings)
{
    return settings.read(Keys::Zibod, Places::driveRoot() + QString::fromLatin1(ShotName));
}

QStringList all(const QString &baseFolder, const QString &emulatorFolder, FileLookup::Cache *cache)
{
    const QString root = Places::driveRoot();
    const QString name = QString::fromLatin1(ShotName);

    // Place 12 joins the stored folder and the name as text: a folder stored without its "/" gives a
    // name that does not exist, as it always has. Only the file name is looked up without regard to case.
    QString place12 = emulatorFolder + name;
    if (const QString folder = folderOf(place12); !folder.isEmpty()) {
        if (const QString found = FileLookup::find(folder, name, cache); !found.isEmpty())
            place12 = found;
    }
    // The default, the drive root's file, has no folder above it: place 13 is then the drive root, as it
    // is for a folder with nothing above it.
    const QString above = emulatorFolder == root + name ? QString() : parentFolderOf(emulatorFolder);
    const QString place13 = above.isEmpty() ? shotIn(root, cache) : shotIn(above, cache);

    return {shotIn(root, cache),
            shotIn(baseFolder, cache),
            shotIn(baseFolder, cache, {QStringLiteral("zibo")}),
            shotIn(baseFolder, cache, {QStringLiteral("roms")}),
            shotIn(baseFolder, cache, {QStringLiteral("rts")}),
            shotIn(baseFolder, cache, {QStringLiteral("save")}),
            shotIn(baseFolder, cache, {QStringLiteral("shoots")}),
            shotIn(Places::extractionFolder(), cache),
            shotIn(root, cache, {QStringLiteral("windows")}),
            shotIn(root, cache, {QStringLiteral("windows"), QStringLiteral("system")}),
            shotIn(root, cache, {QStringLiteral("temp")}),
            place12,
            place13};
}

bool discardedBySwitch(int number)
{
    return number >= 1 && number <= Count && (number <= 8 || number >= 12);
}

QString lastExisting(const QStringList &places, bool switchPlacesOnly)
{
    QString found;
    for (int i = 0; i < places.size(); ++i) {
        if (switchPlacesOnly && !discardedBySwitch(i + 1))
            continue;
        if (QFileInfo(places[i]).isFile())
            found = places[i];
    }
    return found;
}

QString discardLeftover(const QStringList &places)
{
    const QString leftover = lastExisting(places, true);
    if (leftover.isEmpty())
        return {};
    FileAttributes::makePlainArchive(leftover);
    QFile::remove(leftover);
    return leftover;
}

QString pictureFolder(const QString &baseFolder, FileLookup::Cache *cache)
{
    return subFolder(baseFolder, QStringLiteral("Capturas"), cache);
}

QStringList pngShots(const QString &baseFolder, FileLookup::Cache *cache)
{
    const QDir folder(pictureFolder(baseFolder, cache));
    // The folder is usually empty or missing: it is sorted by time only when it holds a PNG at all.
    if (cache && !cache->holdsSuffix(folder.path(), QStringLiteral(".png")))
        return {};
    QStringList shots;
    // Name filters match without regard to case unless told otherwise.
    for (const QFileInfo &info :
         folder.entryInfoList({QStringLiteral("*.png")}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed))
        shots.append(info.filePath());
    return shots;
}

} // namespace ScreenshotPlaces
