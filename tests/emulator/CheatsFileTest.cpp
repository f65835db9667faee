#include "MainWindowFixture.h"

#include "emulator/MgbaCheats.h"
#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>

namespace {

// mGBA rewrote the whole file from Cartling's code rows alone at every launch, so the sets the user added in
// mGBA's cheats window were lost.
TEST(CheatsFile, TheUsersSetsStayByteForByteInTheirOrderAndOnlyCartlingsAreRewritten)
{
    CodeSet rows;
    rows[0] = {true, "ABC-DEF-GHI", "Vidas"};
    rows[2] = {false, "01FFC2C3", ""};
    const QByteArray ours = "# Vidas [Cartling]\nABC-DEF-GHI\n!disabled\n# Code 3 [Cartling]\n01FFC2C3\n";
    const struct
    {
        const char *label;
        QByteArray existing;
        QByteArray withCodes;
        QByteArray withoutCodes;
    } cases[] = {
        {"no file", "", ours, ""},
        {"the user's sets around Cartling's earlier ones",
         "# Mio\r\n00A-17B-C49\r\n!disabled\n# Vidas [Cartling]\nAAA-BBB-CCC\n  !disabled\n# Otro \n01FFC2C3\n"
         "# Code 3 [Cartling]\n01FFC2C3\n# Último\n00A-17B-C49",
         ours + "# Mio\r\n00A-17B-C49\r\n  !disabled\n# Otro \n01FFC2C3\n# Último\n00A-17B-C49",
         "# Mio\r\n00A-17B-C49\r\n  !disabled\n# Otro \n01FFC2C3\n# Último\n00A-17B-C49"},
        // mGBA puts code lines before any set name into a set of their own, which a name before them would take.
        {"code lines before the first set name", "00A-17B-C49\n# Mio\n01FFC2C3\n",
         "00A-17B-C49\n" + ours + "# Mio\n01FFC2C3\n", "00A-17B-C49\n# Mio\n01FFC2C3\n"},
        {"a last line without its line end", "00A-17B-C49", "00A-17B-C49\n" + ours, "00A-17B-C49"},
        {"a directive after the last set", "# Mio\n01FFC2C3\n!disabled\n", ours + "# Mio\n01FFC2C3\n!disabled\n",
         "# Mio\n01FFC2C3\n!disabled\n"},
        {"a directive among a set's code lines", "# Mio\n!disabled\n01FFC2C3\n# Otro\n00A-17B-C49\n",
         ours + "# Mio\n!disabled\n01FFC2C3\n# Otro\n00A-17B-C49\n", "# Mio\n!disabled\n01FFC2C3\n# Otro\n00A-17B-C49\n"},
        {"the mark not at the end of the name", "# [Cartling] Mio\n01FFC2C3\n", ours + "# [Cartling] Mio\n01FFC2C3\n",
         "# [Cartling] Mio\n01FFC2C3\n"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(MgbaCheats::merged(c.existing, rows, "Code "), c.withCodes) << c.label;
        EXPECT_EQ(MgbaCheats::merged(c.existing, CodeSet(), "Code "), c.withoutCodes) << c.label;
    }
}

// The name is cut to the limit between whole characters: half of a character would reach mGBA as broken text.
TEST(CheatsFile, ALongDescriptionIsCutBetweenWholeCharacters)
{
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80"); // four bytes, two UTF-16 units
    const QString euro = QString::fromUtf8("\xE2\x82\xAC");       // three bytes
    const struct
    {
        const char *label;
        QString description;
        QString name;
    } cases[] = {
        {"emoji past the limit", "a" + emoji.repeated(30), "a" + emoji.repeated(23)},
        {"emoji ending at the limit", "abcd" + emoji.repeated(23), "abcd" + emoji.repeated(23)},
        {"emoji one byte past the limit", "abcde" + emoji.repeated(23), "abcde" + emoji.repeated(22)},
        {"three-byte characters at the limit", euro.repeated(32), euro.repeated(32)},
        {"three-byte characters past it", euro.repeated(33), euro.repeated(32)},
    };
    for (const auto &c : cases) {
        CodeSet rows;
        rows[0] = {true, "ABC-DEF", c.description};
        EXPECT_EQ(MgbaCheats::file(rows, "Code "), "# " + c.name.toUtf8() + " [Cartling]\nABC-DEF\n") << c.label;
    }
}

TEST(CheatsFile, CartlingsSetsTellWhatMgbasWindowSwitchedOnOrOff)
{
    using Choices = QList<CodeChoice>;
    const struct
    {
        const char *label;
        QByteArray existing;
        Choices expected;
    } cases[] = {
        {"one off, one on", "!disabled\n# Vidas [Cartling]\nABC-DEF-GHI\n# Salto [Cartling]\n01FFC2C3\n",
         Choices{{"ABC-DEF-GHI", false}, {"01FFC2C3", true}}},
        {"the user's sets tell nothing, and their state does not pass on",
         "!disabled\n# Mio\n00A-17B-C49\n# Vidas [Cartling]\nABC-DEF-GHI\n", Choices{{"ABC-DEF-GHI", true}}},
        {"mGBA drops a code it cannot read: the set tells nothing",
         "# Vacio [Cartling]\n\n# Vidas [Cartling]\n  abc-def-ghi \r\n", Choices{{"abc-def-ghi", true}}},
        {"directives are read without regard to blanks and case", " ! Disabled \r\n # Vidas [Cartling] \r\nAAA\r\n",
         Choices{{"AAA", false}}},
        {"a directive other than disabled", "!reset\n# Vidas [Cartling]\nAAA\n", Choices{{"AAA", true}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MgbaCheats::choices(c.existing), c.expected) << c.label;
}

// Launches through the main window, with starts recorded. Tetris.gb carries the internal name "TETRIS".
class CheatsLaunch : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("emu");
        makeFolder("roms");
        makeFolder("Trucos");
        writeFile("roms/Tetris.gb", "rom");
        writeFile("GGCT.ini", "[Tetris]\r\nTitulo=TETRIS\r\n");
        writeFile("GGCodes.ini",
                  "[TETRIS]\r\nAC1=1\r\nC1=ABC-DEF-GHI\r\nD1=Vidas\r\nAC2=1\r\nC2=01FFC2C3\r\nD2=Salto\r\n"
                  "AC3=0\r\nC3=00A-17B-C49\r\nD3=Otro\r\nAC4=1\r\nC4=01FFC2C3\r\nD4=Salto 2\r\n");
    }

    void storeEmulator(const char *program, const QByteArray &more = {}) const
    {
        writeFile(QString("emu/") + program, "#!/bin/sh\n");
        writeSettings("[Directorios]\r\nZibo=" + path(QString("emu/") + program).toUtf8() +
                      "\r\nZibod=" + path("emu/").toUtf8() + "\r\nRoms=" + path("roms").toUtf8() + "\r\n" + more);
    }

    void launchTetris(bool cheatsOn)
    {
        if (!m_windows) {
            QDir::setCurrent(m_base);
            start();
        }
        clickEntry("Tetris.gb");
        main().gameGenieSwitch()->setChecked(cheatsOn);
        item("Jugar1")->trigger();
    }

    GameGenieDialog &codes() const { return *windows().gameGenieDialog; }
};

// A code ticked or unticked in mGBA's window was switched back at the next launch.
TEST_F(CheatsLaunch, WhatMgbasWindowSwitchedIsReadBackUnlessTheRowWasChangedHereSince)
{
    storeEmulator("mgba-qt");
    // Two rows hold the same code: each set goes to its own row, in order.
    const QByteArray left = "!disabled\n# Vidas [Cartling]\nABC-DEF-GHI\n# Salto [Cartling]\n01FFC2C3\n"
                            "# Otro [Cartling]\n00a-17b-c49\n!disabled\n# Salto 2 [Cartling]\n01FFC2C3\n"
                            "# Mío\n01FFC2C3\n";
    writeFile("Trucos/Tetris.cheats", left);
    launchTetris(true);
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_TRUE(m_messages.errors.isEmpty()) << qPrintable(m_messages.errors.join(u'\n'));
    EXPECT_FALSE(codes().box(1)->isChecked());
    EXPECT_TRUE(codes().box(2)->isChecked());
    EXPECT_TRUE(codes().box(3)->isChecked());
    EXPECT_FALSE(codes().box(4)->isChecked());
    EXPECT_EQ(readFile("GGCodes.ini"), "[TETRIS]\r\nAC1=0\r\nC1=ABC-DEF-GHI\r\nD1=Vidas\r\nAC2=1\r\nC2=01FFC2C3\r\n"
                                       "D2=Salto\r\nAC3=1\r\nC3=00A-17B-C49\r\nD3=Otro\r\nAC4=0\r\nC4=01FFC2C3\r\n"
                                       "D4=Salto 2\r\n\r\n");
    EXPECT_EQ(readFile("Trucos/Tetris.cheats"), "!disabled\n# Vidas [Cartling]\nABC-DEF-GHI\n# Salto [Cartling]\n"
                                                "01FFC2C3\n# Otro [Cartling]\n00A-17B-C49\n!disabled\n"
                                                "# Salto 2 [Cartling]\n01FFC2C3\n# Mío\n01FFC2C3\n");

    // Ticked here after the file was saved: this choice is the later one and stays.
    codes().box(1)->setChecked(true);
    launchTetris(true);
    EXPECT_TRUE(codes().box(1)->isChecked());
    EXPECT_TRUE(readFile("Trucos/Tetris.cheats").startsWith("# Vidas [Cartling]\nABC-DEF-GHI\n"));
}

// With "%CHEATS%" in an own command line the file was emptied at every launch, even with the switch off.
TEST_F(CheatsLaunch, WithTheSwitchOffAnOwnCommandLineGetsTheUsersSetsOnly)
{
    storeEmulator("gb",
                  "[Emulador]\r\nLinea=--cheats %CHEATS% %ROM%\r\nLineaPrograma=" + path("emu/gb").toUtf8() + "\r\n");
    writeFile("Trucos/Tetris.cheats", "# Mío\r\n01FFC2C3\r\n# Vidas [Cartling]\nABC-DEF-GHI\n!disabled\n# Otro\n00A");
    launchTetris(false);
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].arguments,
              (QStringList{"--cheats", path("Trucos/Tetris.cheats"), path("roms/Tetris.gb")}));
    EXPECT_EQ(readFile("Trucos/Tetris.cheats"), "# Mío\r\n01FFC2C3\r\n!disabled\n# Otro\n00A");
}

} // namespace
