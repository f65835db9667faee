#include "ShotFiles.h"
#include "TestSupport.h"

#include "platform/Places.h"
#include "screenshots/JpegCodec.h"
#include "screenshots/PictureLookup.h"
#include "screenshots/ScreenshotHarvest.h"
#include "screenshots/ScreenshotPlaces.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

namespace {

using Outcome = ScreenshotHarvest::Outcome;

// A base folder with the folders start-up makes, a drive root with its Windows folders, the extraction
// folder, and an emulator folder beside the base folder: every place inside the test's own folder.
class Harvest : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        for (const char *folder : {"Roms", "Rts", "Save", "Zibo", "Shoots"})
            makeFolder(folder);
        m_drive = m_temp.path() + "/drive";
        QDir().mkpath(m_drive + "/Windows/System");
        QDir().mkpath(m_drive + "/TEMP");
        ASSERT_TRUE(Places::ensureExtractionFolder());
        m_emulator = m_temp.path() + "/emu/";
        QDir().mkpath(m_emulator);
        writeSettings("[Directorios]\r\nZibod=" + m_emulator.toUtf8() + "\r\n");
        m_rom = path("Roms/Tetris.gb");
    }

    void writeSettings(const QByteArray &ini) const { writeFile("Cartling.ini", ini); }

    // Where place n is for this test, as the emulator would write it.
    QString place(int n) const
    {
        const QString name = "/ZIBO0000.BMP";
        const QString places[] = {m_drive,
                                  m_base,
                                  m_base + "/Zibo",
                                  m_base + "/Roms",
                                  m_base + "/Rts",
                                  m_base + "/Save",
                                  m_base + "/Shoots",
                                  Places::extractionFolder(),
                                  m_drive + "/Windows",
                                  m_drive + "/Windows/System",
                                  m_drive + "/TEMP",
                                  m_emulator.chopped(1),
                                  m_temp.path()};
        return places[n - 1] + name;
    }

    void put(int n, const QByteArray &bytes) const
    {
        QFile file(place(n));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    // Steps until the harvest stops waiting; a whole shot needs two ticks, the first only sees it.
    ScreenshotHarvest::Result fileShot(ScreenshotOptions options = {})
    {
        ScreenshotHarvest::Result result;
        for (int tick = 0; tick < 3; ++tick) {
            result = m_harvest.step(true, m_rom, options);
            if (result.outcome != Outcome::Waiting)
                break;
        }
        return result;
    }

    QString m_drive;
    QString m_emulator;
    QString m_rom;
    ScreenshotHarvest m_harvest;
};

TEST_F(Harvest, TheThirteenPlacesAreFoundWithoutRegardToCaseAndTheLastExistingOneIsTaken)
{
    const QStringList empty = ScreenshotPlaces::all(m_base, m_emulator);
    ASSERT_EQ(empty.size(), 13);
    EXPECT_TRUE(ScreenshotPlaces::lastExisting(empty).isEmpty());

    for (int n = 1; n <= 13; ++n)
        put(n, QByteArray::number(n));
    QStringList expected;
    for (int n = 1; n <= 13; ++n)
        expected.append(place(n));
    QStringList places = ScreenshotPlaces::all(m_base, m_emulator);
    EXPECT_EQ(places, expected);

    // Each existing place replaces the one found before: removing them from the end walks back up.
    for (int n = 13; n >= 1; --n) {
        EXPECT_EQ(ScreenshotPlaces::lastExisting(ScreenshotPlaces::all(m_base, m_emulator)), place(n));
        QFile::remove(place(n));
    }

    // The name itself may differ in case, as a program under a Windows layer writes it.
    QFile(m_emulator + "zibo0000.bmp").open(QIODevice::WriteOnly);
    EXPECT_EQ(ScreenshotPlaces::lastExisting(ScreenshotPlaces::all(m_base, m_emulator)), m_emulator + "zibo0000.bmp");
}

