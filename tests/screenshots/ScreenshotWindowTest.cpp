#include "MainWindowFixture.h"
#include "ShotFiles.h"

#include "mainwindow/Windows.h"
#include "screenshots/PictureViewer.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>

namespace {

class ScreenshotWindow : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("roms");
        makeFolder("emu");
        writeFile("roms/Tetris.gb", romImage("TETRIS"));
        writeFile("roms/Zelda.gb", romImage("ZELDA"));
    }

    void storeSettings(const QByteArray &more = {}) const
    {
        writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() + "\r\nZibo=" + path("emu/zibo").toUtf8() +
                      "\r\nZibod=" + path("emu/").toUtf8() + "\r\n" + more);
    }

    PictureViewer &viewer() const { return *windows().pictureViewer; }
    QImage shownPicture() const { return viewer().image()->pixmap().toImage(); }
};

TEST_F(ScreenshotWindow, TheViewerIsAFixedToolWindowThatShowsPicturesUnscaledAndCentred)
{
    storeSettings();
    start();
    EXPECT_EQ(viewer().objectName(), "TForm14");
    EXPECT_EQ(viewer().windowTitle(), "Zibo Shoots");
    EXPECT_EQ(viewer().size(), QSize(210, 186));
    const Qt::WindowFlags flags = viewer().windowFlags();
    EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowSystemMenuHint));
    EXPECT_FALSE(viewer().isVisible());

    QImage big(300, 250, QImage::Format_RGB32);
    big.fill(Qt::magenta);
    viewer().showPicture(big);
    EXPECT_EQ(viewer().image()->pixmap().size(), QSize(300, 250)); // clipped, not scaled
    EXPECT_EQ(viewer().image()->alignment(), Qt::AlignCenter);
    EXPECT_EQ(viewer().image()->geometry(), QRect(0, 0, 210, 186));
    EXPECT_FALSE(viewer().image()->hasScaledContents());

    // Neither Escape nor the window system's close hides it; only the switch does.
    item("ss")->trigger();
    ASSERT_TRUE(viewer().isVisible());
    QTest::keyClick(&viewer(), Qt::Key_Escape);
    EXPECT_TRUE(viewer().isVisible());
    // The window system's close reaches the widget through its window, as a spontaneous event.
    ASSERT_NE(viewer().windowHandle(), nullptr);
    QCloseEvent fromSystem;
    QCoreApplication::sendEvent(viewer().windowHandle(), &fromSystem);
    EXPECT_FALSE(fromSystem.isAccepted());
    EXPECT_TRUE(viewer().isVisible());
    QCloseEvent close;
    QCoreApplication::sendEvent(&viewer(), &close); // not spontaneous: the program's own close
    EXPECT_TRUE(close.isAccepted());
}

TEST_F(ScreenshotWindow, SelectingAGameShowsItsPictureOrTheDefaultOrKeepsThePrevious)
{
    storeSettings();
    makeFolder("Shoots");
    writeFile("Shoots/Tetris.bmp", bitmapBytes(screenPicture(Qt::red)));
    writeFile("Shoots/Tetris.jpg", jpegBytes(screenPicture(Qt::blue)));
    start();
    clickEntry("Tetris.gb");
    EXPECT_EQ(shownPicture().convertToFormat(QImage::Format_RGB888), screenPicture(Qt::red));

    // No picture and no "ctg.jpg": the previous game's picture stays, also when the JPEG is damaged.
    clickEntry("Zelda.gb");
    EXPECT_EQ(shownPicture().convertToFormat(QImage::Format_RGB888), screenPicture(Qt::red));
    writeFile("Shoots/Zelda.jpg", jpegBytes().left(200));
    clickEntry("Zelda.gb");
    EXPECT_EQ(shownPicture().convertToFormat(QImage::Format_RGB888), screenPicture(Qt::red));

    writeFile("ctg.jpg", jpegBytes(screenPicture(Qt::green)));
    clickEntry("Zelda.gb");
    EXPECT_GT(shownPicture().pixelColor(80, 100).green(), 200);
}

TEST_F(ScreenshotWindow, TheSwitchDiscardsALeftoverStoresItselfAndShowsTheViewerWhereItWas)
{
    storeSettings();
    makeFolder("Zibo");
    writeFile("Zibo/ZIBO0000.BMP", bitmapBytes());
    writeFile("ctg.jpg", jpegBytes(screenPicture(Qt::green)));
    start();
    item("ss")->trigger();
    EXPECT_FALSE(QFile::exists(path("Zibo/ZIBO0000.BMP")));
    EXPECT_TRUE(SettingsFile().read(Keys::Shoots));
    EXPECT_FALSE(item("ss")->icon().isNull());
    ASSERT_TRUE(viewer().isVisible());
    EXPECT_EQ(shownPicture().size(), QSize(160, 144)); // "ctg.jpg" on showing

    viewer().move(40, 30);
    item("ss")->trigger();
    EXPECT_FALSE(viewer().isVisible());
    EXPECT_FALSE(SettingsFile().read(Keys::Shoots));
    EXPECT_TRUE(item("ss")->icon().isNull());
    EXPECT_EQ(SettingsFile().read(Keys::Left3), 40);
    EXPECT_EQ(SettingsFile().read(Keys::Top3), 30);
    viewer().move(300, 300);
    item("ss")->trigger();
    EXPECT_EQ(viewer().pos(), QPoint(40, 30));

    // After a restart the viewer opens at the same place.
    stop();
    QDir::setCurrent(m_base); // the program starts in its base folder; the ROM list moved away from it
    start();
    EXPECT_TRUE(viewer().isVisible());
    EXPECT_EQ(viewer().pos(), QPoint(40, 30));
}

