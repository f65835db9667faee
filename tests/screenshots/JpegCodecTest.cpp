#include "ShotFiles.h"
#include "TestSupport.h"

#include "platform/FileAttributes.h"
#include "screenshots/BitmapFile.h"
#include "screenshots/JpegCodec.h"

#include <QFile>
#include <QRandomGenerator>

namespace {

// What the markers of a JPEG file say: the frame type, the frame's size and components, and the first
// entry (the DC step) of quantisation table 0.
struct JpegLayout
{
    int frameMarker = 0;
    int width = 0;
    int height = 0;
    int components = 0;
    int lumaDcStep = 0;
};

JpegLayout layoutOf(const QByteArray &jpeg)
{
    JpegLayout layout;
    const auto byte = [&jpeg](qsizetype at) { return at < jpeg.size() ? int(quint8(jpeg[at])) : 0; };
    qsizetype at = 2; // after SOI
    while (at + 4 <= jpeg.size() && byte(at) == 0xFF) {
        const int marker = byte(at + 1);
        const int length = byte(at + 2) << 8 | byte(at + 3);
        if (marker == 0xDB && (byte(at + 4) & 0x0F) == 0)
            layout.lumaDcStep = byte(at + 5);
        if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
            layout.frameMarker = marker;
            layout.height = byte(at + 5) << 8 | byte(at + 6);
            layout.width = byte(at + 7) << 8 | byte(at + 8);
            layout.components = byte(at + 9);
        }
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return layout;
}

double meanDifference(const QImage &a, const QImage &b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int i = 0; i < x.width() * 3; ++i)
            sum += qAbs(int(x.constScanLine(row)[i]) - int(y.constScanLine(row)[i]));
    }
    return double(sum) / (x.width() * x.height() * 3);
}

// The quality goes through libjpeg's scaling of the standard tables (DC step 16 at quality 50), clamped
// to 1..100, and to baseline steps of at most 255.
TEST(JpegEncoding, IsABaselineColourJpegWithLibjpegsQualityScaling)
{
    const struct
    {
        int quality;
        int dcStep;
    } cases[] = {{1, 255}, {0, 255}, {50, 16}, {75, 8}, {100, 1}, {250, 1}};
    qsizetype previousSize = 0;
    for (const auto &c : cases) {
        const QByteArray jpeg = jpegBytes(screenPicture(), c.quality);
        ASSERT_FALSE(jpeg.isEmpty()) << c.quality;
        const JpegLayout layout = layoutOf(jpeg);
        EXPECT_EQ(layout.frameMarker, 0xC0) << c.quality; // SOF0: baseline, not progressive
        EXPECT_EQ(layout.components, 3) << c.quality;
        EXPECT_EQ(layout.width, 160);
        EXPECT_EQ(layout.height, 144);
        EXPECT_EQ(layout.lumaDcStep, c.dcStep) << c.quality;
        if (c.quality >= 1 && c.quality <= 100) {
            EXPECT_GT(jpeg.size(), previousSize) << c.quality;
            previousSize = jpeg.size();
        }
    }

    const QImage back = JpegCodec::decode(jpegBytes(screenPicture(), 75));
    ASSERT_EQ(back.size(), QSize(160, 144));
    EXPECT_LT(meanDifference(back, screenPicture()), 4.0);
    // A picture with an alpha channel or a palette is taken as 24-bit colour.
    EXPECT_EQ(layoutOf(jpegBytes(screenPicture().convertToFormat(QImage::Format_ARGB32))).components, 3);
    EXPECT_EQ(layoutOf(jpegBytes(screenPicture().convertToFormat(QImage::Format_Indexed8))).components, 3);
    EXPECT_TRUE(JpegCodec::encode(QImage(), 75).isEmpty());
}

TEST(JpegDecoding, DamagedFilesGiveNoPictureOrAPartialOneAndNeverCrash)
{
    const QByteArray good = jpegBytes();
    EXPECT_TRUE(JpegCodec::decode({}).isNull());
    EXPECT_TRUE(JpegCodec::decode(QByteArray("\xFF\xD8\xFF", 3)).isNull());
    EXPECT_TRUE(JpegCodec::decode(bitmapBytes()).isNull());

    // Cut anywhere: before the frame there is nothing to show, after it libjpeg fills the rest with grey.
    for (qsizetype cut = 0; cut < good.size(); cut += 13) {
        const QImage picture = JpegCodec::decode(good.left(cut));
        EXPECT_TRUE(picture.isNull() || picture.size() == QSize(160, 144)) << cut;
    }

    QRandomGenerator random(15);
    for (int round = 0; round < 200; ++round) {
        QByteArray noisy = good;
        for (int i = 0; i < 8; ++i)
            noisy[random.bounded(int(noisy.size()))] = char(random.bounded(256));
        JpegCodec::decode(noisy); // anything but a crash will do
        QByteArray garbage(random.bounded(1, 4000), '\0');
        for (char &c : garbage)
            c = char(random.bounded(256));
        JpegCodec::decode(QByteArray("\xFF\xD8", 2) + garbage);
    }

    // A header that claims 65535 x 65535 pixels is refused before anything is allocated.
    QByteArray huge = good;
    const qsizetype frame = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GT(frame, 0);
    for (int i = 5; i <= 8; ++i)
        huge[frame + i] = char(0xFF);
    EXPECT_TRUE(JpegCodec::decode(huge).isNull());
}