TEST_F(Harvest, WithoutAStoredEmulatorFolderNothingAboveTheDriveRootIsPolled)
{
    writeSettings("");
    const QString root = Places::driveRoot();
    const QStringList places = ScreenshotPlaces::all(m_base, ScreenshotPlaces::emulatorFolder(SettingsFile()));
    EXPECT_EQ(places[11], root + "ZIBO0000.BMPZIBO0000.BMP"); // a name that cannot be the shot
    EXPECT_EQ(places[12], root + "ZIBO0000.BMP");
    EXPECT_EQ(ScreenshotPlaces::all(m_base, "/emu/")[12], root + "ZIBO0000.BMP");
    EXPECT_EQ(ScreenshotPlaces::all(m_base, m_drive + "/emu/")[12], root + "ZIBO0000.BMP");
    // A folder stored without its final "/" joins to a name that does not exist.
    EXPECT_EQ(ScreenshotPlaces::all(m_base, m_emulator.chopped(1))[11], m_emulator.chopped(1) + "ZIBO0000.BMP");
}

TEST_F(Harvest, WithTheSwitchOffOrNoGameSelectedTheShotsStayWhereTheyAre)
{
    put(12, bitmapBytes());
    for (int tick = 0; tick < 5; ++tick) {
        EXPECT_EQ(m_harvest.step(false, m_rom, {}).outcome, Outcome::Off);
        EXPECT_EQ(m_harvest.step(true, QString(), {}).outcome, Outcome::Off);
    }
    EXPECT_TRUE(QFile::exists(place(12)));
    EXPECT_TRUE(QDir(path("Shoots")).isEmpty());
    QFile::remove(place(12));
    EXPECT_EQ(m_harvest.step(true, m_rom, {}).outcome, Outcome::NoShot);
}

TEST_F(Harvest, AShotIsFiledUnderTheSelectedGameAsTheJpegOptionsSay)
{
    const struct
    {
        ScreenshotOptions options;
        bool bitmapKept;
        bool jpegWritten;
    } cases[] = {
        {{false, false, 75}, true, false},
        {{true, false, 75}, true, true},
        {{true, true, 75}, false, true},
        // Deleting the bitmap without a JPEG would lose the shot: the bitmap stays.
        {{false, true, 75}, true, false},
    };
    for (const auto &c : cases) {
        const QString label = QString("comjpg %1 bbmp %2").arg(c.options.convertToJpeg).arg(c.options.deleteBitmap);
        QDir(path("Shoots")).removeRecursively();
        makeFolder("Shoots");
        put(12, bitmapBytes());

        EXPECT_EQ(m_harvest.step(true, m_rom, c.options).outcome, Outcome::Waiting) << qPrintable(label);
        const ScreenshotHarvest::Result result = m_harvest.step(true, m_rom, c.options);
        EXPECT_EQ(result.outcome, Outcome::Filed) << qPrintable(label);
        EXPECT_TRUE(result.pictureChanged());
        EXPECT_EQ(result.source, place(12));
        EXPECT_FALSE(QFile::exists(place(12))) << qPrintable(label);
        EXPECT_EQ(QFile::exists(path("Shoots/Tetris.bmp")), c.bitmapKept) << qPrintable(label);
        EXPECT_EQ(QFile::exists(path("Shoots/Tetris.jpg")), c.jpegWritten) << qPrintable(label);
        if (c.bitmapKept)
            EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes());
        if (c.jpegWritten) {
            EXPECT_EQ(readFile("Shoots/Tetris.jpg"), jpegBytes());
            // The viewer reads a JPEG by either of its extensions.
            QFile::copy(path("Shoots/Tetris.jpg"), path("Shoots/Tetris.jpeg"));
            EXPECT_EQ(PictureLookup::load(path("Shoots/Tetris.jpeg")).size(), QSize(160, 144));
        }
        EXPECT_EQ(result.picture, path(c.jpegWritten ? "Shoots/Tetris.jpg" : "Shoots/Tetris.bmp"));
    }
    EXPECT_EQ(JpegCodec::withJpegExtension("shot"), "shot.jpg");
}

TEST_F(Harvest, OneShotPerTickTheLowestPlaceInTheTableFirst)
{
    put(12, bitmapBytes(screenPicture(Qt::red)));
    put(8, bitmapBytes(screenPicture(Qt::blue)));
    EXPECT_EQ(fileShot().source, place(12));
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes(screenPicture(Qt::red)));
    EXPECT_TRUE(QFile::exists(place(8)));

    // The shot goes to the game selected when it is found, over the earlier one.
    m_rom = path("Roms/Pack.zip");
    writeFile("Shoots/Pack.bmp", "older shot");
    QFile::setPermissions(path("Shoots/Pack.bmp"), QFileDevice::ReadOwner);
    EXPECT_EQ(fileShot().source, place(8));
    EXPECT_EQ(readFile("Shoots/Pack.bmp"), bitmapBytes(screenPicture(Qt::blue)));
    EXPECT_FALSE(QFile::exists(place(8)));
}