TEST_F(ScreenshotWindow, ADamagedShotNeverStopsTheProgramAndStaysInPlace)
{
    storeSettings("[Configuracion]\r\nshoots=1\r\n[OtrasConfig2]\r\ncomjpg=1\r\nbbmp=1\r\n");
    writeFile("emu/ZIBO0000.BMP", bitmapBytes().left(54) + QByteArray(500, '\x7F'));
    start();
    clickEntry("Tetris.gb");
    for (int tick = 0; tick < 4; ++tick)
        main().screenshots().collectScreenshot();
    EXPECT_EQ(QFile(path("emu/ZIBO0000.BMP")).size(), 554);
    EXPECT_TRUE(QDir(path("Shoots")).isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

TEST_F(ScreenshotWindow, LiveOptionsFromTheCallerOverrideTheSettingsFile)
{
    storeSettings("[Configuracion]\r\nshoots=1\r\n");
    writeFile("emu/ZIBO0000.BMP", bitmapBytes());
    start();
    main().screenshots().setOptionsSource([] { return ScreenshotOptions{true, true, 30}; });
    clickEntry("Tetris.gb");
    main().screenshots().collectScreenshot();
    main().screenshots().collectScreenshot();
    EXPECT_FALSE(QFile::exists(path("Shoots/Tetris.bmp")));
    EXPECT_EQ(readFile("Shoots/Tetris.jpg"), jpegBytes(screenPicture(), 30));
}

// The stand-in emulator started by a launch writes its shot; the timer files it as the game's JPEG.
TEST_F(ScreenshotWindow, TheStandInsShotIsFiledAsTheGamesJpegAndShown)
{
    ASSERT_TRUE(QFile::copy(QStringLiteral(CARTLING_BIN_DIR "/zibo"), path("emu/zibo")));
    storeSettings("[Configuracion]\r\nshoots=1\r\n[OtrasConfig2]\r\ncomjpg=1\r\nbbmp=1\r\nq=75\r\n");
    qputenv("ZIBO_STANDIN_SHOT", "1");
    setProcessStarter(nullptr);
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    qunsetenv("ZIBO_STANDIN_SHOT");
    EXPECT_TRUE(main().screenshots().timer()->isActive());

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 && !QFile::exists(path("Shoots/Tetris.jpg")))
        QTest::qWait(100);
    ASSERT_TRUE(QFile::exists(path("Shoots/Tetris.jpg"))) << "no shot was filed";
    EXPECT_FALSE(QFile::exists(path("Shoots/Tetris.bmp")));
    EXPECT_FALSE(QFile::exists(path("emu/ZIBO0000.BMP")));
    EXPECT_EQ(shownPicture().size(), QSize(160, 144));
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // The stand-in has ended and its shot is filed: the watch stops (it used to poll until Cartling ended).
    while (clock.elapsed() < 30000 && main().screenshots().timer()->isActive())
        QTest::qWait(100);
    EXPECT_FALSE(main().screenshots().timer()->isActive());
}

// A shot taken in mGBA went under whatever game was selected when it was found, and every other PNG of the
// picture folder went with it.
TEST_F(ScreenshotWindow, AnMgbaShotGoesUnderTheLaunchedGameWhateverIsSelectedSince)
{
    makeFolder("Capturas");
    writeFile("Capturas/vacaciones.png", pngBytes(screenPicture(Qt::yellow)));
    writeFile("shot.png", pngBytes(screenPicture(Qt::red)));
    // Saves a shot as mGBA names it into the folder it is given, a moment after it started, then ends.
    writeFile("emu/mgba-qt", "#!/bin/sh\nfor a; do case \"$a\" in screenshotPath=*) dir=${a#screenshotPath=};; esac; "
                             "rom=$a; done\nsleep 1\nname=${rom##*/}\ncp \"" +
                                 path("shot.png").toUtf8() + "\" \"$dir/${name%.*}-0.png\"\nsleep 1\n");
    QFile::setPermissions(path("emu/mgba-qt"), QFile::permissions(path("emu/mgba-qt")) | QFileDevice::ExeOwner);
    writeSettings("[Directorios]\r\nRoms=" + path("roms").toUtf8() + "\r\nZibo=" + path("emu/mgba-qt").toUtf8() +
                  "\r\nZibod=" + path("emu/").toUtf8() + "\r\n[Configuracion]\r\nshoots=1\r\n");
    setProcessStarter(nullptr);
    start();
    clickEntry("Tetris.gb");
    item("Jugar1")->trigger();
    clickEntry("Zelda.gb");

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000 && main().screenshots().timer()->isActive())
        QTest::qWait(100);
    EXPECT_FALSE(main().screenshots().timer()->isActive());
    EXPECT_EQ(readFile("Shoots/Tetris.bmp"), bitmapBytes(screenPicture(Qt::red)));
    EXPECT_FALSE(QFile::exists(path("Shoots/Zelda.bmp")));
    EXPECT_EQ(folderEntries(path("Capturas")), QStringList{"vacaciones.png"});
    EXPECT_TRUE(m_messages.shown.isEmpty()) << qPrintable(m_messages.shown.join(u'\n'));
}

} // namespace
