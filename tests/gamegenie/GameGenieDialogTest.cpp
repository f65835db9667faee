#include "MainWindowFixture.h"

#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

namespace {

// Tetris.gb and its archive Tetris.zip, and Tetris DX.gbc, carry the internal name "TETRIS"; Zelda.gb
// carries "ZELDA"; Pong.gb has none.
class CodesDialog : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("emu");
        writeFile("emu/zibo", "#!/bin/sh\n");
        writeSettings("[Directorios]\r\nZibo=" + path("emu/zibo").toUtf8() + "\r\nZibod=" + path("emu/").toUtf8() +
                      "\r\n");
        for (const char *rom : {"Tetris.gb", "Tetris.zip", "Tetris DX.gbc", "Zelda.gb", "Pong.gb"})
            writeFile(rom, "rom");
        writeFile("GGCT.ini", "[Tetris]\r\nTitulo=TETRIS\r\n[Tetris DX]\r\nTitulo=TETRIS\r\n[Zelda]\r\n"
                              "Titulo=ZELDA\r\n");
    }

    GameGenieDialog &dialog() const { return *windows().gameGenieDialog; }
    QString slot(int row) const { return main().session().configTemplate().line(GameGenieDialog::FirstCheatSlot + row - 1); }
    QStringList cheatSlots() const
    {
        QStringList lines;
        for (int n = 1; n <= GameGenieDialog::RowCount; ++n)
            lines.append(slot(n));
        return lines;
    }
    void click(const char *name) const
    {
        auto *button = dialog().findChild<QPushButton *>(name);
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    void launch() const { item("Jugar1")->trigger(); }
    // "Editar Codigos"
    void openDialog() const { QTest::mouseClick(main().findChild<QPushButton *>("Button2"), Qt::LeftButton); }
    QByteArray ziboCfgLine(int slot) const { return readFile("emu/Zibo.cfg").split('\n').value(slot); }
    QGroupBox *codeGroup() const { return dialog().findChild<QGroupBox *>("GroupBox1"); }
    QString internalName() const { return dialog().findChild<QLabel *>("a5")->text(); }
};

// ---- Cheat lines ----

TEST_F(CodesDialog, OnlyTickedRowsReachTheTemplateAndOnlyWhileTheSwitchIsOn)
{
    start();
    clickEntry("Tetris.gb");
    openDialog();
    dialog().code(1)->setText("01A-B2C-D3E");
    dialog().code(3)->setText("ABC-DEF");
    dialog().box(1)->setChecked(true);
    dialog().box(3)->setChecked(true);
    EXPECT_EQ(cheatSlots(), QStringList(10, QString())); // the switch is off
    QTest::mouseClick(main().gameGenieSwitch(), Qt::LeftButton);
    QStringList expected(10, QString());
    expected[0] = "-cheat 01A-B2C-D3E";
    expected[2] = "-cheat ABC-DEF";
    EXPECT_EQ(cheatSlots(), expected);
    EXPECT_EQ(ziboCfgLine(37), "-cheat ABC-DEF\r");

    // Unticking a row while the switch is on takes its line away at once.
    dialog().box(3)->click();
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(slot(1), "-cheat 01A-B2C-D3E");
}

TEST_F(CodesDialog, AShortCodeTickedByHandGoesOutUntilTheNextLaunchChecksTheRows)
{
    start();
    clickEntry("Zelda.gb");
    main().gameGenieSwitch()->setChecked(true);
    dialog().code(2)->setText("A1B");
    dialog().box(2)->setChecked(true);
    EXPECT_EQ(slot(2), "-cheat A1B");
    main().gameGenieSwitch()->setChecked(false);
    main().gameGenieSwitch()->setChecked(true);
    EXPECT_EQ(ziboCfgLine(36), "-cheat A1B\r");
    launch();
    EXPECT_FALSE(dialog().box(2)->isChecked());
    EXPECT_EQ(ziboCfgLine(36), "\r");
    EXPECT_FALSE(QFile::exists(path("GGCodes.ini"))); // a 3-character code never has its flag stored
}

