#include "MainWindowFixture.h"
#include "OptionsTestSupport.h"

#include "emulator/ControlsDialog.h"
#include "emulator/DirectoriesDialog.h"
#include "emulator/FolderPicker.h"
#include "emulator/JoystickTypeDialog.h"
#include "emulator/OtherOptionsDialog.h"
#include "language/LanguageApplier.h"
#include "mainwindow/Windows.h"
#include "settings/SettingsFile.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {

// Zibo.cfg of a fresh installation, line by line.
QStringList defaultLines()
{
    QStringList lines(59);
    lines[0] = ";***********  Zibo Archivo de Configuracion  ************";
    lines[1] = ConfigTemplate::initialLines()[1]; // the maker's banner
    lines[2] = ConfigTemplate::initialLines()[2];
    lines[3] = "-verbose 0";
    lines[4] = "-sound 1";
    lines[5] = "-uperiod 0";
    lines[6] = "-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] ";
    lines[9] = " ";
    lines[11] = "-2pj";
    lines[12] = "-stereo 1";
    lines[13] = "-vol 7";
    lines[14] = "-video 0";
    lines[15] = ";xxxxx";
    lines[20] = "-bbr 0";
    lines[21] = "-sbr 0";
    lines[22] = "-wbr 0";
    lines[23] = "-br 0";
    lines[24] = "-nodelay";
    lines[26] = "-nocrc";
    lines[29] = " ";
    lines[33] = "-csw";
    lines[54] = "-captsw";
    return lines;
}

class StartupConfiguration : public MainWindowTest
{
protected:
    // Starts the emulator on a ROM of the base folder, with the emulator found under its default name.
    QByteArray launchAndReadZiboCfg()
    {
        clickEntry("Tetris.gb");
        item("Jugar1")->trigger();
        EXPECT_EQ(m_starter.starts.size(), 1);
        return readFile("Zibo.cfg");
    }
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeFile("zibo", "#!/bin/sh\n");
        writeFile("zibo.exe", "MZ");
        writeFile("Tetris.gb", romImage("TETRIS"));
    }
    template <typename T> T *control(QWidget *window, const char *name) const
    {
        T *found = window->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
};

TEST_F(StartupConfiguration, WithoutSettingsZiboCfgHoldsTheFiftyNineDefaultLines)
{
    start();
    EXPECT_FALSE(QFile::exists(path("Cartling.ini")));
    const QByteArray written = launchAndReadZiboCfg();

    QByteArray expected;
    for (const QString &line : defaultLines())
        expected += line.toLatin1() + "\r\n";
    EXPECT_EQ(written, expected);
    // Line by line too, so that a difference names its slot.
    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 60);
    for (int slot = 0; slot < 59; ++slot)
        EXPECT_EQ(lines[slot], defaultLines()[slot].toLatin1() + '\r') << "slot " << slot;
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

TEST_F(StartupConfiguration, JunkInTheSettingsFileStartsCleanlyAndIsLeftAlone)
{
    writeFile("notafolder", "x");
    const QByteArray ini =
        "[OtrasConfig]\r\nGBmodos=7\r\n[Joystick]\r\nJoyset=-3\r\nPlayers=9\r\n[OtrasConfig2]\r\nq=500\r\n"
        "[ZipOptions]\r\nNivel=\r\n[Directorios]\r\nRts=" +
        path("notafolder").toUtf8() + "\r\n";
    writeSettings(ini);
    start();
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());
    EXPECT_EQ(readFile("Cartling.ini"), ini);

    const ConfigTemplate &cfg = main().session().configTemplate();
    OtherOptionsDialog &other = *windows().otherOptionsDialog;
    EXPECT_TRUE(control<QRadioButton>(&other, "RadioButton1")->isChecked());
    EXPECT_EQ(cfg.line(28), "");
    EXPECT_EQ(other.options().compression().level, "");
    EXPECT_EQ(control<QComboBox>(&other, "sEdit1")->currentText(), "");

    EXPECT_EQ(control<QComboBox>(windows().joystickTypeDialog.get(), "AHMAutoCombo1")->currentIndex(), -1);
    EXPECT_EQ(cfg.line(9), "-joyset -1");
    EXPECT_TRUE(control<QRadioButton>(windows().controlsDialog.get(), "RadioButton2")->isChecked());
    EXPECT_EQ(cfg.line(11), "-2pj");

    DirectoriesDialog &folders = *windows().directoriesDialog;
    EXPECT_EQ(control<QSpinBox>(&folders, "SpinEdit1")->value(), 100);
    EXPECT_EQ(folders.options().screenshotOptions().quality, 100);
    EXPECT_FALSE(control<QCheckBox>(&folders, "CheckBox1")->isChecked());
    EXPECT_EQ(cfg.line(50), "");
    EXPECT_EQ(readFile("Cartling.ini"), ini);
}

