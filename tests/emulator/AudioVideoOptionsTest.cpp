#include "MainWindowFixture.h"
#include "OptionsTestSupport.h"

#include "emulator/AudioVideoDialog.h"
#include "language/LanguageApplier.h"
#include "language/LanguageTable.h"
#include "mainwindow/Windows.h"
#include "platform/ErrorHandler.h"
#include "platform/Places.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace {

class AudioVideoOptionsTest : public BaseFolderTest
{
protected:
    // A start of the program: the palette line as the main window reads it, then the creation steps.
    AudioVideoDialog &start()
    {
        m_window = std::make_unique<OptionsWindow<AudioVideoOptions, AudioVideoDialog>>(m_template,
                                                                                    SettingsFile().read(Keys::Dcs));
        m_dialog = &m_window->dialog();
        return *m_dialog;
    }
    AudioVideoOptions &options() { return m_dialog->options(); }
    template <typename T> T *find(const char *name) const
    {
        T *control = m_dialog->findChild<T *>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString slot(int n) const { return m_template.line(n); }
    QStringList fourSlots(int first) const { return m_template.lines().mid(first, 4); }
    static QString recordingLine(const QString &file)
    {
        return "-logsnd " + QDir::toNativeSeparators(Places::driveRoot() + "sndfiles/" + file) + " ";
    }

    ConfigTemplate m_template;
    std::unique_ptr<OptionsWindow<AudioVideoOptions, AudioVideoDialog>> m_window;
    AudioVideoDialog *m_dialog = nullptr;
};

// ---- Creation ----

TEST_F(AudioVideoOptionsTest, JunkValuesAreClampedOrReadAsDefaultsAndStayStored)
{
    const QByteArray ini = "[Sonido]\r\nVolumen=20\r\nTipo=abc\r\nStereo=-1\r\n"
                           "[Video]\r\nBrillo=-500\r\nColor=9\r\nResolucion=6\r\nScreen update frequency=0x2\r\n";
    writeFile("Cartling.ini", ini);
    AudioVideoDialog &dialog = start();
    EXPECT_EQ(slot(4), "-sound 1");
    EXPECT_EQ(slot(12), "-stereo 1");
    EXPECT_EQ(slot(13), "-vol 15");
    EXPECT_EQ(slot(5), "-uperiod 2");
    EXPECT_EQ(slot(14), "-video 0");
    EXPECT_EQ(fourSlots(16), QStringList(4, QString()));
    EXPECT_EQ(fourSlots(20), (QStringList{"-bbr -100", "-sbr -100", "-wbr -100", "-br -100"}));
    // The controls show the same, and no handler ran.
    EXPECT_EQ(find<QSlider>("TrackBar1")->value(), 15);
    EXPECT_EQ(find<QLabel>("Label7")->text(), "-100");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo4")->currentText(), "-Sound 1");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo3")->currentText(), "Estandar");
    EXPECT_FALSE(find<QLineEdit>("edit1")->isEnabled());
    EXPECT_EQ(readFile("Cartling.ini"), ini);
    EXPECT_FALSE(QFileInfo::exists(Places::driveRoot() + "sndfiles"));
    EXPECT_TRUE(unreachedTargets({&dialog}).isEmpty());

    // The stored volume stays 20 until the bar is moved.
    options().setVolume(3);
    EXPECT_EQ(SettingsFile().read(Keys::Volumen), 3);
}

TEST_F(AudioVideoOptionsTest, StoredSoundOffBlanksVolumeAndStereoUntilTheyAreTouched)
{
    writeFile("Cartling.ini", "[Sonido]\r\nTipo=0\r\nVolumen=4\r\nStereo=2\r\n");
    start();
    AudioVideoOptions &o = options();
    EXPECT_EQ(slot(4), "-sound 0 "); // with its trailing blank at start-up only
    EXPECT_EQ(slot(12), " ");
    EXPECT_EQ(slot(13), " ");
    EXPECT_FALSE(find<QSlider>("TrackBar1")->isEnabled());

    o.chooseSoundType(1);
    EXPECT_EQ(slot(4), "-sound 1");
    EXPECT_EQ(slot(12), " ");
    EXPECT_EQ(slot(13), " ");
    o.chooseStereoMode(0);
    o.setVolume(9);
    // Choosing no sound leaves the volume and stereo lines as they are.
    o.chooseSoundType(0);
    EXPECT_EQ(slot(4), "-sound 0");
    EXPECT_EQ(slot(12), "-stereo 0");
    EXPECT_EQ(slot(13), "-vol 9");
}

