#include "TestSupport.h"

#include "emulator/AudioVideoOptions.h"
#include "emulator/ConfigTemplate.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

class AudioVideoOptionsTest : public BaseFolderTest
{
protected:
    // A start of the program: the palette line as the main window reads it, then the creation steps.
    AudioVideoOptions &start()
    {
        m_options = std::make_unique<AudioVideoOptions>(m_template, SettingsFile().read(Keys::Dcs));
        m_options->load();
        return *m_options;
    }
    QString slot(int n) const { return m_template.line(n); }
    QStringList colourSlots() const { return m_template.lines().mid(16, 4); }
    QStringList brightnessSlots() const { return m_template.lines().mid(20, 4); }
    static QString native(const QString &path) { return QDir::toNativeSeparators(path); }

    ConfigTemplate m_template;
    std::unique_ptr<AudioVideoOptions> m_options;
};

// ---- Creation ----

TEST_F(AudioVideoOptionsTest, WithNoSettingsTheDefaultLinesAreWrittenAndNothingIsStored)
{
    AudioVideoOptions &o = start();
    EXPECT_EQ(slot(4), "-sound 1");
    EXPECT_EQ(slot(5), "-uperiod 0");
    EXPECT_EQ(slot(12), "-stereo 1");
    EXPECT_EQ(slot(13), "-vol 7");
    EXPECT_EQ(slot(14), "-video 0");
    EXPECT_EQ(slot(15), ";xxxxx"); // no palette line stored yet
    EXPECT_EQ(colourSlots(), QStringList(4, QString()));
    EXPECT_EQ(brightnessSlots(), (QStringList{"-bbr 0", "-sbr 0", "-wbr 0", "-br 0"}));
    EXPECT_EQ(slot(46), "");
    EXPECT_TRUE(o.soundEnabled());
    EXPECT_FALSE(o.recording());
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));
    EXPECT_FALSE(QFileInfo::exists(AudioVideoOptions::recordingFolder()));
}

TEST_F(AudioVideoOptionsTest, JunkValuesAreClampedOrReadAsDefaultsAndStayStored)
{
    const QByteArray ini = "[Sonido]\r\nVolumen=20\r\nTipo=abc\r\nStereo=-1\r\n"
                           "[Video]\r\nBrillo=-500\r\nColor=9\r\nResolucion=6\r\nScreen update frequency=0x2\r\n";
    writeFile("Cartling.ini", ini);
    AudioVideoOptions &o = start();
    EXPECT_EQ(o.volume(), 15);
    EXPECT_EQ(slot(13), "-vol 15");
    EXPECT_EQ(o.brightness(), -100);
    EXPECT_EQ(brightnessSlots(), (QStringList{"-bbr -100", "-sbr -100", "-wbr -100", "-br -100"}));
    EXPECT_EQ(o.soundType(), 1);
    EXPECT_EQ(slot(4), "-sound 1");
    EXPECT_EQ(o.stereoMode(), 1);
    EXPECT_EQ(slot(12), "-stereo 1");
    EXPECT_EQ(o.colourScheme(), 0);
    EXPECT_EQ(colourSlots(), QStringList(4, QString()));
    EXPECT_EQ(o.resolution(), 0);
    EXPECT_EQ(slot(14), "-video 0");
    EXPECT_EQ(o.updateFrequency(), 2);
    EXPECT_EQ(slot(5), "-uperiod 2");
    EXPECT_EQ(readFile("Cartling.ini"), ini);

    // The stored volume stays 20 until the bar is moved.
    o.setVolume(3);
    EXPECT_EQ(SettingsFile().read(Keys::Volumen), 3);
}

