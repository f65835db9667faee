#pragma once

#include <QImage>
#include <QString>

// The freedesktop thumbnail cache that file managers share: one PNG per picture file in
// $XDG_CACHE_HOME/thumbnails/normal, named by the MD5 of the file's URI and carrying the URI and the file's
// time of change, so a thumbnail of an older version of the file is never taken for the current one.
// Every method may run on any thread; nothing is kept between calls.
class ThumbnailCache
{
public:
    // What a thumbnail was made from: the file's time of change (whole seconds) and size.
    struct Stamp
    {
        qint64 modified = 0;
        qint64 size = 0;
    };

    // $XDG_CACHE_HOME/thumbnails/normal, or ~/.cache/thumbnails/normal when the variable is not an absolute path.
    static QString defaultFolder();

    explicit ThumbnailCache(QString folder = defaultFolder());

    const QString &folder() const { return m_folder; }

    // "file://" and the absolute path escaped exactly as GLib's g_filename_to_uri escapes it, which is what the
    // file managers hash: every byte but letters, digits and "/!$&'()*+,-.:=@_~" as "%" and two capital hex
    // digits. Another escaping (";" or "[" left as they are) would name another file, and the thumbnails would
    // not be shared.
    static QString uriOf(const QString &path);
    // The thumbnail's file for the picture file: the folder, the MD5 of its URI in hexadecimal and ".png".
    QString fileFor(const QString &path) const;

    // The picture file's thumbnail when the cache holds one made from the file as the stamp describes it;
    // a null image when there is none, it is out of date, damaged, larger than a thumbnail can be, a link or
    // another user's file.
    QImage find(const QString &path, const Stamp &stamp) const;

    // Stores the thumbnail, whole or not at all, readable by the user alone, never through a link. False when
    // the folder cannot be made or written, or a link stands at the thumbnail's name: the thumbnail is then made
    // again next time, nothing else is lost.
    bool store(const QString &path, const Stamp &stamp, const QImage &thumbnail) const;

    // The folder of Cartling's failure entries: "fail/cartling-<version>" beside the thumbnails' folder.
    QString failFolder() const;
    // Whether a thumbnail of the picture file as the stamp describes it could not be made before: the file is then
    // not decoded again until it changes.
    bool failed(const QString &path, const Stamp &stamp) const;
    // Records that no thumbnail can be made of the file as it is: a small PNG carrying its URI and stamp, as the
    // thumbnail format asks. False when it cannot be written.
    bool storeFailure(const QString &path, const Stamp &stamp) const;

private:
    // The entry in `file` made for the picture file as the stamp describes it; a null image when there is none.
    QImage entryFor(const QString &file, const QString &path, const Stamp &stamp) const;
    bool storeEntry(const QString &file, const QString &path, const Stamp &stamp, const QImage &image) const;

    QString m_folder;
};