// ---- Changes ----

TEST_F(AudioVideoOptionsTest, EveryControlStoresAndWritesItsLineAtOnce)
{
    AudioVideoDialog &dialog = start();
    dialog.show();
    QTest::keyClick(find<QSlider>("TrackBar1"), Qt::Key_Right);
    QTest::keyClick(find<QComboBox>("AHMAutoCombo1"), Qt::Key_Up);
    QTest::keyClick(find<QComboBox>("autoc1"), Qt::Key_Down);
    QTest::keyClick(find<QComboBox>("AHMAutoCombo2"), Qt::Key_Down);
    for (int step = 0; step < 37; ++step)
        QTest::keyClick(find<QSlider>("TrackBar2"), Qt::Key_Left);
    EXPECT_EQ(slot(13), "-vol 8");
    EXPECT_EQ(slot(12), "-stereo 0");
    EXPECT_EQ(slot(5), "-uperiod 1");
    EXPECT_EQ(slot(14), "-video 1");
    EXPECT_EQ(fourSlots(20), (QStringList{"-bbr -37", "-sbr -37", "-wbr -37", "-br -37"}));
    EXPECT_EQ(find<QLabel>("Label7")->text(), "-37");
    EXPECT_EQ(readFile("Cartling.ini"), "[Sonido]\r\nVolumen=8\r\nStereo=0\r\n\r\n[Video]\r\n"
                                        "Screen update frequency=1\r\nResolucion=1\r\nBrillo=-37\r\n");

    // No sound greys volume and stereo mode and leaves their lines.
    QTest::keyClick(find<QComboBox>("AHMAutoCombo4"), Qt::Key_Up);
    EXPECT_EQ(slot(4), "-sound 0");
    EXPECT_EQ(slot(13), "-vol 8");
    EXPECT_FALSE(find<QSlider>("TrackBar1")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("AHMAutoCombo1")->isEnabled());

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(AudioVideoOptionsTest, TextTypedIntoTheSoundTypeBoxChoosesOnlyAnEntryItNames)
{
    start().show();
    QComboBox *box = find<QComboBox>("AHMAutoCombo4");
    QLineEdit *edit = box->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "-sound 3");
    EXPECT_EQ(slot(4), "-sound 3");
    const QByteArray stored = readFile("Cartling.ini");
    EXPECT_EQ(stored, "[Sonido]\r\nTipo=3\r\n");

    edit->selectAll();
    QTest::keyClicks(edit, "loud");
    emit edit->editingFinished();
    EXPECT_EQ(slot(4), "-sound 3");
    EXPECT_EQ(readFile("Cartling.ini"), stored);
    EXPECT_EQ(box->currentText(), "-Sound 3"); // the kept entry comes back once the box is left
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
    start();
    options().chooseColourScheme(scheme.index);
    const QString k = QString::number(scheme.index);
    const QStringList colours{"-cs " + k, "-bcs " + k, "-scs " + k, "-wcs " + k};
    EXPECT_EQ(slot(15), scheme.palette);
    EXPECT_EQ(fourSlots(16), scheme.index == 0 ? QStringList(4, " ") : colours);
    EXPECT_EQ(readFile("Cartling.ini"),
              "[Video]\r\nColor=" + k.toLatin1() + "\r\ndcs=" + QByteArray(scheme.palette) + "\r\n");

    // The next start gives the emulator the stored palette line back; the standard scheme leaves the colour
    // lines empty then.
    m_template = ConfigTemplate();
    start();
    EXPECT_EQ(slot(15), scheme.palette);
    EXPECT_EQ(fourSlots(16), scheme.index == 0 ? QStringList(4, QString()) : colours);
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo3")->currentIndex(), scheme.index);
}

INSTANTIATE_TEST_SUITE_P(AllSeven, ColourSchemeTest,
                         ::testing::Values(Scheme{0, " "}, Scheme{1, "-dcs 1 #37372D #323228 #2D2D23 #28281E"},
                                           Scheme{2, "-dcs 2 #1C3B3F #12283F #0F1938 #06061F"},
                                           Scheme{3, "-dcs 3 #3f1212 #320c0c #250606 #1f0606"},
                                           Scheme{4, "-dcs 4 #3f3819 #382512 #25190c #191200"},
                                           Scheme{5, "-dcs 5 #93f19 #093209 #062506 #001600"},
                                           Scheme{6, "-dcs 6 #3f3f3f #323232 #2c2c2c #1f1f1f"}));

