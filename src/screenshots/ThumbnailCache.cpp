#include "screenshots/ThumbnailCache.h"

#include "platform/PrivateFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace {

const QString UriKey = QStringLiteral("Thumb::URI");
const QString ModifiedKey = QStringLiteral("Thumb::MTime");
const QString SizeKey = QStringLiteral("Thumb::Size");

// A cached file is somebody else's too; one of the "large" size is the biggest a reader should meet.
constexpr int MaxThumbnailSide = 256;
// Far above what a PNG of that side with its text chunks takes.
constexpr qint64 MaxThumbnailBytes = 4 * 1024 * 1024;

// The entry's file name: the MD5 of the picture file's URI in hexadecimal, and ".png".
QString hashName(const QString &path)
{
    const QByteArray uri = ThumbnailCache::uriOf(path).toLatin1();
    return QString::fromLatin1(QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex()) + QStringLiteral(".png");
}

} // namespace

QString ThumbnailCache::defaultFolder()
{
    return PrivateFile::cacheHome() + QStringLiteral("/thumbnails/normal");
}

ThumbnailCache::ThumbnailCache(QString folder) : m_folder(std::move(folder)) {}

QString ThumbnailCache::uriOf(const QString &path)
{
    // The file name's own bytes, as GLib takes them; letters, digits and "-._~" are never escaped.
    const QByteArray name = QFile::encodeName(QDir::cleanPath(QFileInfo(path).absoluteFilePath()));
    return QStringLiteral("file://") + QString::fromLatin1(name.toPercentEncoding("/!$&'()*+,:=@"));
}

QString ThumbnailCache::fileFor(const QString &path) const
{
    return m_folder + u'/' + hashName(path);
}

QString ThumbnailCache::failFolder() const
{
    return QFileInfo(m_folder).path() + QStringLiteral("/fail/cartling-") + QStringLiteral(CARTLING_VERSION);
}

QImage ThumbnailCache::find(const QString &path, const Stamp &stamp) const
{
    return entryFor(fileFor(path), path, stamp);
}

bool ThumbnailCache::failed(const QString &path, const Stamp &stamp) const
{
    return !entryFor(failFolder() + u'/' + hashName(path), path, stamp).isNull();
}

bool ThumbnailCache::storeFailure(const QString &path, const Stamp &stamp) const
{
    QImage mark(1, 1, QImage::Format_ARGB32);
    mark.fill(Qt::transparent);
    return storeEntry(failFolder() + u'/' + hashName(path), path, stamp, mark);
}

QImage ThumbnailCache::entryFor(const QString &file, const QString &path, const Stamp &stamp) const
{
    const std::optional<QByteArray> bytes = PrivateFile::read(file, MaxThumbnailBytes);
    if (!bytes)
        return {};
    QBuffer buffer;
    buffer.setData(*bytes);
    // Read as PNG only, whatever the bytes look like: no other decoder meets a planted file.
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxThumbnailSide || size.height() > MaxThumbnailSide)
        return {};
    QImage thumbnail = reader.read();
    if (thumbnail.isNull() || thumbnail.text(UriKey) != uriOf(path) ||
        thumbnail.text(ModifiedKey) != QString::number(stamp.modified))
        return {};
    // The size is optional in the format; where it is given it must match too.
    const QString storedSize = thumbnail.text(SizeKey);
    if (!storedSize.isEmpty() && storedSize != QString::number(stamp.size))
        return {};
    return thumbnail;
}

bool ThumbnailCache::store(const QString &path, const Stamp &stamp, const QImage &thumbnail) const
{
    return !thumbnail.isNull() && storeEntry(fileFor(path), path, stamp, thumbnail);
}

bool ThumbnailCache::storeEntry(const QString &file, const QString &path, const Stamp &stamp,
                                const QImage &thumbnail) const
{
    // Made for the user alone, as the format asks: thumbnails tell what files someone has. A thumbnails folder
    // that is there already keeps its mode: it is the file managers' as much as Cartling's.
    if (!PrivateFile::makeFolder(QFileInfo(file).path()))
        return false;
    // Readers want full alpha; the stamp travels in the PNG's text chunks.
    QImage image = thumbnail.convertToFormat(QImage::Format_ARGB32);
    image.setText(UriKey, uriOf(path));
    image.setText(ModifiedKey, QString::number(stamp.modified));
    image.setText(SizeKey, QString::number(stamp.size));
    image.setText(QStringLiteral("Software"), QStringLiteral("Cartling"));

    QBuffer png; // the writer opens it
    return QImageWriter(&png, "png").write(image) && PrivateFile::write(file, png.data(), PrivateFile::Leftovers::Keep);
}
