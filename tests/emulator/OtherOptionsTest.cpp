#include "OptionsTestSupport.h"

#include "emulator/OtherOptions.h"
#include "emulator/OtherOptionsDialog.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

namespace {

using OtherOptionsRules = OptionsTest;

// ---- Start-up ----

TEST_F(OtherOptionsRules, WithoutSettingsTheDefaultsAndInitialLinesStandAndNothingIsWritten)
{
    const OtherOptions options(m_template);
    EXPECT_EQ(m_template.line(24), "-nodelay");
    EXPECT_EQ(m_template.line(25), "");
    EXPECT_EQ(m_template.line(26), "-nocrc");
    EXPECT_EQ(m_template.line(28), "");
    EXPECT_EQ(m_template.line(29), " ");
    const CompressionOptions compression = options.compression();
    EXPECT_EQ(compression.level, "6");
    EXPECT_TRUE(compression.junkDirectoryNames);
    EXPECT_FALSE(compression.deleteRom);
    EXPECT_FALSE(compression.askName);
    EXPECT_FALSE(options.replaceTitles());
    EXPECT_EQ(options.model(), OtherOptions::Autodetect);
    EXPECT_FALSE(settingsExist());
}

TEST_F(OtherOptionsRules, StoredChoicesComeBackWithTheirLinesAndTheFileIsLeftAsItWas)
{
    const QByteArray ini =
        "[OtrasConfig]\nDelay=1\nDisableSynk=2\nCheckCrc=1\nGBmodos=4\nFondo=1\nFondoF=/pics/bg.bmp\n"
        "SobTituls=1\n[ZipOptions]\nSubdir=0\nDelRom=1\n?=1\nNivel=9\n";
    writeSettings(ini);
    const OtherOptions options(m_template);
    EXPECT_EQ(m_template.line(24), "-delay ");
    EXPECT_EQ(m_template.line(25), "-ifreq 0");
    EXPECT_EQ(m_template.line(26), "-crc");
    EXPECT_EQ(m_template.line(28), "-sgb ");
    EXPECT_EQ(m_template.line(29), "-bg /pics/bg.bmp");
    EXPECT_EQ(options.model(), OtherOptions::ForceSuper);
    const CompressionOptions compression = options.compression();
    EXPECT_EQ(compression.level, "9");
    EXPECT_FALSE(compression.junkDirectoryNames);
    EXPECT_TRUE(compression.deleteRom);
    EXPECT_TRUE(compression.askName);
    EXPECT_TRUE(options.replaceTitles());
    // The handlers that setting the boxes runs store what the file already says: the bytes stay, LF ends too.
    EXPECT_EQ(settings(), ini);
}

TEST_F(OtherOptionsRules, JunkInTheFileStartsCleanly)
{
    writeSettings("[OtrasConfig]\nGBmodos=7\nFondo=1\n[ZipOptions]\nNivel=\n");
    const OtherOptions empty(m_template);
    EXPECT_EQ(empty.model(), OtherOptions::Autodetect);
    EXPECT_EQ(m_template.line(28), "");
    EXPECT_EQ(empty.compression().level, "");
    // The box is on but no picture was ever chosen: the line keeps its initial text.
    EXPECT_TRUE(empty.useBackground());
    EXPECT_EQ(m_template.line(29), "");

    writeSettings("[ZipOptions]\nNivel=x\n[OtrasConfig]\nGBmodos=0x3\n");
    ConfigTemplate other;
    const OtherOptions letter(other);
    EXPECT_EQ(letter.compression().level, "x");
    EXPECT_EQ(other.line(28), "-gb ");
    EXPECT_EQ(settings(), "[ZipOptions]\nNivel=x\n[OtrasConfig]\nGBmodos=0x3\n");
}

// Broke when the handlers run at start-up wrote their unchanged values: a read-only settings file raised an
// error at every start and the emulator lost the lines those handlers write after storing.
TEST_F(OtherOptionsRules, AReadOnlySettingsFileStillGivesEveryLine)
{
    writeSettings("[OtrasConfig]\nDelay=1\nCheckCrc=1\nGBmodos=2\n");
    makeSettingsReadOnly();
    const OtherOptions options(m_template);
    EXPECT_EQ(m_template.line(24), "-delay ");
    EXPECT_EQ(m_template.line(26), "-crc");
    EXPECT_EQ(m_template.line(28), "-cgb ");
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

// ---- Changes ----

TEST_F(OtherOptionsRules, SwitchesStoreThemselvesAndWriteTheirLines)
{
    OtherOptions options(m_template);
    options.setDelayRefresh(true);
    EXPECT_EQ(m_template.line(24), "-delay ");
    options.setDelayRefresh(false);
    // Cleared by a click: the trailing blank form, not the initial line.
    EXPECT_EQ(m_template.line(24), "-nodelay ");
    options.setDisableSync(true);
    EXPECT_EQ(m_template.line(25), "-ifreq 0");
    options.setDisableSync(false);
    EXPECT_EQ(m_template.line(25), " ");
    options.setCheckCrc(true);
    EXPECT_EQ(m_template.line(26), "-crc");

    const SettingsFile file;
    EXPECT_FALSE(file.read(Keys::Delay));
    EXPECT_EQ(file.readString("OtrasConfig", "Delay", "?"), "0");
    EXPECT_EQ(file.readString("OtrasConfig", "DisableSynk", "?"), "0");
    EXPECT_EQ(file.readString("OtrasConfig", "CheckCrc", "?"), "1");
}

TEST_F(OtherOptionsRules, ModelsStoreTheirNumberAndLine)
{
    OtherOptions options(m_template);
    const char *lines[] = {" ", "-cgb ", "-gb ", "-sgb "};
    for (int model : {2, 3, 4, 1}) {
        options.chooseModel(model);
        EXPECT_EQ(m_template.line(28), lines[model - 1]) << model;
        EXPECT_EQ(SettingsFile().read(Keys::GBmodos), model);
    }
    options.chooseModel(5);
    EXPECT_EQ(options.model(), OtherOptions::Autodetect);
}

TEST_F(OtherOptionsRules, CompressionChoicesAreStoredAndReadLive)
{
    OtherOptions options(m_template);
    options.setLevel("");
    options.setLevel("3");
    options.setDeleteRom(true);
    options.setLeaveOutFolders(false);
    options.setAskName(true);
    options.setReplaceTitles(true);
    const CompressionOptions compression = options.compression();
    EXPECT_EQ(compression.level, "3");
    EXPECT_TRUE(compression.deleteRom);
    EXPECT_FALSE(compression.junkDirectoryNames);
    EXPECT_TRUE(compression.askName);
    EXPECT_TRUE(options.replaceTitles());
    EXPECT_EQ(settings(),
              "[ZipOptions]\r\nNivel=3\r\nDelRom=1\r\nSubdir=0\r\n?=1\r\n\r\n[OtrasConfig]\r\nSobTituls=1\r\n");

    // After a restart the stored choices are the live ones, the question mark key included.
    ConfigTemplate again;
    const OtherOptions restarted(again);
    EXPECT_TRUE(restarted.compression().askName);
    EXPECT_EQ(restarted.compression().level, "3");
}

TEST_F(OtherOptionsRules, TheBackgroundLineNeedsTheBoxAndAPicture)
{
    OtherOptions options(m_template);
    // Ticked before any picture: stored, the line left as it was.
    options.setUseBackground(true);
    EXPECT_TRUE(SettingsFile().read(Keys::Fondo));
    EXPECT_EQ(m_template.line(29), " ");
    ASSERT_TRUE(options.choosePicture("/pics/sky.gif"));
    EXPECT_EQ(m_template.line(29), "-bg /pics/sky.gif");
    EXPECT_EQ(SettingsFile().read(Keys::FondoF), "/pics/sky.gif");
    options.setUseBackground(false);
    EXPECT_EQ(m_template.line(29), " ");
    EXPECT_FALSE(SettingsFile().read(Keys::Fondo));

    // Chosen while the box is cleared: the path is kept and the line stays off.
    ASSERT_TRUE(options.choosePicture("/pics/sea.bmp"));
    EXPECT_EQ(m_template.line(29), " ");
    EXPECT_EQ(options.picture(), "/pics/sea.bmp");
    options.setUseBackground(true);
    EXPECT_EQ(m_template.line(29), "-bg /pics/sea.bmp");
}

// A picture under "/home/Дмитрий/" once made the whole Zibo.cfg UTF-8 with a mark.
TEST_F(OtherOptionsRules, APictureThatZiboCfgCannotCarryIsRefusedAndOneStoredIsLeftOut)
{
    const QList<std::pair<QString, QString>> refused = {{"/pics/two\nlines.bmp", "/pics/two lines.bmp"},
                                                        {QString::fromUtf8("/home/Дмитрий/sea.bmp"), "sea.bmp"}};
    for (const auto &[picture, shown] : refused) {
        OtherOptions options(m_template);
        options.setUseBackground(true);
        ASSERT_TRUE(options.choosePicture("/pics/sky.gif"));
        const QByteArray before = settings();
        m_messages.shown.clear();

        EXPECT_FALSE(options.choosePicture(picture));
        ASSERT_EQ(m_messages.shown.size(), 1);
        EXPECT_TRUE(m_messages.shown[0].contains(shown)) << qPrintable(m_messages.shown[0]);
        EXPECT_EQ(options.picture(), "/pics/sky.gif");
        EXPECT_EQ(m_template.line(29), "-bg /pics/sky.gif");
        EXPECT_EQ(settings(), before);

        if (picture.contains(u'\n'))
            continue; // the settings file takes no line break
        SettingsFile().write(Keys::FondoF, picture);
        const OtherOptions stored(m_template);
        EXPECT_TRUE(stored.useBackground());
        EXPECT_EQ(m_template.line(29), " ") << qPrintable(shown);
    }
}

// ---- The dialog ----

class OtherOptionsWindow : public OptionsTest
{
protected:
    template <typename T> T *control(const char *name) const
    {
        T *found = m_dialog->findChild<T *>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void SetUp() override
    {
        OptionsTest::SetUp();
        m_window = std::make_unique<OptionsWindow<OtherOptions, OtherOptionsDialog>>(m_template);
        m_dialog = &m_window->dialog();
        m_dialog->show();
    }
    void TearDown() override
    {
        m_window.reset();
        OptionsTest::TearDown();
    }
    std::unique_ptr<OptionsWindow<OtherOptions, OtherOptionsDialog>> m_window;
    OtherOptionsDialog *m_dialog = nullptr;
};

TEST_F(OtherOptionsWindow, ClicksAndTypingReachTheSettingsAndTheTemplate)
{
    EXPECT_TRUE(control<QCheckBox>("CheckBox5")->isChecked());
    EXPECT_TRUE(control<QRadioButton>("RadioButton1")->isChecked());
    EXPECT_EQ(control<QComboBox>("sEdit1")->currentText(), "6");

    clickBox(control<QCheckBox>("CheckBox1"));
    EXPECT_EQ(m_template.line(24), "-delay ");
    clickBox(control<QRadioButton>("RadioButton3"));
    EXPECT_EQ(m_template.line(28), "-gb ");
    EXPECT_EQ(SettingsFile().read(Keys::GBmodos), 3);
    clickBox(control<QCheckBox>("CheckBox7"));
    EXPECT_TRUE(m_dialog->options().compression().askName);

    QLineEdit *level = control<QComboBox>("sEdit1")->lineEdit();
    level->selectAll();
    QTest::keyClicks(level, "28");
    // One character at most.
    EXPECT_EQ(m_dialog->options().compression().level, "2");
    EXPECT_EQ(SettingsFile().read(Keys::Nivel), "2");
}

TEST_F(OtherOptionsWindow, ThePickerFillsTheReadOnlyPathField)
{
    QString start = "unset";
    m_dialog->setPictureChooser([&](QWidget *, const QString &from) {
        start = from;
        return m_base + "/fondo.bmp";
    });
    QLineEdit *field = control<QLineEdit>("OEdit1");
    EXPECT_TRUE(field->isReadOnly());
    clickBox(control<QCheckBox>("CheckBox6"));
    QTest::mouseClick(control<QToolButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(start, "");
    EXPECT_EQ(field->text(), m_base + "/fondo.bmp");
    EXPECT_EQ(m_template.line(29), "-bg " + m_base + "/fondo.bmp");

    // A cancelled picker changes nothing; the next one starts in the picture's folder.
    m_dialog->setPictureChooser([&](QWidget *, const QString &from) {
        start = from;
        return QString();
    });
    QTest::mouseClick(control<QToolButton>("SpeedButton1"), Qt::LeftButton);
    EXPECT_EQ(start, m_base);
    EXPECT_EQ(field->text(), m_base + "/fondo.bmp");
}

} // namespace