TEST_F(CodesDialog, AnEditedCodeIsLaunchedUnsavedAndTheStoredOneComesBack)
{
    writeFile("GGCodes.ini", "[TETRIS]\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nD1=Vidas\r\n");
    start();
    main().gameGenieSwitch()->setChecked(true);
    clickEntry("Tetris.gb");
    EXPECT_EQ(slot(1), "-cheat 01A-B2C-D3E");
    dialog().code(1)->setText("0FF-B2C-D3E");
    launch();
    EXPECT_EQ(ziboCfgLine(35), "-cheat 0FF-B2C-D3E\r");

    clickEntry("Zelda.gb");
    EXPECT_EQ(dialog().code(1)->text(), "");
    EXPECT_EQ(slot(1), "");
    clickEntry("Tetris.gb");
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    dialog().code(1)->setText("0FF-B2C-D3E");
    openDialog();
    QTest::keyClick(&dialog(), Qt::Key_Escape);
    EXPECT_FALSE(dialog().isVisible());
    openDialog();
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    EXPECT_EQ(dialog().description(1)->text(), "Vidas");
}

// ---- Storing ----

TEST_F(CodesDialog, SaveAllUnticksShortCodesAndStoresTheRows)
{
    start();
    clickEntry("Tetris.gb");
    dialog().code(1)->setText("01A-B2C-D3E");
    dialog().description(1)->setText(QString::fromUtf8("Vidas ñ"));
    dialog().box(1)->setChecked(true);
    dialog().code(2)->setText("ABC-DE");
    dialog().box(2)->setChecked(true);
    dialog().code(3)->setText("ABC-DEF"); // the shortest code form stays ticked
    dialog().box(3)->setChecked(true);
    dialog().code(10)->setText("DEF-ABC");
    dialog().box(10)->setChecked(true);
    click("Button5"); // "Guardar Todo"
    EXPECT_FALSE(dialog().box(2)->isChecked());
    EXPECT_TRUE(dialog().box(3)->isChecked());
    const QByteArray stored = readFile("GGCodes.ini");
    EXPECT_TRUE(stored.contains("AC3=1\r\nC3=ABC-DEF\r\n")) << stored.constData();
    EXPECT_TRUE(stored.contains("AC10=1\r\nC10=DEF-ABC\r\n")) << stored.constData();
    EXPECT_TRUE(stored.startsWith(QString::fromUtf8("[TETRIS]\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nD1=Vidas ñ\r\nAC2=0\r\n"
                                                    "C2=ABC-DE\r\n")
                                      .toLatin1()));
    main().gameGenieSwitch()->setChecked(true);
    launch();
    EXPECT_EQ(ziboCfgLine(36), "\r");

    // Two files of one internal name share the codes.
    clickEntry("Tetris DX.gbc");
    EXPECT_EQ(internalName(), "TETRIS");
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    EXPECT_TRUE(dialog().box(1)->isChecked());
}

TEST_F(CodesDialog, ARowToggleStoresOnlyTheFlagOfALongCode)
{
    writeFile("GGCodes.ini", "[TETRIS]\r\nAC1=0\r\nC1=01A-B2C-D3E\r\nAC2=0\r\nC2=ABC-DEF\r\n");
    start();
    clickEntry("Tetris.gb");
    openDialog();
    dialog().code(1)->setText("0FF-FFF-FFF"); // typed, not saved
    dialog().box(1)->click();
    dialog().box(2)->click();
    EXPECT_EQ(readFile("GGCodes.ini"), "[TETRIS]\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nAC2=0\r\nC2=ABC-DEF\r\n\r\n");
}

// The condition the codes are done by: "0" flags only for codes longer than 7 characters.
TEST_F(CodesDialog, ClearAllStoresOffFlagsForLongCodesAndTheCodesComeBack)
{
    const QByteArray stored = "[TETRIS]\r\nAC1=1\r\nC1=01A-B2C-D3E\r\nD1=Vidas\r\nAC2=1\r\nC2=ABC-DEF\r\nD2=Salto\r\n"
                              "AC3=1\r\nC3=0100C3C0\r\nD3=Shark\r\n";
    writeFile("GGCodes.ini", stored);
    start();
    clickEntry("Tetris.gb");
    openDialog();
    click("Button3"); // "Limpiar Todo"
    for (int n = 1; n <= 3; ++n) {
        EXPECT_FALSE(dialog().box(n)->isChecked());
        EXPECT_EQ(dialog().code(n)->text(), "");
        EXPECT_EQ(dialog().description(n)->text(), "");
    }
    EXPECT_EQ(readFile("GGCodes.ini"), "[TETRIS]\r\nAC1=0\r\nC1=01A-B2C-D3E\r\nD1=Vidas\r\nAC2=1\r\nC2=ABC-DEF\r\n"
                                       "D2=Salto\r\nAC3=0\r\nC3=0100C3C0\r\nD3=Shark\r\n\r\n");
    click("Button1"); // "Aceptar"

    clickEntry("Zelda.gb");
    clickEntry("Tetris.gb");
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    EXPECT_EQ(dialog().description(3)->text(), "Shark");
    EXPECT_FALSE(dialog().box(1)->isChecked());
    EXPECT_TRUE(dialog().box(2)->isChecked());
    EXPECT_FALSE(dialog().box(3)->isChecked());
}

