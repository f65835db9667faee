#include "ShotFiles.h"
#include "TestSupport.h"

#include "screenshots/PictureLookup.h"

#include <QDir>
#include <QFile>

namespace {

class PictureLookupTest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        makeFolder("Shoots");
    }

    // The file the game's picture came from, relative to the base folder; empty when there is none.
    QString pictureOf(const QString &rom) const
    {
        const auto picture = PictureLookup::gamePicture(m_base, rom.isEmpty() ? QString() : path("Roms/" + rom));
        if (!picture)
            return {};
        EXPECT_FALSE(picture->image.isNull());
        return QDir(m_base).relativeFilePath(picture->path);
    }
};

TEST_F(PictureLookupTest, TheBitmapComesFirstThenTheJpegThenTheDefaultPicture)
{
    writeFile("Shoots/Tetris.bmp", bitmapBytes(screenPicture(Qt::red)));
    writeFile("Shoots/Tetris.jpg", jpegBytes(screenPicture(Qt::blue)));
    writeFile("ctg.jpg", jpegBytes(screenPicture(Qt::green)));

    EXPECT_EQ(pictureOf("Tetris.gb"), "Shoots/Tetris.bmp");
    EXPECT_EQ(PictureLookup::gamePicture(m_base, path("Roms/Tetris.gb"))->image.pixelColor(80, 140), QColor(Qt::black));
    EXPECT_EQ(pictureOf("Tetris.zip"), "Shoots/Tetris.bmp"); // one picture per stem
    EXPECT_EQ(pictureOf("Other.gbc"), "ctg.jpg");
    EXPECT_EQ(pictureOf(""), ""); // nothing selected: the viewer keeps what it shows

    QFile::remove(path("Shoots/Tetris.bmp"));
    EXPECT_EQ(pictureOf("Tetris.gb"), "Shoots/Tetris.jpg");
    QFile::remove(path("ctg.jpg"));
    EXPECT_EQ(pictureOf("Other.gbc"), "");
}

TEST_F(PictureLookupTest, NamesMatchWithoutRegardToCase)
{
    QDir(m_base).rename("Shoots", "shoots");
    writeFile("shoots/tetris.bmp", bitmapBytes());
    writeFile("CTG.JPG", jpegBytes());
    EXPECT_EQ(pictureOf("TETRIS.GB"), "shoots/tetris.bmp");
    EXPECT_EQ(pictureOf("Zelda.gb"), "CTG.JPG");
    // The exact name wins over one that differs only in case.
    writeFile("shoots/TETRIS.bmp", bitmapBytes());
    EXPECT_EQ(pictureOf("TETRIS.GB"), "shoots/TETRIS.bmp");
}

TEST_F(PictureLookupTest, APictureThatCannotBeDecodedFallsThroughToTheNextCandidate)
{
    writeFile("Shoots/Tetris.bmp", bitmapBytes().left(40));
    writeFile("Shoots/Tetris.jpg", jpegBytes().left(100)); // cut before the frame: nothing to show
    writeFile("ctg.jpg", "not a JPEG");
    EXPECT_EQ(pictureOf("Tetris.gb"), "");

    writeFile("ctg.jpg", jpegBytes());
    EXPECT_EQ(pictureOf("Tetris.gb"), "ctg.jpg");

    // A JPEG cut short after its frame shows what there is of it.
    writeFile("Shoots/Tetris.jpg", jpegBytes().chopped(300));
    EXPECT_EQ(pictureOf("Tetris.gb"), "Shoots/Tetris.jpg");

    writeFile("ctg.bmp", bitmapBytes());
    EXPECT_TRUE(PictureLookup::defaultPicture(m_base, "ctg.bmp").has_value());
    EXPECT_FALSE(PictureLookup::defaultPicture(m_base, "ctg.gif").has_value());
}

} // namespace