TEST_F(StartupConfiguration, AFolderOptionWhoseFolderIsNotAFolderIsTheOneThingStartupWrites)
{
    writeFile("notafolder", "x");
    const QByteArray before = "[ZipOptions]\r\nNivel=x\r\n[Directorios]\r\nRts=" + path("notafolder").toUtf8() +
                              "\r\n[OtrasConfig2]\r\nRtsdir=1\r\ncomjpg=1\r\n";
    writeSettings(before);
    start();
    QByteArray after = before;
    after.replace("Rtsdir=1", "Rtsdir=0");
    EXPECT_EQ(readFile("Cartling.ini"), after);
    EXPECT_EQ(windows().otherOptionsDialog->options().compression().level, "x");
    EXPECT_EQ(windows().directoriesDialog->picker(DirectoriesOptions::Rts)->text(), path("notafolder"));
    EXPECT_EQ(main().session().configTemplate().line(50), "");
    EXPECT_TRUE(windows().directoriesDialog->options().screenshotOptions().convertToJpeg);
}

TEST_F(StartupConfiguration, TheFourWindowsHoldEveryComponentTheLanguageTextsReach)
{
    start();
    const QList<QWidget *> ours{windows().otherOptionsDialog.get(), windows().joystickTypeDialog.get(),
                                windows().controlsDialog.get(), windows().directoriesDialog.get()};
    QStringList unreached;
    for (const LanguageTable::Target &target : unreachedTargets(ours))
        unreached.append(QString::fromLatin1(target.window) + '/' + QString::fromLatin1(target.component));
    EXPECT_EQ(unreached, QStringList());

    // A language reaches them; the state they show stays.
    QStringList table = LanguageTable::builtin();
    table[64] = "Automatic";
    table[153] = "Screenshots";
    applyLanguage(table, ours);
    EXPECT_EQ(control<QRadioButton>(ours[0], "RadioButton1")->text(), "Automatic");
    EXPECT_TRUE(control<QRadioButton>(ours[0], "RadioButton1")->isChecked());
    EXPECT_EQ(main().session().configTemplate().line(28), "");

    // Escape closes each of them, and so does Enter, which presses "Aceptar".
    for (QWidget *window : ours) {
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Return}) {
            window->show();
            QTest::keyClick(window, key);
            EXPECT_FALSE(window->isVisible()) << qPrintable(window->objectName()) << " " << key;
        }
    }
}

TEST_F(StartupConfiguration, FilingAScreenshotTakesTheDirectoriesDialogsLiveOptions)
{
    makeFolder("emu");
    QImage shot(160, 144, QImage::Format_RGB32);
    shot.fill(Qt::darkGreen);
    ASSERT_TRUE(shot.save(path("emu/ZIBO0000.BMP"), "BMP"));
    writeSettings("[Directorios]\r\nZibod=" + path("emu/").toUtf8() + "\r\n[Configuracion]\r\nshoots=1\r\n");
    start();
    DirectoriesDialog &folders = *windows().directoriesDialog;
    folders.show();
    clickBox(control<QCheckBox>(&folders, "CheckBox3"));
    clickBox(control<QCheckBox>(&folders, "CheckBox4"));
    folders.hide();
    // The file no longer says so; the dialog's ticks are what counts.
    SettingsFile().write(Keys::Comjpg, false);

    clickEntry("Tetris.gb");
    main().screenshots().collectScreenshot();
    main().screenshots().collectScreenshot();
    EXPECT_TRUE(QFile::exists(path("Shoots/Tetris.jpg")));
    EXPECT_FALSE(QFile::exists(path("Shoots/Tetris.bmp")));
}

} // namespace