TEST_F(AudioVideoOptionsTest, StoredSoundOffBlanksVolumeAndStereoUntilTheyAreTouched)
{
    writeFile("Cartling.ini", "[Sonido]\r\nTipo=0\r\nVolumen=4\r\nStereo=2\r\n");
    AudioVideoOptions &o = start();
    EXPECT_EQ(slot(4), "-sound 0 "); // with its trailing blank at start-up only
    EXPECT_EQ(slot(12), " ");
    EXPECT_EQ(slot(13), " ");
    EXPECT_FALSE(o.soundEnabled());

    o.chooseSoundType(1);
    EXPECT_EQ(slot(4), "-sound 1");
    EXPECT_EQ(slot(12), " ");
    EXPECT_EQ(slot(13), " ");
    EXPECT_TRUE(o.soundEnabled());
    o.chooseStereoMode(0);
    EXPECT_EQ(slot(12), "-stereo 0");
    o.setVolume(9);
    EXPECT_EQ(slot(13), "-vol 9");

    // Choosing no sound leaves the volume and stereo lines as they are.
    o.chooseSoundType(0);
    EXPECT_EQ(slot(4), "-sound 0");
    EXPECT_EQ(slot(12), "-stereo 0");
    EXPECT_EQ(slot(13), "-vol 9");
    EXPECT_FALSE(o.soundEnabled());
    const SettingsFile settings;
    EXPECT_EQ(settings.read(Keys::Tipo), 0);
    EXPECT_EQ(settings.read(Keys::Stereo), 0);
    EXPECT_EQ(settings.read(Keys::Volumen), 9);
}

// ---- Changes ----

TEST_F(AudioVideoOptionsTest, EachListAndBarStoresItsKeyAndRewritesItsLine)
{
    AudioVideoOptions &o = start();
    o.chooseUpdateFrequency(1);
    o.chooseResolution(5);
    o.setBrightness(-37);
    o.setVolume(99); // a bar never goes beyond its range
    EXPECT_EQ(slot(5), "-uperiod 1");
    EXPECT_EQ(slot(14), "-video 5");
    EXPECT_EQ(brightnessSlots(), (QStringList{"-bbr -37", "-sbr -37", "-wbr -37", "-br -37"}));
    EXPECT_EQ(slot(13), "-vol 15");
    EXPECT_EQ(readFile("Cartling.ini"), "[Video]\r\nScreen update frequency=1\r\nResolucion=5\r\nBrillo=-37\r\n"
                                        "\r\n[Sonido]\r\nVolumen=15\r\n");

    // An index outside its list changes nothing.
    o.chooseResolution(6);
    o.chooseUpdateFrequency(-1);
    EXPECT_EQ(slot(14), "-video 5");
    EXPECT_EQ(SettingsFile().read(Keys::Resolucion), 5);
}

TEST_F(AudioVideoOptionsTest, TypedSoundTypeTextThatNamesNoEntryKeepsTheLastOneAndStoresNothing)
{
    AudioVideoOptions &o = start();
    EXPECT_TRUE(o.typeSoundType("-sound 3"));
    EXPECT_EQ(o.soundType(), 3);
    EXPECT_EQ(slot(4), "-sound 3");
    const QByteArray stored = readFile("Cartling.ini");
    EXPECT_EQ(stored, "[Sonido]\r\nTipo=3\r\n");

    EXPECT_FALSE(o.typeSoundType("-Sound"));
    EXPECT_FALSE(o.typeSoundType("loud"));
    EXPECT_EQ(o.soundType(), 3);
    EXPECT_EQ(slot(4), "-sound 3");
    EXPECT_EQ(readFile("Cartling.ini"), stored);

    EXPECT_TRUE(o.typeSoundType(" NO SOUND "));
    EXPECT_EQ(o.soundType(), 0);
    EXPECT_FALSE(o.soundEnabled());
}

struct Scheme
{
    int index;
    const char *palette;
};

class ColourSchemeTest : public AudioVideoOptionsTest, public ::testing::WithParamInterface<Scheme>
{
};

