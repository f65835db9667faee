#include "MainWindowFixture.h"
#include "OptionsTestSupport.h"

#include "emulator/KeyboardDialog.h"
#include "language/LanguageApplier.h"
#include "mainwindow/Windows.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QString kDefaultLine = QStringLiteral("-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] ");

class KeyboardOptionsTest : public BaseFolderTest
{
protected:
    KeyboardDialog &start()
    {
        m_window = std::make_unique<OptionsWindow<KeyboardOptions, KeyboardDialog>>(m_template);
        m_dialog = &m_window->dialog();
        return *m_dialog;
    }
    template <typename T> T *find(const char *name) const
    {
        T *control = m_dialog->findChild<T *>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // A key picked from a chooser's list, as the user does.
    void choose(const char *chooser, const QString &key) const
    {
        QComboBox *box = find<QComboBox>(chooser);
        const int index = box->findText(key);
        ASSERT_GE(index, 0) << qPrintable(key);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    void click(const char *name) const { QTest::mouseClick(find<QAbstractButton>(name), Qt::LeftButton); }
    QString slot(int n) const { return m_template.line(n); }

    ConfigTemplate m_template;
    std::unique_ptr<OptionsWindow<KeyboardOptions, KeyboardDialog>> m_window;
    KeyboardDialog *m_dialog = nullptr;
};

TEST_F(KeyboardOptionsTest, TheSixtyKeyNamesKeepTheirStoredOrder)
{
    const QStringList &names = KeyboardOptions::keyNames();
    ASSERT_EQ(names.size(), 60);
    EXPECT_EQ(names.mid(11, 5), (QStringList{"L", "N", "M", QString::fromUtf8("Ñ"), "O"}));
    EXPECT_EQ(names[26], "Z");
    EXPECT_EQ(names[27], "F1");
    EXPECT_EQ(names[38], "F12");
    EXPECT_EQ(names.mid(39, 8), (QStringList{"INS", "DEL", "NUM", "SCR", "HOME", "END", "TAB", "ENTER"}));
    EXPECT_EQ(names.mid(47, 13), (QStringList{"CAPS", "LSHIFT", "RSHIFT", "LCONTROL", "RCONTROL", "ALT", "SPACE",
                                              "PGUP", "PGDOWN", "UP", "DOWN", "LEFT", "RIGHT"}));
}

TEST_F(KeyboardOptionsTest, CancelarDropsTheChoicesAndAceptarStoresThem)
{
    KeyboardDialog &dialog = start();
    EXPECT_EQ(slot(6), kDefaultLine);
    dialog.show();
    choose("AC5", QString::fromUtf8("Ñ"));
    click("autoa");
    EXPECT_EQ(dialog.options().keyLine(), QString::fromUtf8("-keys [LEFT][RIGHT][UP][DOWN][Ñ][S][ENTER][RSHIFT] "));
    click("Button2");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));
    EXPECT_EQ(slot(6), kDefaultLine);

    dialog.show();
    EXPECT_EQ(find<QComboBox>("AC5")->currentText(), "A");
    EXPECT_FALSE(find<QCheckBox>("autoa")->isChecked());
    choose("AC5", QString::fromUtf8("Ñ"));
    click("autoa");
    click("Button1");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(readFile("Cartling.ini"), "[Teclado]\r\nIzquierda=58\r\nDerecha=59\r\nArriba=56\r\nAbajo=57\r\nA=14\r\n"
                                        "B=19\r\nStart=46\r\nSelect=49\r\nAutofire a=1\r\nAutofire b=0\r\n");
    EXPECT_EQ(slot(7), "-autoa ");
    EXPECT_EQ(slot(8), " ");
    // The emulator reads "Ñ" as the one byte D1.
    m_template.saveAs(path("Zibo.cfg"));
    EXPECT_TRUE(readFile("Zibo.cfg").contains("\r\n-keys [LEFT][RIGHT][UP][DOWN][\xD1][S][ENTER][RSHIFT] \r\n"));
}

TEST_F(KeyboardOptionsTest, EscapeStoresLikeAceptarAndTheCloseBoxDropsLikeCancelar)
{
    KeyboardDialog &dialog = start();
    dialog.show();
    choose("AC7", "SPACE");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(SettingsFile().read(Keys::Start), 53);
    EXPECT_EQ(slot(6), "-keys [LEFT][RIGHT][UP][DOWN][A][S][SPACE][RSHIFT] ");

    dialog.show();
    choose("AC7", "TAB");
    dialog.close();
    EXPECT_EQ(SettingsFile().read(Keys::Start), 53);
    dialog.show();
    EXPECT_EQ(find<QComboBox>("AC7")->currentText(), "SPACE");
    dialog.close();
}

