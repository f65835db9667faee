#include "screenshots/ThumbnailCache.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QUrl>

namespace {

const QString UriKey = QStringLiteral("Thumb::URI");
const QString ModifiedKey = QStringLiteral("Thumb::MTime");
const QString SizeKey = QStringLiteral("Thumb::Size");

// A cached file is somebody else's too; one of the "large" size is the biggest a reader should meet.
constexpr int MaxThumbnailSide = 256;

constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr QFileDevice::Permissions OwnerFolder = OwnerOnly | QFileDevice::ExeOwner;

} // namespace

QString ThumbnailCache::defaultFolder()
{
    QString cache = qEnvironmentVariable("XDG_CACHE_HOME");
    if (cache.isEmpty() || QDir::isRelativePath(cache))
        cache = QDir::homePath() + QStringLiteral("/.cache");
    return cache + QStringLiteral("/thumbnails/normal");
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
    QImageReader reader(fileFor(path), "png");
    reader.setDecideFormatFromContent(false);
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
    if (!QFileInfo(m_folder).isDir()) {
        // Made for the user alone, as the format asks: thumbnails tell what files someone has.
        const QString parent = QFileInfo(m_folder).path();
        if (!QDir().mkpath(parent))
            return false;
        QFile::setPermissions(parent, OwnerFolder);
        if (!QDir().mkdir(m_folder))
            return false;
        QFile::setPermissions(m_folder, OwnerFolder);
    }
    // Readers want full alpha; the stamp travels in the PNG's text chunks.
    QImage image = thumbnail.convertToFormat(QImage::Format_ARGB32);
    image.setText(UriKey, uriOf(path));
    image.setText(ModifiedKey, QString::number(stamp.modified));
    image.setText(SizeKey, QString::number(stamp.size));
    image.setText(QStringLiteral("Software"), QStringLiteral("Cartling"));

    QSaveFile file(fileFor(path));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(OwnerOnly);
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