TEST_F(CodesDialog, LoadCodesReplacesUnsavedEditsAndNeedsAnInternalName)
{
    writeFile("GGCodes.ini", "[TETRIS]\r\nC1=01A-B2C-D3E\r\n[]\r\nC1=NONAME\r\n");
    start();
    clickEntry("Tetris.gb");
    dialog().code(1)->setText("edited");
    dialog().description(4)->setText("edited");
    click("Button4"); // "Cargar Códigos"
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    EXPECT_EQ(dialog().description(4)->text(), "");

    dialog().codes().setInternalName("");
    dialog().code(1)->setText("edited");
    dialog().loadCodes();
    EXPECT_EQ(dialog().code(1)->text(), "edited");
}

TEST_F(CodesDialog, ChangeStoresTheTitleAndShowsItInTheMainWindow)
{
    start();
    clickEntry("Tetris.zip");
    dialog().findChild<QLineEdit *>("Edit1")->setText(QString::fromUtf8("Tetris <b>Ñ</b>"));
    click("Button2"); // "Cambiar"
    EXPECT_EQ(readFile("Titulos.ini"), QString::fromUtf8("[Tetris]\r\nTitulo=Tetris <b>Ñ</b>\r\n\r\n").toLatin1());
    auto *label = main().findChild<QLabel *>("AHMLabel1");
    EXPECT_EQ(label->text(), QString::fromUtf8("Tetris <b>Ñ</b>"));
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_EQ(readFile("GGCT.ini").count("TETRIS"), 2); // the internal names are not touched

    // An empty title is stored as such; the next selection falls back to the stem.
    dialog().findChild<QLineEdit *>("Edit1")->clear();
    click("Button2");
    EXPECT_EQ(readFile("Titulos.ini"), "[Tetris]\r\nTitulo=\r\n\r\n");
    EXPECT_EQ(label->text(), "");
    clickEntry("Tetris.gb");
    EXPECT_EQ(label->text(), "Tetris");
}

// ---- The window ----

