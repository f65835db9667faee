#include "TestSupport.h"

#include "emulator/ConfigTemplate.h"
#include "emulator/KeyboardOptions.h"
#include "platform/ErrorHandler.h"
#include "settings/Keys.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QFileInfo>

namespace {

const QString kDefaultLine = QStringLiteral("-keys [LEFT][RIGHT][UP][DOWN][A][S][ENTER][RSHIFT] ");

class KeyboardOptionsTest : public BaseFolderTest
{
protected:
    KeyboardOptions &start()
    {
        m_options = std::make_unique<KeyboardOptions>(m_template);
        m_options->load();
        return *m_options;
    }
    QString slot(int n) const { return m_template.line(n); }

    ConfigTemplate m_template;
    std::unique_ptr<KeyboardOptions> m_options;
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

TEST_F(KeyboardOptionsTest, LoadingPublishesTheKeyLineButNeverTheAutofireLines)
{
    writeFile("Cartling.ini", "[Teclado]\r\nAutofire a=1\r\nAutofire b=7\r\n");
    KeyboardOptions &o = start();
    EXPECT_EQ(o.keyLine(), kDefaultLine);
    EXPECT_EQ(slot(6), kDefaultLine);
    EXPECT_TRUE(o.autofireA());
    EXPECT_TRUE(o.autofireB());
    EXPECT_EQ(slot(7), "");
    EXPECT_EQ(slot(8), "");

    o.store();
    EXPECT_EQ(slot(7), "-autoa ");
    EXPECT_EQ(slot(8), "-autob ");
    o.setAutofireB(false);
    o.store();
    EXPECT_EQ(slot(8), " ");
    EXPECT_FALSE(SettingsFile().read(Keys::AutofireB));
}

TEST_F(KeyboardOptionsTest, AStoredIndexOutsideTheListGivesEmptyBrackets)
{
    const QByteArray ini = "[Teclado]\r\nIzquierda=75\r\nStart=-1\r\nB=abc\r\n";
    writeFile("Cartling.ini", ini);
    KeyboardOptions &o = start();
    EXPECT_EQ(o.key(KeyboardOptions::Left), -1);
    EXPECT_EQ(o.key(KeyboardOptions::ButtonB), 19); // not a number: the default
    EXPECT_EQ(slot(6), "-keys [][RIGHT][UP][DOWN][A][S][][RSHIFT] ");
    EXPECT_EQ(readFile("Cartling.ini"), ini);
}

TEST_F(KeyboardOptionsTest, ChoicesAreGatheredUntilStoredAndReloadingDropsThem)
{
    KeyboardOptions &o = start();
    o.chooseKey(KeyboardOptions::ButtonA, 14); // "Ñ"
    o.chooseKey(KeyboardOptions::Start, 53);
    EXPECT_EQ(o.keyLine(), QString::fromUtf8("-keys [LEFT][RIGHT][UP][DOWN][Ñ][S][SPACE][RSHIFT] "));
    EXPECT_EQ(slot(6), kDefaultLine);
    EXPECT_FALSE(QFileInfo::exists(path("Cartling.ini")));

    // What a cancelled showing leaves: the next load starts from the stored keys.
    o.load();
    EXPECT_EQ(o.key(KeyboardOptions::ButtonA), 0);
    EXPECT_EQ(o.keyLine(), kDefaultLine);

    o.chooseKey(KeyboardOptions::ButtonA, 14);
    o.store();
    EXPECT_EQ(readFile("Cartling.ini"), "[Teclado]\r\nIzquierda=58\r\nDerecha=59\r\nArriba=56\r\nAbajo=57\r\nA=14\r\n"
                                        "B=19\r\nStart=46\r\nSelect=49\r\nAutofire a=0\r\nAutofire b=0\r\n");
    EXPECT_EQ(slot(7), " ");
    EXPECT_EQ(slot(8), " ");

    // The emulator reads "Ñ" as the one byte D1.
    m_template.saveAs(path("Zibo.cfg"));
    EXPECT_TRUE(readFile("Zibo.cfg").contains("-keys [LEFT][RIGHT][UP][DOWN][\xD1][S][ENTER][RSHIFT] \r\n"));
}

TEST_F(KeyboardOptionsTest, SharedKeysAreAllowedAndNamedBothWays)
{
    KeyboardOptions &o = start();
    EXPECT_TRUE(o.buttonsSharingKey(KeyboardOptions::ButtonA).isEmpty());
    o.chooseKey(KeyboardOptions::ButtonB, 58); // LEFT, as left
    o.chooseKey(KeyboardOptions::Select, 58);
    EXPECT_EQ(o.buttonsSharingKey(KeyboardOptions::Left),
              (QList<int>{KeyboardOptions::ButtonB, KeyboardOptions::Select}));
    EXPECT_EQ(o.buttonsSharingKey(KeyboardOptions::ButtonB),
              (QList<int>{KeyboardOptions::Left, KeyboardOptions::Select}));
    EXPECT_EQ(o.keyLine(), "-keys [LEFT][RIGHT][UP][DOWN][A][LEFT][ENTER][LEFT] ");
    // Buttons without a key share nothing.
    o.chooseKey(KeyboardOptions::Up, -1);
    o.chooseKey(KeyboardOptions::Down, 60);
    EXPECT_TRUE(o.buttonsSharingKey(KeyboardOptions::Up).isEmpty());
    EXPECT_EQ(o.keyLine(), "-keys [LEFT][RIGHT][][][A][LEFT][ENTER][LEFT] ");
}

TEST_F(KeyboardOptionsTest, ARefusedWriteEndsTheConfirmationBeforeTheLines)
{
    writeFile("Cartling.ini", "[Teclado]\r\n");
    KeyboardOptions &o = start();
    o.chooseKey(KeyboardOptions::Left, 0);
    QFile::setPermissions(path("Cartling.ini"), QFileDevice::ReadOwner);
    EXPECT_THROW(o.store(), CartlingError);
    EXPECT_EQ(slot(6), kDefaultLine);
    EXPECT_EQ(slot(7), "");
}

} // namespace
