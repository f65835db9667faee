#include "MainWindowFixture.h"

#include "gamegenie/GameGenieDialog.h"
#include "library/GameDetails.h"
#include "library/TitleExtraction.h"
#include "platform/ErrorHandler.h"
#include "mainwindow/Windows.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

namespace {

class SelectedGame : public MainWindowTest
{
protected:
    GameGenieDialog &codes() const { return *windows().gameGenieDialog; }
    QString titleLabel() const { return main().findChild<QLabel *>("AHMLabel1")->text(); }
    QString titleField() const { return codes().findChild<QLineEdit *>("Edit1")->text(); }
    QString internalName() const { return codes().findChild<QLabel *>("a5")->text(); }
    QGroupBox *codeGroup() const { return codes().findChild<QGroupBox *>("GroupBox1"); }
};

TEST_F(SelectedGame, AGameWithoutAStoredTitleShowsItsStem)
{
    writeFile("Pong.gb", "rom");
    start();
    clickEntry("Pong.gb");
    EXPECT_EQ(main().session().selectedStem(), "Pong");
    EXPECT_EQ(titleLabel(), "Pong");
    EXPECT_EQ(titleField(), "Pong");
    EXPECT_EQ(internalName(), "");
    EXPECT_FALSE(codeGroup()->isVisibleTo(&codes()));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_TRUE(m_messages.errors.isEmpty());
}

TEST_F(SelectedGame, ATitleWithoutAnInternalNameHidesTheCodesAndClearsEveryRow)
{
    writeFile("Tetris.gb", "rom");
    writeFile("Zelda.gb", "rom");
    writeFile("Titulos.ini", "[zelda]\r\nTitulo=The Legend of Zelda\r\n");
    writeFile("GGCT.ini", "[TETRIS]\r\nTitulo=TETRIS\r\n");
    QByteArray rows = "[Tetris]\r\n";
    for (int n = 1; n <= 10; ++n)
        rows += QByteArray("AC%1=1\r\nC%1=01A-B2C-D3E\r\nD%1=fila\r\n").replace("%1", QByteArray::number(n));
    writeFile("GGCodes.ini", rows);
    start();
    clickEntry("Tetris.gb");
    EXPECT_EQ(internalName(), "TETRIS"); // sections match without regard to case
    EXPECT_TRUE(codeGroup()->isVisibleTo(&codes()));
    EXPECT_TRUE(codes().box(10)->isChecked());

    clickEntry("Zelda.gb");
    EXPECT_EQ(titleLabel(), "The Legend of Zelda");
    EXPECT_EQ(titleField(), "The Legend of Zelda");
    EXPECT_FALSE(codeGroup()->isVisibleTo(&codes()));
    EXPECT_FALSE(codeGroup()->isEnabled());
    for (int n = 1; n <= 10; ++n) {
        EXPECT_FALSE(codes().box(n)->isChecked()) << n;
        EXPECT_EQ(codes().code(n)->text(), "") << n;
        EXPECT_EQ(codes().description(n)->text(), "") << n;
    }
    // The flags unticked on the way belonged to a game without a name: nothing was stored for them.
    EXPECT_EQ(readFile("GGCodes.ini"), rows);
}

TEST_F(SelectedGame, ARomAndItsArchiveShareTitleAndInternalNameAndStemsShareCodesByName)
{
    for (const char *rom : {"Mario.gb", "Mario.zip", "Mario DX.gbc"})
        writeFile(rom, "rom");
    writeFile("Titulos.ini", "[Mario]\r\nTitulo=Super Mario Land\r\n");
    writeFile("GGCT.ini", "[Mario]\r\nTitulo=MARIOLAND\r\n[Mario DX]\r\nTitulo=marioland\r\n");
    writeFile("GGCodes.ini", "[MarioLand]\r\nAC2=1\r\nC2=0FF-0FF-0FF\r\nD2=Vidas\r\n");
    start();
    main().gameGenieSwitch()->setChecked(true);
    for (const char *rom : {"Mario.zip", "Mario.gb", "Mario DX.gbc"}) {
        clickEntry(rom);
        EXPECT_EQ(main().session().selectedStem(), QString(rom).section('.', 0, 0)) << rom;
        EXPECT_EQ(codes().code(2)->text(), "0FF-0FF-0FF") << rom;
        EXPECT_TRUE(codes().box(2)->isChecked()) << rom;
        EXPECT_EQ(main().session().configTemplate().line(36), "-cheat 0FF-0FF-0FF") << rom;
    }
    EXPECT_EQ(titleLabel(), "Mario DX");
    EXPECT_EQ(internalName(), "marioland");
    clickEntry("Mario.zip");
    EXPECT_EQ(titleLabel(), "Super Mario Land");
    EXPECT_EQ(internalName(), "MARIOLAND");

    // Each selection reads the files afresh.
    writeFile("Titulos.ini", "[Mario]\r\nTitulo=Mario\r\n");
    clickEntry("Mario.gb");
    EXPECT_EQ(titleLabel(), "Mario");
}

TEST_F(SelectedGame, ANameWithoutAStemShowsAnEmptyTitle)
{
    writeFile(".gb", "rom");
    writeFile("Titulos.ini", "[Otro]\r\nTitulo=Otro\r\n");
    start();
    clickEntry(".gb");
    EXPECT_EQ(main().session().selectedStem(), "");
    EXPECT_EQ(titleLabel(), "");
    // Storing a title under the empty stem would make a "[]" section.
    EXPECT_FALSE(GameDetails::storeTitle("", "Nuevo"));
    EXPECT_EQ(readFile("Titulos.ini"), "[Otro]\r\nTitulo=Otro\r\n");
}

// The list that cannot take the title ends the change with the error, not a title read back as if stored.
TEST_F(SelectedGame, ATitleThatCannotBeStoredRaisesTheWritersError)
{
    writeFile("Titulos.ini", "[Otro]\r\nTitulo=Otro\r\n");
    QFile::setPermissions(path("Titulos.ini"), QFileDevice::ReadOwner);
    QByteArray rom(0x150, '\0');
    rom.replace(0x134, 6, "TETRIS");
    writeFile("Tetris.gb", rom);
    const struct
    {
        const char *label;
        std::function<void()> store;
    } cases[] = {
        {"typed", [] { GameDetails::storeTitle("Tetris", "Nuevo"); }},
        {"extracted", [this] { TitleExtraction::storeTitleOf(path("Tetris.gb"), "Tetris"); }},
    };
    for (const auto &c : cases) {
        try {
            c.store();
            ADD_FAILURE() << c.label << ": no error raised";
        } catch (const CartlingError &error) {
            EXPECT_EQ(error.text(),
                      "Cannot write the file \"" + path("Titulos.ini") + "\": the file or its folder is read-only.")
                << c.label;
        }
        EXPECT_EQ(m_messages.errors, QStringList()) << c.label;
        EXPECT_EQ(readFile("Titulos.ini"), "[Otro]\r\nTitulo=Otro\r\n") << c.label;
    }
}

TEST_F(SelectedGame, WithNothingSelectedNothingChanges)
{
    writeFile("Tetris.gb", "rom");
    writeFile("GGCT.ini", "[Tetris]\r\nTitulo=TETRIS\r\n");
    writeFile("GGCodes.ini", "[TETRIS]\r\nC1=01A-B2C-D3E\r\n");
    start();
    clickEntry("Tetris.gb");
    clickEmptySpace();
    ASSERT_FALSE(main().session().selectedEntry());
    writeFile("GGCT.ini", "");
    main().session().loadSelectedGameDetails();
    EXPECT_EQ(main().session().selectedStem(), "Tetris");
    EXPECT_EQ(titleLabel(), "Tetris");
    EXPECT_EQ(internalName(), "TETRIS");
    EXPECT_EQ(codes().code(1)->text(), "01A-B2C-D3E");
    EXPECT_TRUE(codeGroup()->isVisibleTo(&codes()));
}

TEST_F(SelectedGame, AnUnreadableDataFileIsReportedByName)
{
    writeFile("Tetris.gb", "rom");
    makeFolder("Titulos.ini");
    start();
    clickEntry("Tetris.gb");
    ASSERT_EQ(m_messages.errors.size(), 1);
    EXPECT_TRUE(m_messages.errors[0].contains("Titulos.ini")) << m_messages.errors[0].toStdString();
}

} // namespace