TEST_F(CodesDialog, WithoutAnInternalNameTheHintShowsInsteadOfTheCodes)
{
    start();
    EXPECT_TRUE(dialog().windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(dialog().isModal());
    EXPECT_EQ(dialog().size(), QSize(385, 412));
    EXPECT_FALSE(codeGroup()->isVisibleTo(&dialog()));
    EXPECT_TRUE(dialog().findChild<QWidget *>("Memo1")->isVisibleTo(&dialog()));
    EXPECT_FALSE(dialog().findChild<QLabel *>("Image1")->pixmap().isNull());

    clickEntry("Zelda.gb");
    EXPECT_TRUE(codeGroup()->isVisibleTo(&dialog()));
    EXPECT_TRUE(codeGroup()->isEnabled());
    EXPECT_FALSE(dialog().findChild<QWidget *>("Memo1")->isVisibleTo(&dialog()));

    // Opening with nothing selected empties the internal name and leaves the group as it was.
    clickEmptySpace();
    ASSERT_FALSE(main().session().selectedEntry());
    openDialog();
    EXPECT_EQ(internalName(), "");
    EXPECT_TRUE(codeGroup()->isVisible());
    // A toggle then has no game to store its flag under.
    dialog().code(5)->setText("01A-B2C-D3E");
    dialog().box(5)->click();
    click("Button5");
    EXPECT_FALSE(QFile::exists(path("GGCodes.ini")));

    clickEntry("Pong.gb");
    EXPECT_FALSE(codeGroup()->isVisibleTo(&dialog()));
    EXPECT_FALSE(codeGroup()->isEnabled());
}

TEST_F(CodesDialog, OpensBesideTheMainWindowAndPutsBothBackOnClosing)
{
    start();
    const int room = qMax(230, main().frameGeometry().width());
    main().move(300, 140);
    dialog().move(20, 30);
    openDialog();
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_EQ(main().x(), 170);
    EXPECT_EQ(dialog().pos(), QPoint(170 + room, 140));
    // Opened again while open, closing still returns to where the windows were first.
    openDialog();
    dialog().close(); // the close box
    EXPECT_FALSE(dialog().isVisible());
    EXPECT_EQ(main().pos(), QPoint(300, 140));
    EXPECT_EQ(dialog().pos(), QPoint(20, 140));

    main().move(100, 60);
    openDialog();
    EXPECT_EQ(main().x(), 100);
    EXPECT_EQ(dialog().pos(), QPoint(100 + room, 60));
    click("Button1");
    EXPECT_EQ(main().x(), 100);
    EXPECT_EQ(dialog().x(), 20);
}

TEST_F(CodesDialog, EnterPressesOnlyTheButtonWithTheFocus)
{
    start();
    clickEntry("Tetris.gb");
    openDialog();
    dialog().code(1)->setFocus();
    QTest::keyClick(dialog().code(1), Qt::Key_Return);
    EXPECT_TRUE(dialog().isVisible());
    EXPECT_FALSE(QFile::exists(path("Titulos.ini"))); // "Cambiar" stays unpressed
    auto *accept = dialog().findChild<QPushButton *>("Button1");
    accept->setFocus();
    QTest::keyClick(accept, Qt::Key_Return);
    EXPECT_FALSE(dialog().isVisible());
}

TEST_F(CodesDialog, EachCodeFieldSaysWhetherItsCodeLooksRightAndKeepsItAsTyped)
{
    start();
    clickEntry("Tetris.gb");
    dialog().code(1)->setText("01A-B2C-D3E");
    dialog().code(2)->setText("0100C3C0");
    dialog().code(3)->setText("O1A-B2C-D3E");
    EXPECT_EQ(dialog().codeCheck(1)->text(), "GG");
    EXPECT_EQ(dialog().codeCheck(2)->text(), "GS");
    EXPECT_EQ(dialog().codeCheck(3)->text(), "?");
    EXPECT_TRUE(dialog().code(3)->accessibleDescription().contains("O"));
    EXPECT_EQ(dialog().codeCheck(4)->text(), "");

    main().gameGenieSwitch()->setChecked(true);
    dialog().box(3)->setChecked(true);
    EXPECT_EQ(slot(3), "-cheat O1A-B2C-D3E");
    click("Button5");
    EXPECT_TRUE(readFile("GGCodes.ini").contains("C3=O1A-B2C-D3E\r\n"));

    // Each row's controls are named after the column headings.
    EXPECT_EQ(dialog().box(3)->accessibleName(), "Activar 3");
    EXPECT_EQ(dialog().code(10)->accessibleName(), QString::fromUtf8("Código 10"));
    EXPECT_EQ(dialog().description(1)->accessibleName(), QString::fromUtf8("Descripción 1"));
}

// A code is at most 11 characters ("01A-B2C-D3E"): typing more stops there, and so does what is stored.
TEST_F(CodesDialog, ACodeFieldHoldsAtMostElevenCharacters)
{
    start();
    clickEntry("Tetris.gb");
    QTest::keyClicks(dialog().code(1), "01A-B2C-D3E-F4A");
    EXPECT_EQ(dialog().code(1)->text(), "01A-B2C-D3E");
    click("Button5");
    EXPECT_TRUE(readFile("GGCodes.ini").contains("C1=01A-B2C-D3E\r\n"));

    // The limit is for typing: a longer code in the file was shown cut while it was saved and sent whole.
    writeFile("GGCodes.ini", "[TETRIS]\r\nC2=01A-B2C-D3E-F4A\r\n");
    click("Button4");
    EXPECT_EQ(dialog().code(2)->text(), "01A-B2C-D3E-F4A");
}

} // namespace
