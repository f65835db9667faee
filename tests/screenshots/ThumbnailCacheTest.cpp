#include "ShotFiles.h"
#include "TestSupport.h"

#include "screenshots/ThumbnailCache.h"
#include "screenshots/TileLoader.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTest>

#include <cctype>

namespace {

// GLib's g_filename_to_uri escapes a path as a URI path of RFC 2396: letters, digits, the marks "-_.!~*'()", the
// path's own ":@&=+$," and "/" stay; every other byte becomes "%" and two capital hexadecimal digits.
QByteArray glibUri(const QByteArray &path)
{
    static const QByteArray kept = "-_.!~*'():@&=+$,/";
    QByteArray uri = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x80 && std::isalnum(byte)) || kept.contains(c))
            uri += c;
        else
            uri += '%' + QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    }
    return uri;
}

// Thumbnails made by the desktop's file manager were not found for names holding ";", "[" or "]" and the other
// characters Qt leaves as they are and GLib escapes, and Cartling's own were never shared.
TEST(ThumbnailCacheNames, EveryNameIsEscapedAndHashedAsGLibDoes)
{
    const ThumbnailCache cache("/cache/thumbnails/normal");
    for (char c = 0x20; c < 0x7F; ++c) {
        if (c == '/')
            continue;
        const QByteArray path = QByteArray("/home/ana/Shoots/a") + c + "b.bmp";
        const QByteArray uri = glibUri(path);
        EXPECT_EQ(ThumbnailCache::uriOf(QString::fromLatin1(path)), QString::fromLatin1(uri)) << path.constData();
        EXPECT_EQ(cache.fileFor(QString::fromLatin1(path)),
                  "/cache/thumbnails/normal/" + QCryptographicHash::hash(uri, QCryptographicHash::Md5).toHex() + ".png")
            << path.constData();
    }
    EXPECT_EQ(ThumbnailCache::uriOf("/home/ana/juegos;[1]/ñ #2.bmp"),
              "file:///home/ana/juegos%3B%5B1%5D/%C3%B1%20%232.bmp");
    EXPECT_EQ(ThumbnailCache::uriOf("/home/ana/./x//y.bmp"), "file:///home/ana/x/y.bmp");
}

class ThumbnailFailures : public BaseFolderTest
{
protected:
    void setModified(const QString &file, const QDateTime &time)
    {
        QFile touched(file);
        ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
        ASSERT_TRUE(touched.setFileTime(time, QFileDevice::FileModificationTime));
    }
    bool tileShown(const QString &rom)
    {
        TileLoader loader(m_base);
        loader.tile(rom);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !loader.busy(); }, 10000));
        QCoreApplication::processEvents();
        return !loader.tile(rom).picture.isNull();
    }
};

TEST_F(ThumbnailFailures, AShotThatCannotBeDecodedIsMarkedAndNotDecodedAgainUntilItChanges)
{
    makeFolder("Shoots");
    const QByteArray picture = bitmapBytes(screenPicture(Qt::red));
    writeFile("Shoots/Tetris.bmp", QByteArray(picture.size(), 'x'));
    const QString shot = path("Shoots/Tetris.bmp");
    const QDateTime modified = QFileInfo(shot).lastModified().addSecs(-30);
    setModified(shot, modified);
    const QString rom = path("Roms/Tetris.gb");
    EXPECT_FALSE(tileShown(rom));

    const ThumbnailCache cache;
    const QString failure = cache.failFolder() + '/' + QFileInfo(cache.fileFor(shot)).fileName();
    EXPECT_EQ(cache.failFolder(), m_temp.path() + "/cache/thumbnails/fail/cartling-1.7");
    QImageReader reader(failure);
    EXPECT_EQ(reader.format(), "png");
    const QImage mark = reader.read();
    EXPECT_EQ(mark.text("Thumb::URI"), ThumbnailCache::uriOf(shot));
    EXPECT_EQ(mark.text("Thumb::MTime"), QString::number(modified.toSecsSinceEpoch()));
    EXPECT_EQ(QFileInfo(failure).permissions().toInt() & 0x0077, 0);

    // The same time and size: taken for the same file, not read again.
    writeFile("Shoots/Tetris.bmp", picture);
    setModified(shot, modified);
    EXPECT_FALSE(tileShown(rom));
    // Changed: decoded, and its thumbnail stored.
    setModified(shot, modified.addSecs(5));
    EXPECT_TRUE(tileShown(rom));
    EXPECT_TRUE(QFileInfo::exists(cache.fileFor(shot)));
}

} // namespace