TEST_F(Harvest, AnEarlierShotWhoseNameDiffersInCaseIsReplacedInPlace)
{
    QDir(m_base).rename("Shoots", "shoots");
    writeFile("shoots/TETRIS.bmp", "older shot");
    writeFile("shoots/tetris.JPG", "older picture");
    put(3, bitmapBytes());
    EXPECT_EQ(fileShot({true, false, 75}).outcome, Outcome::Filed);
    EXPECT_EQ(readFile("shoots/TETRIS.bmp"), bitmapBytes());
    EXPECT_EQ(readFile("shoots/tetris.JPG"), jpegBytes());
    EXPECT_EQ(QDir(path("shoots")).count(), 4u); // ".", "..", and the two files
}

TEST_F(Harvest, AShotStillBeingWrittenWaitsUntilItIsWholeAndUnchanged)
{
    const QByteArray shot = bitmapBytes();
    put(12, shot.left(5000));
    for (int tick = 0; tick < 4; ++tick)
        EXPECT_EQ(m_harvest.step(true, m_rom, {}).outcome, Outcome::Waiting) << tick;
    EXPECT_TRUE(QDir(path("Shoots")).isEmpty());

    put(12, shot); // whole now, but changed since the last tick
    EXPECT_EQ(m_harvest.step(true, m_rom, {}).outcome, Outcome::Waiting);
    EXPECT_EQ(m_harvest.step(true, m_rom, {}).outcome, Outcome::Filed);
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), shot);
}

TEST_F(Harvest, ADamagedShotStaysWhereItIsAndNothingIsFiled)
{
    const QByteArray shot = bitmapBytes();
    QByteArray badDepth = shot;
    badDepth[28] = 7; // 7 bits per pixel: whole by its header, but no bitmap
    const QByteArray cases[] = {QByteArray("not a bitmap"), QByteArray(), badDepth, shot.left(54)};
    for (const QByteArray &bytes : cases) {
        put(12, bytes);
        for (int tick = 0; tick < 4; ++tick) {
            const Outcome outcome = m_harvest.step(true, m_rom, {true, true, 75}).outcome;
            EXPECT_TRUE(outcome == Outcome::Waiting || outcome == Outcome::Damaged) << int(outcome);
        }
        EXPECT_EQ(QFile(place(12)).size(), bytes.size());
        EXPECT_TRUE(QDir(path("Shoots")).isEmpty());
    }
    // A good shot in its place is taken at once.
    put(12, shot);
    EXPECT_EQ(fileShot().outcome, Outcome::Filed);
}

TEST_F(Harvest, WhenTheShotCannotBeFiledTheEmulatorsFileStaysAndIsTriedAgainOnlyOnceItChanges)
{
    put(12, bitmapBytes());
    QDir(path("Shoots")).removeRecursively();
    writeFile("Shoots", "a file where the folder should be");
    EXPECT_EQ(fileShot().outcome, Outcome::CopyFailed);
    EXPECT_TRUE(QFile::exists(place(12)));
    // Every tick used to read, file and show the same shot again.
    QFile::remove(path("Shoots"));
    makeFolder("Shoots/Tetris.jpg"); // from now on the JPEG cannot be written
    EXPECT_EQ(m_harvest.step(true, m_rom, {true, true, 75}).outcome, Outcome::Unchanged);
    EXPECT_FALSE(QFile::exists(path("Shoots/Tetris.bmp")));

    put(12, bitmapBytes(screenPicture().copy(0, 0, 150, 144)));
    const ScreenshotHarvest::Result result = fileShot({true, true, 75});
    EXPECT_EQ(result.outcome, Outcome::ConversionFailed);
    EXPECT_TRUE(result.pictureChanged());
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes(screenPicture().copy(0, 0, 150, 144))); // kept: no JPEG
    EXPECT_TRUE(QFile::exists(place(12)));
    EXPECT_EQ(m_harvest.step(true, m_rom, {true, true, 75}).outcome, Outcome::Unchanged);

    // A missing shots folder is made again.
    QDir(path("Shoots")).removeRecursively();
    put(12, bitmapBytes());
    EXPECT_EQ(fileShot().outcome, Outcome::Filed);
    EXPECT_FALSE(QFile::exists(place(12)));
}

