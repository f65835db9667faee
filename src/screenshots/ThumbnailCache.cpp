#include "screenshots/ThumbnailCache.h"

#include "platform/PrivateFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QUrl>

namespace {

const QString UriKey = QStringLiteral("Thumb::URI");
const QString ModifiedKey = QStringLiteral("Thumb::MTime");
const QString SizeKey = QStringLiteral("Thumb::Size");

// A cached file is somebody else's too; one of the "large" size is the biggest a reader should meet.
constexpr int MaxThumbnailSide = 256;
// Far above what a PNG of that side with its text chunks takes.
constexpr qint64 MaxThumbnailBytes = 4 * 1024 * 1024;

} // namespace

QString ThumbnailCache::defaultFolder()
{
    return PrivateFile::cacheHome() + QStringLiteral("/thumbnails/normal");
}

ThumbnailCache::ThumbnailCache(QString folder) : m_folder(std::move(folder)) {}

QString ThumbnailCache::uriOf(const QString &path)
{
    return QString::fromLatin1(QUrl::fromLocalFile(QDir::cleanPath(QFileInfo(path).absoluteFilePath())).toEncoded());
}

QString ThumbnailCache::fileFor(const QString &path) const
{
    const QByteArray hash = QCryptographicHash::hash(uriOf(path).toLatin1(), QCryptographicHash::Md5).toHex();
    return m_folder + u'/' + QString::fromLatin1(hash) + QStringLiteral(".png");
}

QImage ThumbnailCache::find(const QString &path, const Stamp &stamp) const
{
    const std::optional<QByteArray> bytes = PrivateFile::read(fileFor(path), MaxThumbnailBytes);
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
    if (thumbnail.isNull())
        return false;
    // Made for the user alone, as the format asks: thumbnails tell what files someone has. A thumbnails folder
    // that is there already keeps its mode: it is the file managers' as much as Cartling's.
    if (!PrivateFile::makeFolder(m_folder))
        return false;
    // Readers want full alpha; the stamp travels in the PNG's text chunks.
    QImage image = thumbnail.convertToFormat(QImage::Format_ARGB32);
    image.setText(UriKey, uriOf(path));
    image.setText(ModifiedKey, QString::number(stamp.modified));
    image.setText(SizeKey, QString::number(stamp.size));
    image.setText(QStringLiteral("Software"), QStringLiteral("Cartling"));

    QBuffer png; // the writer opens it
    return QImageWriter(&png, "png").write(image) &&
           PrivateFile::write(fileFor(path), png.data(), PrivateFile::Leftovers::Keep);
}
