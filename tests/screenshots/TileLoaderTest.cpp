#include "ShotFiles.h"
#include "TestSupport.h"

#include "screenshots/ThumbnailCache.h"
#include "screenshots/TileLoader.h"
#include "screenshots/TilePicture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTest>
#include <QtEndian>

#include <atomic>
#include <latch>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

class TileLoaderTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        makeFolder("Shoots");
        m_cacheFolder = ThumbnailCache::defaultFolder();
    }

    // The game's tile once the loader has answered.
    static TileLoader::Tile settled(TileLoader &loader, const QString &rom)
    {
        loader.tile(rom);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !loader.busy(); }, 10000));
        QCoreApplication::processEvents();
        return loader.tile(rom);
    }

    QString rom(const QString &name) const { return path("Roms/" + name); }

    // The colour in the middle of the tile's picture; invalid for a drawn tile.
    QColor tileColour(TileLoader &loader, const QString &name) const
    {
        const TileLoader::Tile tile = settled(loader, rom(name));
        EXPECT_TRUE(tile.known);
        if (tile.picture.isNull())
            return {};
        return tile.picture.pixelColor(tile.picture.width() / 2, tile.picture.height() - 3);
    }

    QString m_cacheFolder;
};

// Colours that survive JPEG and scaling closely enough to tell apart.
bool near(const QColor &a, const QColor &b)
{
    return a.isValid() && qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue()) < 60;
}

TEST_F(TileLoaderTest, TheTileShowsTheGamesFiledShotAsTheLookupFindsItOrADrawnTile)
{
    writeFile("Shoots/Tetris.bmp", bitmapBytes(screenPicture(Qt::red)));
    writeFile("Shoots/Tetris.jpg", jpegBytes(screenPicture(Qt::blue)));
    writeFile("Shoots/zelda.JPG", jpegBytes(screenPicture(Qt::green)));
    writeFile("Shoots/Broken.bmp", bitmapBytes().left(300));
    writeFile("Shoots/Broken.jpg", jpegBytes(screenPicture(Qt::yellow)));
    writeFile("Shoots/Damaged.bmp", "BM not a bitmap");
    writeFile("ctg.jpg", jpegBytes(screenPicture(Qt::magenta))); // the viewer's default, never a tile
    writeFile("Shoots/Nameless.png", "");

    TileLoader loader(m_base);
    const struct
    {
        const char *rom;
        QColor colour; // invalid: the drawn tile
    } cases[] = {
        {"Tetris.gb", Qt::black},  // the bitmap before the JPEG (its bottom band is black)
        {"Tetris.zip", Qt::black}, // one picture per stem
        {"ZELDA.GBC", Qt::black},  // names and extensions in any case
        {"Broken.gb", Qt::black},  // a damaged bitmap falls through to the JPEG
        {"Damaged.gb", QColor()},  // nothing to show
        {"Nameless.gb", QColor()}, // no shot; "ctg.jpg" is not taken
        {"", QColor()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rom);
        const QColor colour = tileColour(loader, c.rom);
        EXPECT_EQ(colour.isValid(), c.colour.isValid());
        if (c.colour.isValid())
            EXPECT_TRUE(near(colour, c.colour)) << colour.name().toStdString();
    }
    // The band above the bottom one tells the bitmap from the JPEG.
    const QImage tetris = settled(loader, rom("Tetris.gb")).picture;
    EXPECT_TRUE(near(tetris.pixelColor(2, tetris.height() / 2), Qt::red));
    EXPECT_LE(qMax(tetris.width(), tetris.height()), TilePicture::Side);
}

// A tile asked for again while it waits moves up and is still answered once; no other waiting tile is lost.
TEST_F(TileLoaderTest, EveryTileAskedForIsAnsweredAlsoWhenAskedAgainWhileItWaits)
{
    const QByteArray shot = bitmapBytes(screenPicture(Qt::red));
    QStringList roms;
    for (int i = 0; i < 24; ++i) {
        roms.append(rom(QStringLiteral("game%1.gb").arg(i)));
        writeFile(QStringLiteral("Shoots/game%1.bmp").arg(i), shot);
    }
    TileLoader loader(m_base);
    for (const QString &game : roms)
        loader.tile(game);
    for (int i = 0; i < 4; ++i)
        loader.prefetch(roms[i]); // the oldest requests, waiting longest
    ASSERT_TRUE(QTest::qWaitFor([&] { return !loader.busy(); }, 20000));
    QCoreApplication::processEvents();
    for (const QString &game : roms) {
        const TileLoader::Tile tile = loader.tile(game); // as it stands, before any new request
        EXPECT_TRUE(tile.known && !tile.picture.isNull()) << qPrintable(game);
    }
}