TEST_F(AudioVideoOptionsTest, EveryControlHasAPlaceOfItsOwn)
{
    AudioVideoDialog &dialog = start();
    dialog.show();
    EXPECT_EQ(overlappingControls(dialog), QStringList());
}

TEST_F(AudioVideoOptionsTest, ARefusedWriteRaisesTheSettingsErrorAndLeavesTheLines)
{
    writeFile("Cartling.ini", "[Sonido]\r\nStereo=2\r\n");
    start();
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner);
    try {
        options().chooseStereoMode(0);
        ADD_FAILURE() << "no error raised";
    } catch (const CartlingError &error) {
        EXPECT_TRUE(error.text().startsWith("Unable to write to")) << qPrintable(error.text());
    }
    EXPECT_EQ(slot(12), "-stereo 2");
    EXPECT_THROW(options().chooseColourScheme(3), CartlingError);
    EXPECT_EQ(slot(15), ";xxxxx");
    EXPECT_EQ(fourSlots(16), QStringList(4, QString()));
}

// ---- Recording ----

TEST_F(AudioVideoOptionsTest, TheRecordingLineFollowsTheBoxTheNameAndTheLanguageTexts)
{
    AudioVideoDialog &dialog = start();
    dialog.show();
    QCheckBox *record = find<QCheckBox>("AHMCheckbox1");
    QLineEdit *name = find<QLineEdit>("edit1");
    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_EQ(slot(46), recordingLine("Nombre.snd"));
    EXPECT_TRUE(QFileInfo(Places::driveRoot() + "sndfiles").isDir());

    name->selectAll();
    QTest::keyClicks(name, "a/b c:defghij");
    EXPECT_EQ(name->text(), "a/b c:de");
    EXPECT_EQ(slot(46), recordingLine("a_b_c_de.snd"));

    QStringList table = LanguageTable::builtin();
    table[49] = "mi voz";
    applyLanguage(table, {&dialog});
    EXPECT_EQ(slot(46), recordingLine("mi_voz.snd"));

    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_FALSE(name->isEnabled());
    EXPECT_EQ(slot(46), "");
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini"))); // recording is never stored
}

// Broke when the name went into the line as typed: "../x" made the emulator record outside its folder, and
// "łódź" made Zibo.cfg UTF-8.
TEST_F(AudioVideoOptionsTest, ARecordingNameNeverLeavesTheRecordingFolderNorWindows1252)
{
    EXPECT_EQ(AudioVideoOptions::recordingFileName(QString::fromUtf8("łódź")), QString::fromUtf8("_ód_"));
    EXPECT_EQ(AudioVideoOptions::recordingFileName(QString::fromUtf8("a😀b")), "a_b");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("../x"), ".._x");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("..\\..\\x"), ".._.._x");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("a:b*c?d"), "a_b_c_d");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("<\"|>\t"), "_____");
    EXPECT_EQ(AudioVideoOptions::recordingFileName("muy largo nombre"), "muy_larg");
    EXPECT_EQ(AudioVideoOptions::recordingFileName(QString::fromUtf8("canción")), QString::fromUtf8("canción"));
}

// ---- Start-up ----

using AudioVideoStartup = MainWindowTest;

TEST_F(AudioVideoStartup, WithNoSettingsTheTemplateHoldsTheDefaultLinesAndNothingIsStored)
{
    start();
    const ConfigTemplate &t = main().session().configTemplate();
    EXPECT_EQ(t.line(4), "-sound 1");
    EXPECT_EQ(t.line(5), "-uperiod 0");
    EXPECT_EQ(t.line(12), "-stereo 1");
    EXPECT_EQ(t.line(13), "-vol 7");
    EXPECT_EQ(t.line(14), "-video 0");
    EXPECT_EQ(t.line(15), ";xxxxx");
    EXPECT_EQ(t.lines().mid(16, 4), QStringList(4, QString()));
    EXPECT_EQ(t.lines().mid(20, 4), (QStringList{"-bbr 0", "-sbr 0", "-wbr 0", "-br 0"}));
    EXPECT_EQ(t.line(46), "");
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

} // namespace
