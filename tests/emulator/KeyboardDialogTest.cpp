#include "MainWindowFixture.h"

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

class KeyboardDialogTest : public BaseFolderTest
{
protected:
    KeyboardDialog &make()
    {
        m_dialog = std::make_unique<KeyboardDialog>(m_template);
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
    QString slot(int n) const { return m_template.line(n); }

    ConfigTemplate m_template;
    std::unique_ptr<KeyboardDialog> m_dialog;
};

TEST_F(KeyboardDialogTest, ShowsTheStoredKeysAndReachesEveryControl)
{
    const QByteArray ini = "[Teclado]\r\nIzquierda=75\r\nB=5\r\nAutofire a=7\r\n";
    writeFile("Cartling.ini", ini);
    KeyboardDialog &dialog = make();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Configuración de Teclado"));
    EXPECT_EQ(find<QComboBox>("AC1")->currentIndex(), -1);
    EXPECT_EQ(find<QComboBox>("AC6")->currentText(), "F");
    EXPECT_EQ(find<QComboBox>("AC8")->count(), 60);
    EXPECT_EQ(find<QComboBox>("AC8")->itemText(14), QString::fromUtf8("Ñ"));
    EXPECT_TRUE(find<QCheckBox>("autoa")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("autob")->isChecked());
    EXPECT_EQ(slot(6), "-keys [][RIGHT][UP][DOWN][A][F][ENTER][RSHIFT] ");
    EXPECT_EQ(slot(7), "");
    EXPECT_EQ(readFile("Cartling.ini"), ini);
    EXPECT_TRUE(unreachedTargets({&dialog}).isEmpty());
}

TEST_F(KeyboardDialogTest, CancelarDropsTheChoicesAndAceptarStoresThem)
{
    KeyboardDialog &dialog = make();
    dialog.show();
    choose("AC5", QString::fromUtf8("Ñ"));
    QTest::mouseClick(find<QCheckBox>("autoa"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));
    EXPECT_EQ(slot(6), kDefaultLine);

    dialog.show();
    EXPECT_EQ(find<QComboBox>("AC5")->currentText(), "A");
    EXPECT_FALSE(find<QCheckBox>("autoa")->isChecked());
    choose("AC5", QString::fromUtf8("Ñ"));
    QTest::mouseClick(find<QCheckBox>("autoa"), Qt::LeftButton);
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(SettingsFile().read(Keys::KeyA), 14);
    EXPECT_TRUE(SettingsFile().read(Keys::AutofireA));
    EXPECT_EQ(slot(6), QString::fromUtf8("-keys [LEFT][RIGHT][UP][DOWN][Ñ][S][ENTER][RSHIFT] "));
    EXPECT_EQ(slot(7), "-autoa ");
    EXPECT_EQ(slot(8), " ");
}

TEST_F(KeyboardDialogTest, EscapeStoresLikeAceptarAndTheCloseBoxDropsLikeCancelar)
{
    KeyboardDialog &dialog = make();
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

TEST_F(KeyboardDialogTest, TwoButtonsOnOneKeyAreMarkedWithTheOtherButtonsName)
{
    KeyboardDialog &dialog = make();
    dialog.show();
    for (int button = 0; button < KeyboardOptions::ButtonCount; ++button)
        EXPECT_FALSE(dialog.sharedKeyMark(button)->isVisible()) << button;
    choose("AC6", "LEFT");
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::Left)->isVisible());
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::ButtonB)->isVisible());
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::Left)->toolTip().endsWith(": B"));
    EXPECT_TRUE(dialog.sharedKeyMark(KeyboardOptions::ButtonB)->toolTip().endsWith(": Izquierda"));
    EXPECT_FALSE(dialog.sharedKeyMark(KeyboardOptions::ButtonA)->isVisible());

    // Still allowed and stored as chosen.
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(slot(6), "-keys [LEFT][RIGHT][UP][DOWN][A][LEFT][ENTER][RSHIFT] ");
    dialog.show();
    choose("AC6", "S");
    EXPECT_FALSE(dialog.sharedKeyMark(KeyboardOptions::Left)->isVisible());
    dialog.close();
}

// ---- Start-up ----

using KeyboardStartup = MainWindowTest;

TEST_F(KeyboardStartup, JunkSettingsStartCleanlyAndNothingIsStored)
{
    const QByteArray ini = "[Sonido]\r\nVolumen=20\r\nTipo=abc\r\nStereo=-1\r\n[Video]\r\nBrillo=-500\r\nColor=9\r\n"
                           "[Teclado]\r\nSelect=75\r\nAutofire a=7\r\n";
    writeSettings(ini);
    start();
    const ConfigTemplate &t = main().configTemplate();
    EXPECT_EQ(t.line(4), "-sound 1");
    EXPECT_EQ(t.line(12), "-stereo 1");
    EXPECT_EQ(t.line(13), "-vol 15");
    EXPECT_EQ(t.line(15), ";xxxxx");
    EXPECT_EQ(t.lines().mid(16, 4), QStringList(4, QString()));
    EXPECT_EQ(t.lines().mid(20, 4), (QStringList{"-bbr -100", "-sbr -100", "-wbr -100", "-br -100"}));
    EXPECT_EQ(t.line(6), "-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][] ");
    EXPECT_EQ(t.line(7), "");
    EXPECT_EQ(t.line(8), "");
    EXPECT_TRUE(windows().keyboardDialog->findChild<QCheckBox *>("autoa")->isChecked());
    EXPECT_EQ(readFile("Cartling.ini"), ini);
    EXPECT_TRUE(m_messages.errors.isEmpty());
    EXPECT_TRUE(m_messages.shown.isEmpty());

    // Zibo.cfg as the first launch writes it.
    main().configTemplate().saveAs(path("Zibo.cfg"));
    const QList<QByteArray> lines = readFile("Zibo.cfg").split('\n');
    EXPECT_EQ(lines[5], "-uperiod 0\r");
    EXPECT_EQ(lines[6], "-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][] \r");
    EXPECT_EQ(lines[14], "-video 0\r");
}

} // namespace
