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
QString subFolder(const QString &folder, const QString &name)
{
    const QString exact = folder + u'/' + name;
    if (QFileInfo(exact).isDir())
        return exact;
    const QStringList entries = QDir(folder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return folder + u'/' + entry;
    }
    return exact;
}

// The shot's file in the folder reached through the sub-folders, each found without regard to case.
QString shotIn(QString folder, const QStringList &subFolders = {})
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    for (const QString &name : subFolders)
        folder = subFolder(folder, name);
    const QString name = QString::fromLatin1(ShotName);
    const QString found = FileLookup::find(folder, name);
    return found.isEmpty() ? folder + u'/' + name : found;
}

} // namespace

QString emulatorFolder(const SettingsFile &settings)
{
    return settings.read(Keys::Zibod, Places::driveRoot() + QString::fromLatin1(ShotName));
}

QStringList all(const QString &baseFolder, const QString &emulatorFolder)
{
    const QString root = Places::driveRoot();
    const QString name = QString::fromLatin1(ShotName);

    // Place 12 joins the stored folder and the name as text: a folder stored without its "/" gives a
    // name that does not exist, as it always has. Only the file name is looked up without regard to case.
    QString place12 = emulatorFolder + name;
    if (const QString folder = folderOf(place12); !folder.isEmpty()) {
        if (const QString found = FileLookup::find(folder, name); !found.isEmpty())
            place12 = found;
    }
    // The default, the drive root's file, has no folder above it: place 13 is then the drive root, as it
    // is for a folder with nothing above it.
    const QString above = emulatorFolder == root + name ? QString() : parentFolderOf(emulatorFolder);
    const QString place13 = above.isEmpty() ? shotIn(root) : shotIn(above);

    return {shotIn(root),
            shotIn(baseFolder),
            shotIn(baseFolder, {QStringLiteral("zibo")}),
            shotIn(baseFolder, {QStringLiteral("roms")}),
            shotIn(baseFolder, {QStringLiteral("rts")}),
            shotIn(baseFolder, {QStringLiteral("save")}),
            shotIn(baseFolder, {QStringLiteral("shoots")}),
            shotIn(Places::extractionFolder()),
            shotIn(root, {QStringLiteral("windows")}),
            shotIn(root, {QStringLiteral("windows"), QStringLiteral("system")}),
            shotIn(root, {QStringLiteral("temp")}),
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

QString pictureFolder(const QString &baseFolder)
{
    return subFolder(baseFolder, QStringLiteral("Capturas"));
}

QStringList pngShots(const QString &baseFolder)
{
    const QDir folder(pictureFolder(baseFolder));
    QStringList shots;
    // Name filters match without regard to case unless told otherwise.
    for (const QFileInfo &info :
         folder.entryInfoList({QStringLiteral("*.png")}, QDir::Files | QDir::Hidden, QDir::Time | QDir::Reversed))
        shots.append(info.filePath());
    return shots;
}

} // namespace ScreenshotPlaces