// A file at a later place that never completed, or never decoded, kept the emulator's real shot at an
// earlier place from ever being filed.
TEST_F(Harvest, AShotThatWaitsOrIsDamagedDoesNotBlockTheOtherPlaces)
{
    QByteArray lyingHeader = bitmapBytes(screenPicture(Qt::green));
    lyingHeader[2] = char(quint8(lyingHeader[2]) + 100); // states 100 bytes more than it has
    const struct
    {
        const char *label;
        QByteArray blocker;
        bool filedInTheEnd;
    } cases[] = {
        {"never whole", bitmapBytes().left(5000), false},
        {"not a bitmap", "not a bitmap", false},
        {"header states a wrong size", lyingHeader, true},
    };
    for (const auto &c : cases) {
        QDir(path("Shoots")).removeRecursively();
        put(12, c.blocker);
        put(8, bitmapBytes(screenPicture(Qt::red)));
        const ScreenshotHarvest::Result first = fileShot();
        EXPECT_EQ(first.outcome, Outcome::Filed) << c.label;
        EXPECT_EQ(first.source, place(8)) << c.label;
        EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes(screenPicture(Qt::red))) << c.label;

        int filed = 0;
        for (int tick = 0; tick < ScreenshotHarvest::TicksBeforeShortFileIsTaken + 3; ++tick)
            filed += m_harvest.step(true, m_rom, {}).outcome == Outcome::Filed;
        EXPECT_EQ(filed, c.filedInTheEnd ? 1 : 0) << c.label;
        if (c.filedInTheEnd)
            EXPECT_EQ(readFile("Shoots/Tetris.bmp"), lyingHeader) << c.label;
        EXPECT_EQ(readFile(QDir(m_base).relativeFilePath(place(12))), c.blocker) << c.label; // kept: may be damaged
        QFile::remove(place(12));
    }
}

TEST_F(Harvest, APngShotInThePictureFolderIsFiledAsABitmapAndRemoved)
{
    m_harvest.launches().add(m_rom, EmulatorKind::Mgba, QDateTime::currentDateTime().addSecs(-60));
    makeFolder("Capturas");
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    screenPicture().save(&buffer, "PNG");
    writeFile("Capturas/Tetris-0.png", png.left(png.size() - 12)); // the closing chunk not written yet
    for (int tick = 0; tick < 3; ++tick)
        EXPECT_EQ(m_harvest.step(true, m_rom, {}).outcome, Outcome::Waiting) << tick;

    writeFile("Capturas/Tetris-0.png", png);
    const ScreenshotHarvest::Result result = fileShot({true, false, 75});
    EXPECT_EQ(result.outcome, Outcome::Filed);
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes());
    EXPECT_EQ(readFile("Shoots/Tetris.jpg"), jpegBytes());
    EXPECT_FALSE(QFile::exists(path("Capturas/Tetris-0.png")));
}

