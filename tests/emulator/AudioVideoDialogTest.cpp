#include "MainWindowFixture.h"

#include "emulator/AudioVideoDialog.h"
#include "language/LanguageApplier.h"
#include "language/LanguageTable.h"
#include "mainwindow/Windows.h"
#include "platform/Places.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

namespace {

class AudioVideoDialogTest : public BaseFolderTest
{
protected:
    AudioVideoDialog &make()
    {
        m_dialog = std::make_unique<AudioVideoDialog>(m_template, SettingsFile().read(Keys::Dcs));
        return *m_dialog;
    }
    template <typename T> T *find(const char *name) const
    {
        T *control = m_dialog->findChild<T *>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString slot(int n) const { return m_template.line(n); }
    QString recordingLine(const QString &file) const
    {
        return "-logsnd " + QDir::toNativeSeparators(Places::driveRoot() + "sndfiles/" + file) + " ";
    }

    ConfigTemplate m_template;
    std::unique_ptr<AudioVideoDialog> m_dialog;
};

TEST_F(AudioVideoDialogTest, CreationShowsTheClampedValuesAndRunsNoHandler)
{
    const QByteArray ini = "[Sonido]\r\nVolumen=20\r\nTipo=abc\r\nStereo=-1\r\n[Video]\r\nBrillo=-500\r\nColor=9\r\n";
    writeFile("Cartling.ini", ini);
    AudioVideoDialog &dialog = make();
    EXPECT_EQ(dialog.windowTitle(), "Configuracion     Audio / Video");
    EXPECT_EQ(find<QSlider>("TrackBar1")->value(), 15);
    EXPECT_EQ(find<QSlider>("TrackBar2")->value(), -100);
    EXPECT_EQ(find<QLabel>("Label7")->text(), "-100");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo4")->currentText(), "-Sound 1");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo1")->currentText(), "Stereo");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo3")->currentText(), "Estandar");
    EXPECT_EQ(find<QComboBox>("AHMAutoCombo2")->count(), 6);
    EXPECT_EQ(find<QComboBox>("autoc1")->itemText(2), "15 fps");
    EXPECT_FALSE(find<QCheckBox>("AHMCheckbox1")->isChecked());
    EXPECT_EQ(find<QLineEdit>("edit1")->text(), "Nombre");
    EXPECT_FALSE(find<QLineEdit>("edit1")->isEnabled());
    EXPECT_EQ(slot(13), "-vol 15");
    EXPECT_EQ(readFile("Cartling.ini"), ini);
    EXPECT_FALSE(QFileInfo::exists(Places::driveRoot() + "sndfiles")); // the recording handler did not run
    EXPECT_TRUE(unreachedTargets({&dialog}).isEmpty());
}

TEST_F(AudioVideoDialogTest, EveryControlStoresAndWritesItsLineAtOnce)
{
    AudioVideoDialog &dialog = make();
    dialog.show();
    QTest::keyClick(find<QSlider>("TrackBar1"), Qt::Key_Right);
    QTest::keyClick(find<QComboBox>("AHMAutoCombo1"), Qt::Key_Up);
    QTest::keyClick(find<QComboBox>("autoc1"), Qt::Key_Down);
    QTest::keyClick(find<QComboBox>("AHMAutoCombo2"), Qt::Key_Down);
    QTest::keyClick(find<QComboBox>("AHMAutoCombo3"), Qt::Key_End);
    QTest::keyClick(find<QSlider>("TrackBar2"), Qt::Key_Left);
    EXPECT_EQ(slot(13), "-vol 8");
    EXPECT_EQ(slot(12), "-stereo 0");
    EXPECT_EQ(slot(5), "-uperiod 1");
    EXPECT_EQ(slot(14), "-video 1");
    EXPECT_EQ(slot(15), "-dcs 6 #3f3f3f #323232 #2c2c2c #1f1f1f");
    EXPECT_EQ(slot(19), "-wcs 6");
    EXPECT_EQ(slot(23), "-br -1");
    EXPECT_EQ(find<QLabel>("Label7")->text(), "-1");
    EXPECT_EQ(readFile("Cartling.ini"),
              "[Sonido]\r\nVolumen=8\r\nStereo=0\r\n\r\n[Video]\r\nScreen update frequency=1\r\n"
              "Resolucion=1\r\nColor=6\r\ndcs=-dcs 6 #3f3f3f #323232 #2c2c2c #1f1f1f\r\n"
              "Brillo=-1\r\n");

    // No sound greys volume and stereo mode and leaves their lines.
    QTest::keyClick(find<QComboBox>("AHMAutoCombo4"), Qt::Key_Up);
    EXPECT_EQ(slot(4), "-sound 0");
    EXPECT_EQ(slot(13), "-vol 8");
    EXPECT_FALSE(find<QSlider>("TrackBar1")->isEnabled());
    EXPECT_FALSE(find<QComboBox>("AHMAutoCombo1")->isEnabled());

    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(AudioVideoDialogTest, TextTypedIntoTheSoundTypeBoxChoosesOnlyAnEntryItNames)
{
    AudioVideoDialog &dialog = make();
    dialog.show();
    QComboBox *box = find<QComboBox>("AHMAutoCombo4");
    QLineEdit *edit = box->lineEdit();
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, "-sound 3");
    EXPECT_EQ(SettingsFile().read(Keys::Tipo), 3);
    EXPECT_EQ(slot(4), "-sound 3");

    edit->selectAll();
    QTest::keyClicks(edit, "loud");
    emit edit->editingFinished();
    EXPECT_EQ(SettingsFile().read(Keys::Tipo), 3);
    EXPECT_EQ(slot(4), "-sound 3");
    EXPECT_EQ(box->currentText(), "-Sound 3"); // the kept entry comes back once the box is left
}

TEST_F(AudioVideoDialogTest, TheRecordingLineFollowsTheBoxTheNameAndTheLanguageTexts)
{
    AudioVideoDialog &dialog = make();
    dialog.show();
    QCheckBox *record = find<QCheckBox>("AHMCheckbox1");
    QLineEdit *name = find<QLineEdit>("edit1");
    QTest::mouseClick(record, Qt::LeftButton);
    EXPECT_TRUE(name->isEnabled());
    EXPECT_EQ(slot(46), recordingLine("Nombre.snd"));

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
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));
}

// ---- Start-up ----

using AudioVideoStartup = MainWindowTest;

TEST_F(AudioVideoStartup, WithNoSettingsTheTemplateHoldsTheDefaultLinesAndNothingIsStored)
{
    start();
    const ConfigTemplate &t = main().configTemplate();
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

TEST_F(AudioVideoStartup, AStoredPaletteLineReachesTheEmulatorAsStored)
{
    writeSettings("[Video]\r\nColor=5\r\ndcs=-dcs 5 #93f19 #093209 #062506 #001600\r\nBrillo=40\r\n");
    start();
    const ConfigTemplate &t = main().configTemplate();
    EXPECT_EQ(t.line(15), "-dcs 5 #93f19 #093209 #062506 #001600");
    EXPECT_EQ(t.lines().mid(16, 4), (QStringList{"-cs 5", "-bcs 5", "-scs 5", "-wcs 5"}));
    EXPECT_EQ(t.line(20), "-bbr 40");
    EXPECT_EQ(windows().audioVideoDialog->findChild<QComboBox *>("AHMAutoCombo3")->currentIndex(), 5);
}

} // namespace
