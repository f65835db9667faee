#include "screenshots/PictureLookup.h"

#include "platform/FileLookup.h"
#include "platform/PathHelpers.h"
#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace PictureLookup {

namespace {

// The largest picture file read; a shot is a few kilobytes, a photograph a few megabytes.
constexpr qint64 MaxPictureFile = 64 * 1024 * 1024;

} // namespace

QString shotsFolder(const QString &baseFolder)
{
    const QString name = QStringLiteral("Shoots");
    const QString exact = baseFolder + u'/' + name;
    if (QFileInfo(exact).isDir())
        return exact;
    const QStringList entries = QDir(baseFolder).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return baseFolder + u'/' + entry;
    }
    return exact;
}

QString fileIn(const QString &folder, const QString &name)
{
    const QString found = FileLookup::find(folder, name);
    return found.isEmpty() ? folder + u'/' + name : found;
}

QStringList candidates(const QString &baseFolder, const QString &romPath)
{
    const QString shots = shotsFolder(baseFolder);
    const QString stem = stemOf(romPath);
    return {fileIn(shots, stem + QStringLiteral(".bmp")), fileIn(shots, stem + QStringLiteral(".jpg")),
            fileIn(baseFolder, QStringLiteral("ctg.jpg"))};
}

QImage load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureFile)
        return {};
    const QByteArray bytes = file.readAll();
    const QString extension = extensionOf(path).toLower();
    if (extension == u"jpg" || extension == u"jpeg")
        return JpegCodec::decode(bytes);
    return BitmapFile::decode(bytes);
}

std::optional<Picture> gamePicture(const QString &baseFolder, const QString &romPath)
{
    if (romPath.isEmpty())
        return std::nullopt;
    for (const QString &candidate : candidates(baseFolder, romPath)) {
        if (!QFileInfo(candidate).isFile())
            continue;
        QImage image = load(candidate);
        if (!image.isNull())
            return Picture{candidate, image};
    }
    return std::nullopt;
}

std::optional<Picture> defaultPicture(const QString &baseFolder, const QString &name)
{
    const QString path = fileIn(baseFolder, name);
    QImage image = load(path);
    if (image.isNull())
        return std::nullopt;
    return Picture{path, image};
}

} // namespace PictureLookup