// Every PNG of the picture folder was filed under the selected game and deleted: the user's own pictures were
// lost, and a shot went under whatever game was clicked after the launch.
TEST_F(Harvest, OnlyTheLaunchedEmulatorsOwnShotsAreTakenEachUnderItsGame)
{
    makeFolder("Capturas");
    const QDateTime launch = QDateTime::currentDateTime().addSecs(-60);
    m_harvest.launches().add(path("Roms/Tetris.gb"), EmulatorKind::Mgba, launch);
    m_harvest.launches().add(path("Roms/Pack.zip"), EmulatorKind::Mgba, launch);
    m_harvest.launches().add(path("Roms/Zelda.gb"), EmulatorKind::Zibo, launch);
    m_rom = path("Roms/Mario.gb"); // selected since
    const struct
    {
        const char *name;
        int secondsAfterLaunch;
        const char *filedAs;
    } cases[] = {
        {"Tetris-0.png", 10, "Tetris.bmp"}, {"Pack-12.png", -1, "Pack.bmp"},  // within the two-second step of a file
                                                                              // system's times
        {"vacaciones.png", 10, nullptr},    {"Tetris-1.png", -3600, nullptr}, // older than the launch
        {"Tetris-2.png", -5, nullptr},      {"Mario-0.png", 10, nullptr},     // the selected game, not launched
        {"Zelda-0.png", 10, nullptr},                                         // launched in Zibo, which saves no PNG
        {"tetris-3.png", 10, nullptr},      {"Tetris-.png", 10, nullptr},     {"Tetris-4a.png", 10, nullptr},
        {"Tetris-5.jpg.png", 10, nullptr},  {"Tetris-6.PNG", 10, nullptr},
    };
    for (const auto &c : cases) {
        const QColor colour = c.filedAs ? QColor(c.filedAs[0] == 'T' ? Qt::red : Qt::green) : QColor(Qt::yellow);
        writeFile(QString("Capturas/") + c.name, pngBytes(screenPicture(colour)));
        QFile file(path(QString("Capturas/") + c.name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(launch.addSecs(c.secondsAfterLaunch), QFileDevice::FileModificationTime);
    }
    put(12, bitmapBytes(screenPicture(Qt::blue)));

    ScreenshotHarvest::Result result = m_harvest.step(true, m_rom, {});
    EXPECT_FALSE(result.settled);
    for (int tick = 0; tick < 10 && !result.settled; ++tick)
        result = m_harvest.step(true, m_rom, {});
    EXPECT_TRUE(result.settled);

    // Zibo's bitmap goes under the game launched in Zibo, not under the selected one.
    EXPECT_EQ(folderEntries(path("Shoots")), (QStringList{"Pack.bmp", "Tetris.bmp", "Zelda.bmp"}));
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes(screenPicture(Qt::red)));
    EXPECT_EQ(readFile("Shoots/Pack.bmp"), bitmapBytes(screenPicture(Qt::green)));
    EXPECT_EQ(readFile("Shoots/Zelda.bmp"), bitmapBytes(screenPicture(Qt::blue)));
    for (const auto &c : cases) {
        EXPECT_EQ(QFile::exists(path(QString("Capturas/") + c.name)), !c.filedAs) << c.name;
        if (!c.filedAs)
            EXPECT_EQ(readFile(QString("Capturas/") + c.name), pngBytes(screenPicture(Qt::yellow))) << c.name;
    }

    // The watch ends once every launch has ended; an end of a game not launched changes nothing.
    LaunchedGames &games = m_harvest.launches();
    for (const char *rom : {"Roms/Tetris.gb", "Roms/Tetris.gb", "Roms/Mario.gb", "Roms/Pack.zip"}) {
        games.ended(path(rom));
        EXPECT_FALSE(games.allEnded()) << rom;
    }
    games.ended(path("Roms/Zelda.gb"));
    EXPECT_TRUE(games.allEnded());
    games.clear();
    EXPECT_FALSE(games.allEnded());
    EXPECT_EQ(m_harvest.step(true, QString(), {}).outcome, Outcome::Off);
}

TEST_F(Harvest, AShotFiledOntoItselfIsKept)
{
    m_rom = path("Roms/ZIBO0000.gb");
    put(7, bitmapBytes());
    EXPECT_EQ(fileShot().outcome, Outcome::Filed);
    EXPECT_EQ(readFile("Shoots/ZIBO0000.BMP"), bitmapBytes());
}

TEST_F(Harvest, TheSwitchDiscardsLeftoversOnlyInItsOwnPlaces)
{
    put(3, "left from before");
    put(11, "in c:\\temp");
    put(13, "above the emulator");
    EXPECT_EQ(ScreenshotPlaces::discardLeftover(ScreenshotPlaces::all(m_base, m_emulator)), place(13));
    QFile::setPermissions(place(3), QFileDevice::ReadOwner);
    EXPECT_EQ(ScreenshotPlaces::discardLeftover(ScreenshotPlaces::all(m_base, m_emulator)), place(3));
    EXPECT_EQ(ScreenshotPlaces::discardLeftover(ScreenshotPlaces::all(m_base, m_emulator)), QString());
    EXPECT_FALSE(QFile::exists(place(3)));
    EXPECT_TRUE(QFile::exists(place(11)));
    put(12, "left by the emulator alone");
    EXPECT_EQ(ScreenshotPlaces::discardLeftover(ScreenshotPlaces::all(m_base, m_emulator)), place(12));

    // The next tick files the one the switch left.
    put(11, bitmapBytes());
    EXPECT_EQ(fileShot().source, place(11));
    EXPECT_TRUE(QFile::exists(path("Shoots/Tetris.bmp")));
}

} // namespace