TEST(BitmapHeader, DeclaresTheBytesOfAWholeFile)
{
    const QByteArray bmp = bitmapBytes();
    ASSERT_EQ(bmp.size(), 54 + 160 * 3 * 144);
    EXPECT_EQ(BitmapFile::declaredSize(bmp.left(54)), bmp.size());

    // A file header that states no size still declares the rows its info header describes.
    QByteArray noSize = bmp.left(54);
    noSize.replace(2, 4, QByteArray(4, '\0'));
    EXPECT_EQ(BitmapFile::declaredSize(noSize), bmp.size());

    // Rows are padded to four bytes; a negative height stores them top down.
    QByteArray odd = bitmapBytes(screenPicture().copy(0, 0, 5, 3));
    EXPECT_EQ(BitmapFile::declaredSize(odd), 54 + 16 * 3);
    odd[22] = char(0xFD); // height -3
    odd[23] = odd[24] = odd[25] = char(0xFF);
    EXPECT_EQ(BitmapFile::declaredSize(odd), 54 + 16 * 3);

    // The old OS/2 header is uncompressed; a compressed file states the bytes of its rows.
    const auto le = [](QByteArray &bytes, int at, quint32 value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + i] = char(value >> (8 * i));
    };
    QByteArray core("BM", 2);
    core.resize(26, '\0');
    le(core, 10, 26, 4);
    le(core, 14, 12, 4);
    le(core, 18, 5, 2);
    le(core, 20, 3, 2);
    le(core, 22, 1, 2);
    le(core, 24, 24, 2);
    EXPECT_EQ(BitmapFile::declaredSize(core), 26 + 16 * 3);
    QByteArray rle = noSize;
    le(rle, 10, 54 + 1024, 4);
    le(rle, 28, 8, 2);
    le(rle, 30, 1, 4);
    le(rle, 34, 100, 4);
    EXPECT_EQ(BitmapFile::declaredSize(rle), 54 + 1024 + 100);

    QByteArray zeroWidth = bmp.left(54);
    zeroWidth.replace(18, 4, QByteArray(4, '\0'));
    EXPECT_EQ(BitmapFile::declaredSize(zeroWidth), -1);
    EXPECT_EQ(BitmapFile::declaredSize(bmp.left(20)), -1);
    EXPECT_EQ(BitmapFile::declaredSize("PK" + bmp.mid(2, 52)), -1);
}

TEST(BitmapDecoding, DamagedBitmapsGiveNoPictureAndNeverCrash)
{
    const QByteArray good = bitmapBytes();
    EXPECT_EQ(BitmapFile::decode(good).size(), QSize(160, 144));
    for (qsizetype cut = 0; cut < 2000; cut += 7)
        BitmapFile::decode(good.left(cut));
    QRandomGenerator random(6);
    for (int round = 0; round < 200; ++round) {
        QByteArray header = good.left(54);
        for (int i = 0; i < 4; ++i)
            header[random.bounded(2, 54)] = char(random.bounded(256));
        BitmapFile::decode(header + good.mid(54, random.bounded(int(good.size()))));
    }
    EXPECT_TRUE(BitmapFile::decode(QByteArray("BM")).isNull());
    EXPECT_TRUE(BitmapFile::decode(jpegBytes()).isNull());
}

class BitmapConversion : public BaseFolderTest
{
};

TEST_F(BitmapConversion, WritesTheJpegUnderTheGivenNameWithItsExtensionChanged)
{
    writeFile("shot.bmp", bitmapBytes());
    writeFile("game.jpg", "older picture");
    QFile::setPermissions(path("game.jpg"), QFileDevice::ReadOwner);

    ASSERT_TRUE(JpegCodec::convertBitmap(path("shot.bmp"), path("game.bmp"), 75));
    const QByteArray jpeg = readFile("game.jpg");
    EXPECT_EQ(jpeg, jpegBytes(screenPicture(), 75)); // a 24-bit bitmap holds the picture exactly
    EXPECT_FALSE(QFile::exists(path("game.bmp")));

    ASSERT_TRUE(JpegCodec::convertBitmap(path("shot.bmp"), path("no extension"), 10));
    EXPECT_EQ(layoutOf(readFile("no extension.jpg")).lumaDcStep, 80);
    EXPECT_EQ(JpegCodec::withJpegExtension("/a.b/name"), "/a.b/name.jpg");
    EXPECT_EQ(JpegCodec::withJpegExtension("/a/Tetris.DX.bmp"), "/a/Tetris.DX.jpg");
}

TEST_F(BitmapConversion, AMissingOrDamagedBitmapWritesNothing)
{
    writeFile("game.jpg", "older picture");
    EXPECT_FALSE(JpegCodec::convertBitmap(path("gone.bmp"), path("game.jpg"), 75));
    writeFile("bad.bmp", bitmapBytes().left(54) + QByteArray(100, 'x'));
    EXPECT_FALSE(JpegCodec::convertBitmap(path("bad.bmp"), path("game.jpg"), 75));
    writeFile("bad.bmp", "not a picture at all");
    EXPECT_FALSE(JpegCodec::convertBitmap(path("bad.bmp"), path("game.jpg"), 75));
    EXPECT_EQ(readFile("game.jpg"), "older picture");
}

} // namespace
