#include "OptionsTestSupport.h"

#include "emulator/ControlsDialog.h"
#include "emulator/ControlsOptions.h"
#include "emulator/JoystickTypeDialog.h"
#include "emulator/JoystickTypeOptions.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTest>

namespace {

using JoystickRules = OptionsTest;

TEST_F(JoystickRules, WithoutSettingsTheEmulatorGetsTheKeyboardFirstNoJoystickAndNoType)
{
    const ControlsOptions controls(m_template);
    const JoystickTypeOptions type(m_template);
    EXPECT_EQ(m_template.line(11), "-2pj");
    EXPECT_EQ(m_template.line(10), "");
    EXPECT_EQ(m_template.line(9), " ");
    EXPECT_EQ(controls.players(), ControlsOptions::KeyboardFirst);
    EXPECT_EQ(type.type(), JoystickTypeOptions::OtherType);
    EXPECT_FALSE(settingsExist());
}

TEST_F(JoystickRules, ThePlayerChoiceAndJoystickUseComeBackAfterARestart)
{
    {
        ControlsOptions controls(m_template);
        controls.choosePlayers(ControlsOptions::JoystickFirst);
        EXPECT_EQ(m_template.line(11), "-2pk");
        controls.setUseJoystick(true);
        EXPECT_EQ(m_template.line(10), "-exjoy");
        controls.setUseJoystick(false);
        // Cleared by a click: one blank, not an empty line.
        EXPECT_EQ(m_template.line(10), " ");
        controls.setUseJoystick(true);
    }
    const QByteArray stored = settings();
    EXPECT_EQ(SettingsFile().read(Keys::Players), 2);

    ConfigTemplate restarted;
    const ControlsOptions controls(restarted);
    EXPECT_EQ(controls.players(), ControlsOptions::JoystickFirst);
    EXPECT_TRUE(controls.useJoystick());
    EXPECT_EQ(restarted.line(11), "-2pk");
    EXPECT_EQ(restarted.line(10), "-exjoy");
    EXPECT_EQ(settings(), stored);
}

TEST_F(JoystickRules, StoredPlayerValuesOtherThanOneAndTwoLeaveTheDesignChoice)
{
    for (const char *value : {"0", "9", "-1", "abc"}) {
        writeSettings(QByteArray("[Joystick]\nPlayers=") + value + "\n");
        ConfigTemplate restarted;
        const ControlsOptions controls(restarted);
        EXPECT_EQ(controls.players(), ControlsOptions::KeyboardFirst) << value;
        EXPECT_EQ(restarted.line(11), "-2pj") << value;
        EXPECT_EQ(settings(), QByteArray("[Joystick]\nPlayers=") + value + "\n");
    }
}

TEST_F(JoystickRules, JoystickTypesGiveTheirNumberAndOtherTypeGivesABlank)
{
    JoystickTypeOptions type(m_template);
    type.chooseType(3);
    EXPECT_EQ(m_template.line(9), "-joyset 3");
    EXPECT_EQ(SettingsFile().read(Keys::Joyset), 3);
    type.chooseType(JoystickTypeOptions::OtherType);
    EXPECT_EQ(m_template.line(9), " ");
    EXPECT_EQ(SettingsFile().readString("Joystick", "Joyset", ""), "7");

    writeSettings("[Joystick]\nJoyset=0\n");
    ConfigTemplate restarted;
    EXPECT_EQ(JoystickTypeOptions(restarted).type(), 0);
    EXPECT_EQ(restarted.line(9), "-joyset 0");
}

// The first type in the list is a type like the others; a number outside the list is no choice and leaves the
// line and the stored type as they were.
TEST_F(JoystickRules, EveryTypeOfTheListCanBeChosenAndNothingOutsideIt)
{
    const struct
    {
        int index;
        QString line;
        int stored;
    } cases[] = {{0, "-joyset 0", 0}, {6, "-joyset 6", 6}, {-1, "-joyset 2", 2}, {8, "-joyset 2", 2}};
    for (const auto &c : cases) {
        writeSettings("[Joystick]\nJoyset=2\n");
        ConfigTemplate fresh;
        JoystickTypeOptions type(fresh);
        type.chooseType(c.index);
        EXPECT_EQ(fresh.line(9), c.line) << c.index;
        EXPECT_EQ(SettingsFile().read(Keys::Joyset), c.stored) << c.index;
        EXPECT_EQ(type.type(), c.stored) << c.index;
    }
}

TEST_F(JoystickRules, AStoredTypeOutsideTheListSelectsNothing)
{
    for (const char *value : {"-3", "8", "100"}) {
        writeSettings(QByteArray("[Joystick]\nJoyset=") + value + "\n");
        ConfigTemplate restarted;
        EXPECT_EQ(JoystickTypeOptions(restarted).type(), -1) << value;
        EXPECT_EQ(restarted.line(9), "-joyset -1") << value;
    }
    writeSettings("[Joystick]\nJoyset=abc\n");
    ConfigTemplate restarted;
    EXPECT_EQ(JoystickTypeOptions(restarted).type(), JoystickTypeOptions::OtherType);
    EXPECT_EQ(settings(), "[Joystick]\nJoyset=abc\n");
}

// ---- The dialogs ----

TEST_F(JoystickRules, TheControlsDialogStoresClicks)
{
    writeSettings("[Joystick]\nPlayers=2\n");
    OptionsWindow<ControlsOptions, ControlsDialog> window(m_template);
    ControlsDialog &dialog = window.dialog();
    dialog.show();
    auto *keyboardFirst = dialog.findChild<QRadioButton *>("RadioButton2");
    auto *joystickFirst = dialog.findChild<QRadioButton *>("RadioButton1");
    auto *useJoystick = dialog.findChild<QCheckBox *>("CheckBox1");
    ASSERT_TRUE(keyboardFirst && joystickFirst && useJoystick);
    EXPECT_TRUE(joystickFirst->isChecked());

    clickBox(keyboardFirst);
    EXPECT_EQ(m_template.line(11), "-2pj");
    EXPECT_EQ(SettingsFile().read(Keys::Players), 1);
    clickBox(useJoystick);
    EXPECT_EQ(m_template.line(10), "-exjoy");
    EXPECT_TRUE(SettingsFile().read(Keys::Activado));
    EXPECT_EQ(useJoystick->toolTip(), "El activar el uso de Joystick puede\nbajar la velocidad de Emulacion.");
}

TEST_F(JoystickRules, TheJoystickDialogStoresOnlyTheUsersChoice)
{
    writeSettings("[Joystick]\nJoyset=5\n");
    OptionsWindow<JoystickTypeOptions, JoystickTypeDialog> window(m_template);
    JoystickTypeDialog &dialog = window.dialog();
    EXPECT_TRUE(dialog.isModal());
    dialog.show();
    auto *types = dialog.findChild<QComboBox *>("AHMAutoCombo1");
    ASSERT_NE(types, nullptr);
    EXPECT_EQ(types->count(), 8);
    EXPECT_EQ(types->currentText(), "SideWinder");
    EXPECT_EQ(settings(), "[Joystick]\nJoyset=5\n");

    types->setFocus();
    QTest::keyClick(types, Qt::Key_Down);
    EXPECT_EQ(types->currentText(), "DPP ( PSXPAD )");
    EXPECT_EQ(m_template.line(9), "-joyset 6");
    EXPECT_EQ(SettingsFile().read(Keys::Joyset), 6);
}

} // namespace
