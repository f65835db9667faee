#include "OptionsTestSupport.h"

#include "emulator/DirectoriesDialog.h"
#include "emulator/DirectoriesOptions.h"
#include "emulator/FolderPicker.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

namespace {

using DirectoriesRules = OptionsTest;

QString folderLine(const char *option, const QString &folder)
{
    return QLatin1String(option) + QDir::toNativeSeparators(folder) + QDir::separator();
}

// ---- Start-up ----

TEST_F(DirectoriesRules, WithoutSettingsBothFoldersAreOffAndTheScreenshotOptionsAtTheirDefaults)
{
    const DirectoriesOptions options(m_template);
    EXPECT_EQ(m_template.line(50), "");
    EXPECT_EQ(m_template.line(51), "");
    const ScreenshotOptions shots = options.screenshotOptions();
    EXPECT_FALSE(shots.convertToJpeg);
    EXPECT_FALSE(shots.deleteBitmap);
    EXPECT_EQ(shots.quality, 75);
    EXPECT_FALSE(options.deleteBitmapsEnabled());
    EXPECT_FALSE(settingsExist());
}

TEST_F(DirectoriesRules, StoredFoldersReachTheEmulatorWithOneSeparatorAdded)
{
    makeFolder("rts");
    makeFolder("save");
    const QByteArray ini = "[Directorios]\nRts=" + path("rts").toUtf8() + "\nSave=" + path("save/").toUtf8() +
                           "\n[OtrasConfig2]\nrtsdir=1\nSAVEDIR=1\ncomjpg=1\nbbmp=1\nq=0x10\n";
    writeSettings(ini);
    const DirectoriesOptions options(m_template);
    EXPECT_EQ(m_template.line(50), folderLine("-rtsdir ", path("rts")));
    // A folder text that ends in a separator gets one more.
    EXPECT_EQ(m_template.line(51), folderLine("-savdir ", path("save/")));
    EXPECT_TRUE(options.screenshotOptions().convertToJpeg);
    EXPECT_TRUE(options.screenshotOptions().deleteBitmap);
    EXPECT_TRUE(options.deleteBitmapsEnabled());
    EXPECT_EQ(options.screenshotOptions().quality, 16);
    EXPECT_EQ(settings(), ini);
}

TEST_F(DirectoriesRules, AFolderThatIsGoneOrIsAFileSwitchesItsOptionOffAndThatIsStored)
{
    makeFolder("rts");
    writeFile("save.txt", "not a folder");
    writeSettings("[Directorios]\nRts=" + path("rts").toUtf8() + "\nSave=" + path("save.txt").toUtf8() +
                  "\n[OtrasConfig2]\nRtsdir=1\nSavedir=1\n");
    QDir(path("rts")).removeRecursively();
    const DirectoriesOptions options(m_template);
    EXPECT_FALSE(options.folderOption(DirectoriesOptions::Rts));
    EXPECT_FALSE(options.folderOption(DirectoriesOptions::Save));
    EXPECT_EQ(m_template.line(50), "");
    EXPECT_EQ(m_template.line(51), "");
    EXPECT_EQ(settings(), "[Directorios]\r\nRts=" + path("rts").toUtf8() + "\r\nSave=" + path("save.txt").toUtf8() +
                              "\r\n[OtrasConfig2]\r\nRtsdir=0\r\nSavedir=0\r\n");
    // The picker still shows the stored text.
    EXPECT_EQ(options.folderText(DirectoriesOptions::Rts), path("rts"));
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

TEST_F(DirectoriesRules, AReadOnlySettingsFileReportsTheSwitchOffAndStartsOn)
{
    writeSettings("[OtrasConfig2]\nRtsdir=1\n");
    makeSettingsReadOnly();
    const DirectoriesOptions options(m_template);
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors[0].startsWith("Unable to write to"));
    EXPECT_FALSE(options.folderOption(DirectoriesOptions::Rts));
    EXPECT_EQ(m_template.line(50), "");
}

TEST_F(DirectoriesRules, QualityOutsideItsRangeIsHeldToItAndNotStored)
{
    const std::pair<const char *, int> cases[] = {{"500", 100}, {"0", 1}, {"-7", 1}, {"abc", 75}, {"100", 100}};
    for (const auto &[stored, shown] : cases) {
        const QByteArray ini = QByteArray("[OtrasConfig2]\nq=") + stored + "\n";
        writeSettings(ini);
        ConfigTemplate restarted;
        EXPECT_EQ(DirectoriesOptions(restarted).screenshotOptions().quality, shown) << stored;
        EXPECT_EQ(settings(), ini);
    }
}

// Start-up's own rule: "delete bitmaps" without JPEG is cleared, and its handler stores that.
TEST_F(DirectoriesRules, DeleteBitmapsWithoutJpegIsClearedAtStart)
{
    writeSettings("[OtrasConfig2]\nbbmp=1\n");
    const DirectoriesOptions options(m_template);
    EXPECT_FALSE(options.screenshotOptions().deleteBitmap);
    EXPECT_FALSE(options.deleteBitmapsEnabled());
    EXPECT_EQ(settings(), "[OtrasConfig2]\r\nbbmp=0\r\n");
}

// ---- Changes ----

TEST_F(DirectoriesRules, APickedFolderIsStoredButReachesTheSlotOnlyAtTheNextClick)
{
    makeFolder("old");
    makeFolder("new");
    writeSettings("[Directorios]\nSave=" + path("old").toUtf8() + "\n[OtrasConfig2]\nSavedir=1\n");
    DirectoriesOptions options(m_template);
    ASSERT_TRUE(options.pickFolder(DirectoriesOptions::Save, path("new")));
    EXPECT_EQ(SettingsFile().read(Keys::Save), path("new"));
    EXPECT_EQ(m_template.line(51), folderLine("-savdir ", path("old")));
    options.setFolderOption(DirectoriesOptions::Save, false);
    EXPECT_EQ(m_template.line(51), "");
    options.setFolderOption(DirectoriesOptions::Save, true);
    EXPECT_EQ(m_template.line(51), folderLine("-savdir ", path("new")));
    EXPECT_TRUE(SettingsFile().read(Keys::Savedir));

    // After a restart the stored folder is the one given.
    ConfigTemplate restarted;
    DirectoriesOptions again(restarted);
    EXPECT_EQ(restarted.line(51), folderLine("-savdir ", path("new")));
}

TEST_F(DirectoriesRules, OnlyAFolderThatExistsIsStoredButATypedOneIsUsedAtTheClick)
{
    DirectoriesOptions options(m_template);
    ASSERT_TRUE(options.pickFolder(DirectoriesOptions::Rts, path("missing")));
    EXPECT_FALSE(settingsExist());
    options.setFolderText(DirectoriesOptions::Rts, "/typed/by/hand");
    EXPECT_FALSE(settingsExist());
    options.setFolderOption(DirectoriesOptions::Rts, true);
    EXPECT_EQ(m_template.line(50), folderLine("-rtsdir ", "/typed/by/hand"));
    EXPECT_EQ(SettingsFile().read(Keys::Rts), "");

    // Showing the dialog puts the stored folder back into the picker.
    options.reloadFolders();
    EXPECT_EQ(options.folderText(DirectoriesOptions::Rts), "");
}

// A folder named "Дмитрий" once made the whole Zibo.cfg UTF-8 with a mark.
TEST_F(DirectoriesRules, AFolderThatZiboCfgCannotCarryIsRefusedAndOneStoredIsLeftOut)
{
    for (const QString name : {QStringLiteral("two\nlines"), QString::fromUtf8("Дмитрий")}) {
        ASSERT_TRUE(QDir().mkpath(path(name)));
        m_messages.shown.clear();
        DirectoriesOptions options(m_template);
        options.setFolderOption(DirectoriesOptions::Rts, true);
        EXPECT_FALSE(options.pickFolder(DirectoriesOptions::Rts, path(name)));
        ASSERT_EQ(m_messages.shown.size(), 1);
        EXPECT_EQ(options.folderText(DirectoriesOptions::Rts), "");
        EXPECT_EQ(SettingsFile().read(Keys::Rts), "");

        if (name.contains(u'\n'))
            continue; // the settings file takes no line break
        SettingsFile().write(Keys::Rts, path(name));
        const DirectoriesOptions stored(m_template);
        EXPECT_TRUE(stored.folderOption(DirectoriesOptions::Rts));
        EXPECT_EQ(m_template.line(50), "") << qPrintable(name);
        SettingsFile().write(Keys::Rts, QString());
    }
}

TEST_F(DirectoriesRules, ClearingJpegClearsAndGreysDeleteBitmaps)
{
    DirectoriesOptions options(m_template);
    options.setJpeg(true);
    EXPECT_TRUE(options.deleteBitmapsEnabled());
    options.setDeleteBitmaps(true);
    options.setQuality(90);
    EXPECT_EQ(settings(), "[OtrasConfig2]\r\ncomjpg=1\r\nbbmp=1\r\nq=90\r\n");
    options.setJpeg(false);
    EXPECT_FALSE(options.deleteBitmapsEnabled());
    EXPECT_FALSE(options.screenshotOptions().deleteBitmap);
    EXPECT_EQ(settings(), "[OtrasConfig2]\r\ncomjpg=0\r\nbbmp=0\r\nq=90\r\n");
    // The slots of the folders are not the screenshot options' business.
    EXPECT_EQ(m_template.line(50), "");
}

// ---- The dialog ----

TEST_F(DirectoriesRules, TheDialogWiresBoxesPickersAndTheQualityBox)
{
    makeFolder("rts");
    OptionsWindow<DirectoriesOptions, DirectoriesDialog> window(m_template);
    DirectoriesDialog &dialog = window.dialog();
    dialog.show();
    FolderPicker *rts = dialog.picker(DirectoriesOptions::Rts);
    ASSERT_EQ(rts, dialog.findChild<FolderPicker *>("dir1"));
    QString caption;
    rts->setChooser([&](QWidget *, const QString &title, const QString &) {
        caption = title;
        return path("rts");
    });
    QTest::mouseClick(rts->browseButton(), Qt::LeftButton);
    EXPECT_EQ(caption, "Rtsdir");
    EXPECT_EQ(rts->text(), path("rts"));
    EXPECT_EQ(SettingsFile().read(Keys::Rts), path("rts"));
    clickBox(dialog.findChild<QCheckBox *>("CheckBox1"));
    EXPECT_EQ(m_template.line(50), folderLine("-rtsdir ", path("rts")));

    auto *deleteBitmaps = dialog.findChild<QCheckBox *>("CheckBox4");
    EXPECT_FALSE(deleteBitmaps->isEnabled());
    clickBox(dialog.findChild<QCheckBox *>("CheckBox3"));
    EXPECT_TRUE(deleteBitmaps->isEnabled());
    clickBox(deleteBitmaps);
    clickBox(dialog.findChild<QCheckBox *>("CheckBox3"));
    EXPECT_FALSE(deleteBitmaps->isChecked());
    EXPECT_FALSE(deleteBitmaps->isEnabled());

    auto *quality = dialog.findChild<QSpinBox *>("SpinEdit1");
    EXPECT_EQ(quality->value(), 75);
    quality->setFocus();
    QTest::keyClick(quality, Qt::Key_Up);
    EXPECT_EQ(dialog.options().screenshotOptions().quality, 76);
    EXPECT_EQ(SettingsFile().read(Keys::Quality), 76);

    // Showing the dialog again reloads the pickers from the settings file.
    SettingsFile().write(Keys::Save, "/elsewhere");
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.picker(DirectoriesOptions::Save)->text(), "/elsewhere");
}

} // namespace