TEST_F(TileLoaderTest, ThumbnailsAreStoredAsFileManagersShareThem)
{
    // The example of the thumbnail format's own description.
    EXPECT_EQ(ThumbnailCache("/cache").fileFor("/home/jens/photos/me.png"),
              "/cache/c6ee772d9e49320e97ec29a7eb5b1697.png");
    EXPECT_EQ(ThumbnailCache::uriOf("/home/jens/photos/a b/ñ.png"), "file:///home/jens/photos/a%20b/%C3%B1.png");
    EXPECT_EQ(m_cacheFolder, m_temp.path() + "/cache/thumbnails/normal");

    writeFile("Shoots/Mi juego.bmp", bitmapBytes(screenPicture(Qt::red)));
    const QString shot = path("Shoots/Mi juego.bmp");
    {
        TileLoader loader(m_base);
        EXPECT_FALSE(settled(loader, rom("Mi juego.gb")).picture.isNull());
    }
    const QString thumbnail = ThumbnailCache(m_cacheFolder).fileFor(shot);
    QImageReader reader(thumbnail);
    EXPECT_EQ(reader.format(), "png");
    const QImage stored = reader.read();
    EXPECT_EQ(stored.size(), QSize(128, 115));
    EXPECT_TRUE(stored.hasAlphaChannel());
    EXPECT_EQ(stored.text("Thumb::URI"), "file://" + QString(shot).replace(" ", "%20"));
    EXPECT_EQ(stored.text("Thumb::MTime"), QString::number(QFileInfo(shot).lastModified().toSecsSinceEpoch()));
    EXPECT_EQ(stored.text("Software"), "Cartling");
    EXPECT_EQ(QFileInfo(thumbnail).permissions().toInt() & 0x0077, 0); // the user's alone
    EXPECT_EQ(QFileInfo(m_cacheFolder).permissions().toInt() & 0x0077, 0);

    // The next start takes the thumbnail: the shot itself is not read again while its time and size stand.
    const QDateTime modified = QFileInfo(shot).lastModified();
    writeFile("Shoots/Mi juego.bmp", QByteArray(QFileInfo(shot).size(), 'x'));
    QFile touched(shot);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(modified, QFileDevice::FileModificationTime));
    touched.close();
    {
        TileLoader loader(m_base);
        EXPECT_FALSE(settled(loader, rom("Mi juego.gb")).picture.isNull());
    }
    // A newer file is read again: this one cannot be decoded, so the tile is drawn.
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(modified.addSecs(5), QFileDevice::FileModificationTime));
    touched.close();
    TileLoader loader(m_base);
    EXPECT_TRUE(settled(loader, rom("Mi juego.gb")).picture.isNull());
}

TEST_F(TileLoaderTest, TheExactNameAndTheShotAsItIsNowDecideTheTile)
{
    // Two shots whose names differ only in case: each game gets its own, as the viewer shows them.
    writeFile("Shoots/tetris.bmp", bitmapBytes(screenPicture(Qt::red)));
    writeFile("Shoots/TETRIS.bmp", bitmapBytes(screenPicture(Qt::blue)));
    {
        TileLoader loader(m_base);
        const QImage upper = settled(loader, rom("TETRIS.gb")).picture;
        const QImage lower = settled(loader, rom("tetris.gb")).picture;
        ASSERT_FALSE(upper.isNull());
        ASSERT_FALSE(lower.isNull());
        EXPECT_TRUE(near(upper.pixelColor(2, upper.height() / 2), Qt::blue));
        EXPECT_TRUE(near(lower.pixelColor(2, lower.height() / 2), Qt::red));
    }

    // Rewritten within the same second with another size: the stored thumbnail no longer stands for it.
    const QString shot = path("Shoots/tetris.bmp");
    const QDateTime modified = QFileInfo(shot).lastModified();
    QImage smaller(100, 90, QImage::Format_RGB32);
    smaller.fill(Qt::green);
    writeFile("Shoots/tetris.bmp", bitmapBytes(smaller));
    QFile touched(shot);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(touched.setFileTime(modified, QFileDevice::FileModificationTime));
    touched.close();
    TileLoader loader(m_base);
    const QImage again = settled(loader, rom("tetris.gb")).picture;
    ASSERT_FALSE(again.isNull());
    EXPECT_TRUE(near(again.pixelColor(again.width() / 2, again.height() / 2), Qt::green));
}