TEST_P(ColourSchemeTest, WritesItsPaletteLineByteForByteAndItsIndexToTheColourLines)
{
    const Scheme scheme = GetParam();
    start().chooseColourScheme(scheme.index);
    const QString k = QString::number(scheme.index);
    const QStringList colours{"-cs " + k, "-bcs " + k, "-scs " + k, "-wcs " + k};
    EXPECT_EQ(slot(15), scheme.palette);
    EXPECT_EQ(colourSlots(), scheme.index == 0 ? QStringList(4, " ") : colours);
    EXPECT_EQ(readFile("Cartling.ini"),
              "[Video]\r\nColor=" + k.toLatin1() + "\r\ndcs=" + QByteArray(scheme.palette) + "\r\n");

    // The next start gives the emulator the stored palette line back; the colour lines of the standard
    // scheme stay empty then.
    m_template = ConfigTemplate();
    start();
    EXPECT_EQ(slot(15), scheme.palette);
    EXPECT_EQ(colourSlots(), scheme.index == 0 ? QStringList(4, QString()) : colours);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, ColourSchemeTest,
                         ::testing::Values(Scheme{0, " "}, Scheme{1, "-dcs 1 #37372D #323228 #2D2D23 #28281E"},
                                           Scheme{2, "-dcs 2 #1C3B3F #12283F #0F1938 #06061F"},
                                           Scheme{3, "-dcs 3 #3f1212 #320c0c #250606 #1f0606"},
                                           Scheme{4, "-dcs 4 #3f3819 #382512 #25190c #191200"},
                                           Scheme{5, "-dcs 5 #93f19 #093209 #062506 #001600"},
                                           Scheme{6, "-dcs 6 #3f3f3f #323232 #2c2c2c #1f1f1f"}));

TEST_F(AudioVideoOptionsTest, ARefusedWriteRaisesTheSettingsErrorAndLeavesTheLine)
{
    writeFile("Cartling.ini", "[Sonido]\r\nStereo=2\r\n");
    AudioVideoOptions &o = start();
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner);
    try {
        o.chooseStereoMode(0);
        ADD_FAILURE() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().startsWith("Unable to write to")) << qPrintable(error.text());
    }
    EXPECT_EQ(slot(12), "-stereo 2");
    EXPECT_THROW(o.chooseColourScheme(3), CartlingError);
    EXPECT_EQ(slot(15), ";xxxxx");
    EXPECT_EQ(colourSlots(), QStringList(4, QString()));
}

// ---- Recording ----

TEST_F(AudioVideoOptionsTest, RecordingWritesItsLineWithBlanksAsUnderscoresAndMakesTheFolder)
{
    AudioVideoOptions &o = start();
    const QString folder = Places::driveRoot() + "sndfiles";
    o.setRecordingName("mi voz");
    EXPECT_EQ(slot(46), "");
    EXPECT_TRUE(QFileInfo(folder).isDir()); // made on any change, ticked or not

    o.setRecording(true);
    EXPECT_EQ(slot(46), "-logsnd " + native(folder + "/mi_voz.snd") + " ");
    o.setRecordingName("Nombre");
    EXPECT_EQ(slot(46), "-logsnd " + native(folder + "/Nombre.snd") + " ");
    o.setRecording(false);
    EXPECT_EQ(slot(46), "");
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini"))); // recording is never stored
}

// Broke when the name went into the line as typed: "../x" made the emulator record outside its folder.
TEST_F(AudioVideoOptionsTest, ARecordingNameNeverLeavesTheRecordingFolder)
{
    EXPECT_EQ(AudioVideoOptions::recordingFileName("../x"), ".._x");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("..\\..\\x"), ".._.._x");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("a:b*c?d"), "a_b_c_d");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("<\"|>\t"), "_____");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("muy largo nombre"), "muy_larg");
    EXPECT_EQ(AudioVideoOptions::recordingFileName(QString::fromUtf8("canción")), QString::fromUtf8("canción"));
}

TEST_F(AudioVideoOptionsTest, ADriveRootThatTakesNoFolderStillGetsTheLine)
{
    // A file where the folder should be: the folder cannot be made, and nothing is said.
    writeFile("drive-file", "x");
    qputenv("CARTLING_DRIVE_ROOT", QFile::encodeName(path("drive-file")));
    AudioVideoOptions &o = start();
    o.setRecording(true);
    EXPECT_TRUE(slot(46).startsWith("-logsnd "));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

} // namespace