TEST_F(KeyboardOptionsTest, EveryControlHasAPlaceOfItsOwn)
{
    KeyboardDialog &dialog = start();
    dialog.show();
    EXPECT_EQ(overlappingControls(dialog), QStringList());
}

// A button number outside the eight is no button: its choice changes no key, nothing kept beside the keys (the
// autofire flags), and what is stored and written is what it was without it.
TEST_F(KeyboardOptionsTest, AChoiceForAButtonOutsideTheEightChangesNothing)
{
    KeyboardOptions untouched(m_template);
    untouched.load();
    untouched.store();
    const QStringList lines = m_template.lines();
    const QByteArray stored = readFile("Cartling.ini");

    KeyboardOptions options(m_template);
    options.load();
    for (int button : {-1, int(KeyboardOptions::ButtonCount)})
        options.chooseKey(button, 7);
    options.store();
    EXPECT_EQ(m_template.lines(), lines);
    EXPECT_EQ(readFile("Cartling.ini"), stored);
    options.chooseKey(KeyboardOptions::ButtonCount - 1, 7);
    EXPECT_EQ(options.key(KeyboardOptions::ButtonCount - 1), 7);
}

TEST_F(KeyboardOptionsTest, TwoButtonsOnOneKeyAreMarkedWithTheOtherButtonsName)
{
    KeyboardDialog &dialog = start();
    dialog.show();
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button)
        EXPECT_FALSE(dialog.sharedKeyMark(button)->isVisible()) << button;
    choose("AC6", "LEFT");
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::Left)->isVisible());
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::ButtonB)->isVisible());
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::Left)->toolTip().endsWith(": B"));
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::ButtonB)->toolTip().endsWith(": Izquierda"));
    EXPECT_FALSE(dialog.sharedKeyMark(KeyboardOptions::ButtonA)->isVisible());

    // Still allowed, and stored as chosen.
    click("Button1");
    EXPECT_EQ(slot(6), "-keys [LEFT][RIGHT][UP][DOWN][A][LEFT][ENTER][RSHIFT] ");
    dialog.show();
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::Left)->isVisible());
    choose("AC6", "S");
    EXPECT_FALSE(dialog.sharedKeyMark(KeyboardOptions::Left)->isVisible());
    dialog.close();
}

// ---- Start-up ----

using KeyboardStartup = MainWindowTest;

TEST_F(KeyboardStartup, JunkSettingsStartCleanlyAndNothingIsStored)
{
    const QByteArray ini = "[Sonido]\r\nVolumen=20\r\nTipo=abc\r\nStereo=-1\r\n[Video]\r\nBrillo=-500\r\nColor=9\r\n"
                           "[Teclado]\r\nIzquierda=75\r\nB=abc\r\nAutofire a=7\r\n";
    writeSettings(ini);
    start();
    const ConfigTemplate &t = main().session().configTemplate();
    EXPECT_EQ(t.line(4), "-sound 1");
    EXPECT_EQ(t.line(12), "-stereo 1");
    EXPECT_EQ(t.line(13), "-vol 15");
    EXPECT_EQ(t.line(20), "-bbr -100");
    EXPECT_EQ(t.lines().mid(16, 4), QStringList(4, QString()));
    // An index outside the list leaves its chooser empty; autofire lines wait for "Aceptar".
    EXPECT_EQ(t.line(6), "-keys [][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] ");
    EXPECT_EQ(t.line(7), "");
    EXPECT_EQ(t.line(8), "");
    KeyboardDialog &keyboard = *windows().keyboardDialog;
    EXPECT_EQ(keyboard.findChild<QComboBox *>("AC1")->currentIndex(), -1);
    EXPECT_TRUE(keyboard.findChild<QCheckBox *>("autoa")->isChecked());
    EXPECT_TRUE(unreachedTargets({&keyboard}).isEmpty());
    EXPECT_EQ(readFile("Cartling.ini"), ini);
    EXPECT_TRUE(m_messages.errors.isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());
}

} // namespace