TEST_F(TileLoaderTest, ACacheThatCannotBeWrittenOnlyCostsSpeed)
{
    writeFile("blocked", "a file where the cache folder's parent should be");
    writeFile("Shoots/Tetris.jpg", jpegBytes());
    TileLoader loader(m_base, ThumbnailCache(path("blocked/thumbnails/normal")));
    EXPECT_FALSE(settled(loader, rom("Tetris.gb")).picture.isNull());
    EXPECT_FALSE(ThumbnailCache(path("blocked/thumbnails/normal")).store(path("a.bmp"), {1, 2}, screenPicture()));
}

int modeOf(const QString &file)
{
    struct stat st;
    return ::lstat(QFile::encodeName(file).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}

// Making the missing normal/ folder made the file managers' thumbnails/ folder private too; a link planted at a
// thumbnail's name was written through, and one to a thumbnail elsewhere was read.
TEST_F(TileLoaderTest, ThumbnailsLeaveTheSharedFolderAsItIsAndFollowNoLink)
{
    const QString thumbnails = QFileInfo(m_cacheFolder).path();
    ASSERT_TRUE(QDir().mkpath(thumbnails));
    ASSERT_EQ(::chmod(QFile::encodeName(thumbnails).constData(), 0755), 0);
    const ThumbnailCache cache(m_cacheFolder);
    const QImage thumbnail = screenPicture().scaled(128, 115);
    const ThumbnailCache::Stamp stamp{1000, 2000};
    ASSERT_TRUE(cache.store(path("a.bmp"), stamp, thumbnail));
    EXPECT_EQ(modeOf(thumbnails), 0755);
    EXPECT_EQ(modeOf(m_cacheFolder), 0700);
    EXPECT_EQ(modeOf(cache.fileFor(path("a.bmp"))), 0600);
    EXPECT_FALSE(cache.find(path("a.bmp"), stamp).isNull());

    const QByteArray key("the user's own file\n");
    writeFile("elsewhere", key);
    ASSERT_TRUE(QFile::link(path("elsewhere"), cache.fileFor(path("b.bmp"))));
    EXPECT_FALSE(cache.store(path("b.bmp"), stamp, thumbnail));
    EXPECT_EQ(readFile("elsewhere"), key);

    const ThumbnailCache other(path("other"));
    ASSERT_TRUE(other.store(path("c.bmp"), stamp, thumbnail));
    ASSERT_TRUE(QFile::link(other.fileFor(path("c.bmp")), cache.fileFor(path("c.bmp"))));
    EXPECT_TRUE(cache.find(path("c.bmp"), stamp).isNull());
    // Another user's thumbnail (only root can make one here).
    if (giveToAnotherUser(cache.fileFor(path("a.bmp"))))
        EXPECT_TRUE(cache.find(path("a.bmp"), stamp).isNull());
}

TEST_F(TileLoaderTest, AThumbnailServesOnlyTheFileAsItWasMadeFromAndNoLargerThanAThumbnailCanBe)
{
    const ThumbnailCache cache(m_cacheFolder);
    const ThumbnailCache::Stamp stamp{1000, 2000};
    EXPECT_FALSE(cache.store(path("null.bmp"), stamp, QImage()));
    ASSERT_TRUE(cache.store(path("a.bmp"), stamp, screenPicture().scaled(128, 115)));
    // Written by another program: the size is optional, and a picture may be of any size.
    const auto written = [&](const QString &name, QSize size, bool withSize, const QString &of = {}) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(Qt::red);
        image.setText("Thumb::URI", ThumbnailCache::uriOf(path(of.isEmpty() ? name : of)));
        image.setText("Thumb::MTime", "1000");
        if (withSize)
            image.setText("Thumb::Size", "2000");
        ASSERT_TRUE(image.save(cache.fileFor(path(name)), "png"));
    };
    written("unsized.bmp", QSize(128, 96), false);
    written("largest.bmp", QSize(256, 256), true);
    written("wide.bmp", QSize(257, 10), true);
    written("tall.bmp", QSize(10, 257), true);
    written("moved.bmp", QSize(128, 96), true, "elsewhere.bmp");
    const struct
    {
        const char *name;
        ThumbnailCache::Stamp stamp;
        bool found;
    } cases[] = {
        {"a.bmp", stamp, true},           // as stored
        {"a.bmp", {1000, 2001}, false},   // another size
        {"a.bmp", {1001, 2000}, false},   // another time
        {"null.bmp", stamp, false},       // never stored
        {"unsized.bmp", {1000, 5}, true}, // no size to compare
        {"largest.bmp", stamp, true},     // as large as a thumbnail is
        {"wide.bmp", stamp, false},       // larger
        {"tall.bmp", stamp, false},       // larger
        {"moved.bmp", stamp, false},      // the thumbnail of another file
    };
    for (const auto &c : cases)
        EXPECT_EQ(!cache.find(path(c.name), c.stamp).isNull(), c.found) << c.name << " " << c.stamp.size;
}

// When the thumbnail folder was missing, the threads scaling the first screen's tiles raced to make it, and
// the thumbnails of those that lost the race were not written.
TEST_F(TileLoaderTest, ThumbnailFolderMadeByManyThreadsAtOnceLosesNoThumbnail)
{
    constexpr int Threads = 8;
    for (int round = 0; round < 10; ++round) {
        const ThumbnailCache cache(path(QStringLiteral("cache%1/thumbnails/normal").arg(round)));
        std::vector<QImage> thumbnails(Threads, screenPicture().scaled(128, 115));
        std::latch start(Threads);
        std::atomic<int> stored = 0;
        std::vector<std::thread> threads;
        for (int i = 0; i < Threads; ++i) {
            threads.emplace_back([&, i] {
                start.arrive_and_wait();
                stored += cache.store(path(QString::number(i)), {i, i}, thumbnails[size_t(i)]) ? 1 : 0;
            });
        }
        for (std::thread &thread : threads)
            thread.join();
        EXPECT_EQ(stored, Threads) << "round " << round;
        EXPECT_EQ(QDir(cache.folder()).entryList(QDir::Files).size(), Threads) << "round " << round;
    }
}

TEST_F(TileLoaderTest, HugeAndLyingPicturesAreRefusedBeforeDecoding)
{
    const auto bitmapDeclaring = [](qint32 width, qint32 height) {
        QByteArray bytes = bitmapBytes();
        qToLittleEndian(width, bytes.data() + 18);
        qToLittleEndian(height, bytes.data() + 22);
        return bytes;
    };
    const auto jpegDeclaring = [](quint16 width, quint16 height) {
        QByteArray bytes = jpegBytes();
        const qsizetype frame = bytes.indexOf("\xFF\xC0");
        qToBigEndian(height, bytes.data() + frame + 5);
        qToBigEndian(width, bytes.data() + frame + 7);
        return bytes;
    };
    const struct
    {
        const char *name;
        QByteArray bytes;
        QSize declared;
    } cases[] = {
        {"huge.bmp", bitmapDeclaring(100000, 100000), QSize(100000, 100000)},
        {"tall.bmp", bitmapDeclaring(160, -100000), QSize(160, 100000)},
        {"lying.bmp", bitmapDeclaring(160, 1440), QSize(160, 1440)}, // ten times the rows it holds
        {"huge.jpg", jpegDeclaring(65535, 65535).left(2000), QSize(65535, 65535)},
        {"cut.jpg", jpegBytes().left(100), QSize()}, // cut before its frame header
        {"empty.jpg", QByteArray(), QSize()},
        {"text.bmp", "BM", QSize()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TilePicture::declaredSize(c.bytes), c.declared);
        writeFile(c.name, c.bytes);
        EXPECT_TRUE(TilePicture::load(path(c.name)).isNull());
    }
    writeFile("fine.jpg", jpegBytes());
    EXPECT_EQ(TilePicture::load(path("fine.jpg")).size(), QSize(128, 115));

    // In the view such a shot is a drawn tile, like any other that cannot be shown.
    writeFile("Shoots/Huge.bmp", bitmapDeclaring(100000, 100000));
    TileLoader loader(m_base);
    const TileLoader::Tile tile = settled(loader, rom("Huge.gb"));
    EXPECT_TRUE(tile.known);
    EXPECT_TRUE(tile.picture.isNull());
}

TEST_F(TileLoaderTest, AShotFiledWhileRunningReplacesTheDrawnTile)
{
    TileLoader loader(m_base);
    EXPECT_TRUE(settled(loader, rom("Tetris.gb")).picture.isNull());
    // Added by hand: the folder watch finds it.
    writeFile("Shoots/tetris.jpg", jpegBytes());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !loader.tile(rom("Tetris.gb")).picture.isNull(); }, 5000));

    // Filed by the harvest, which says so.
    EXPECT_TRUE(settled(loader, rom("Zelda.gb")).picture.isNull());
    writeFile("Shoots/Zelda.bmp", bitmapBytes());
    loader.shotFiled();
    EXPECT_FALSE(settled(loader, rom("Zelda.gb")).picture.isNull());
}

} // namespace
