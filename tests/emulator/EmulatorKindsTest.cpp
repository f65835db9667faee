#include "MainWindowFixture.h"

#include "emulator/AudioVideoDialog.h"
#include "emulator/ConfigTemplate.h"
#include "emulator/EmulatorKind.h"
#include "emulator/EmulatorRuns.h"
#include "emulator/InstalledEmulators.h"
#include "emulator/InstalledEmulatorsDialog.h"
#include "emulator/KeyboardDialog.h"
#include "emulator/MgbaCheats.h"
#include "emulator/OtherOptionsDialog.h"
#include "gamegenie/GameGenieDialog.h"
#include "mainwindow/Windows.h"
#include "settings/SettingsFile.h"

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

namespace {

class EmulatorChoice : public BaseFolderTest
{
};

TEST_F(EmulatorChoice, AreKnownByTheProgramsNameItsLinkAndFlatpakExports)
{
    const struct
    {
        const char *program;
        EmulatorKind kind;
    } cases[] = {
        {"/usr/games/mgba-qt", EmulatorKind::Mgba},
        {"/usr/games/mgba", EmulatorKind::Mgba},
        {"/var/lib/flatpak/exports/bin/io.mgba.mGBA", EmulatorKind::Mgba},
        {"C:/Emu/mGBA.exe", EmulatorKind::Mgba},
        {"/usr/bin/retroarch", EmulatorKind::RetroArch},
        {"/home/ana/.local/share/flatpak/exports/bin/org.libretro.RetroArch", EmulatorKind::RetroArch},
        {"/opt/emu/zibo", EmulatorKind::Zibo},
        {"/opt/emu/mgba-qt.sh", EmulatorKind::Zibo},
        {"/opt/mgba-qt/visualboyadvance", EmulatorKind::Zibo},
        {"", EmulatorKind::Zibo},
    };
    for (const auto &c : cases)
        EXPECT_EQ(EmulatorKinds::recognise(c.program), c.kind) << c.program;
    EXPECT_TRUE(EmulatorKinds::isFlatpakExport("/var/lib/flatpak/exports/bin/org.libretro.RetroArch"));
    EXPECT_FALSE(EmulatorKinds::isFlatpakExport("/usr/bin/retroarch"));

    // A link of the user's own name is known by the program it leads to.
    writeFile("mgba-qt", "#!/bin/sh\n");
    QFile::link(path("mgba-qt"), path("gba"));
    EXPECT_EQ(EmulatorKinds::recognise(path("gba")), EmulatorKind::Mgba);

    // An own command line serves only the program it was stored for.
    writeFile("Cartling.ini", "[Emulador]\r\nLinea=--rom %ROM%\r\nLineaPrograma=/opt/emu/zibo\r\n");
    EXPECT_EQ(EmulatorKinds::ofStored(SettingsFile(), "/opt/emu/zibo"), EmulatorKind::OwnCommand);
    EXPECT_EQ(EmulatorKinds::ofStored(SettingsFile(), "/usr/games/mgba-qt"), EmulatorKind::Mgba);
}

TEST_F(EmulatorChoice, TheCheatsFileHoldsOneSetPerCodeAndNoDescriptionBreaksIt)
{
    CodeSet rows;
    rows[0] = {true, "ABC-DEF-GHI", "Vidas\r\ninfinitas"};
    rows[1] = {false, "01FFC2C3", "# no es una cabecera"};
    rows[2] = {true, "ABC-DEF", "!disabled"};
    rows[3] = {true, " 123-456 ", "  "};
    rows[4] = {true, "", "sin código"};
    rows[5] = {true, "!reset", "una orden"};
    rows[6] = {true, "CCC-DDD\nEEE", QString(200, QChar(0x00F1))};
    rows[7] = {true, "FFF-AAA", QString(99, u'x')}; // cut one character at a time: no surrogate to keep whole
    EXPECT_EQ(MgbaCheats::file(rows, "Code "), QByteArray("# Vidas infinitas [Cartling]\nABC-DEF-GHI\n"
                                                          "!disabled\n# # no es una cabecera [Cartling]\n01FFC2C3\n"
                                                          "# !disabled [Cartling]\nABC-DEF\n"
                                                          "# Code 4 [Cartling]\n123-456\n"
                                                          "# ") +
                                                   QString(48, QChar(0x00F1)).toUtf8() +
                                                   " [Cartling]\nCCC-DDD EEE\n# " + QByteArray(96, 'x') +
                                                   " [Cartling]\nFFF-AAA\n");
    EXPECT_EQ(MgbaCheats::file(CodeSet(), "Code "), QByteArray());
}

TEST_F(EmulatorChoice, KnownProgramsAreFoundOnceOnThePathAndAmongFlatpakExports)
{
    for (const char *name : {"bin/mgba-qt", "bin/retroarch", "bin/zibo", "games/notrun", "flatpak/io.mgba.mGBA"}) {
        makeFolder(QFileInfo(name).path());
        writeFile(name, "#!/bin/sh\n");
        QFile::setPermissions(path(name), QFile::permissions(path(name)) | QFileDevice::ExeOwner);
    }
    QFile::link(path("bin/mgba-qt"), path("games/mgba"));
    QFile::setPermissions(path("games/notrun"), QFileDevice::ReadOwner); // not executable: not listed
    QFile::rename(path("games/notrun"), path("games/mgba-qt"));
    // A core in the user's RetroArch folder is listed under RetroArch, and under nothing else.
    const ScopedEnvironment configHome("XDG_CONFIG_HOME", QFile::encodeName(path("config")));
    makeFolder("config/retroarch/cores");
    writeFile("config/retroarch/cores/sameboy_libretro.so", "core");
    const auto found = InstalledEmulators::find({path("bin"), path("games"), path("missing")}, {path("flatpak")});
    QStringList listed;
    for (const auto &f : found) {
        listed << EmulatorKinds::name(f.kind) + " " + QDir(m_base).relativeFilePath(f.program);
        EXPECT_EQ(f.cores.contains(path("config/retroarch/cores/sameboy_libretro.so")),
                  f.kind == EmulatorKind::RetroArch)
            << qPrintable(f.program);
        if (f.kind != EmulatorKind::RetroArch)
            EXPECT_TRUE(f.cores.isEmpty()) << qPrintable(f.program);
    }
    EXPECT_EQ(listed, (QStringList{"mGBA bin/mgba-qt", "RetroArch bin/retroarch", "mGBA flatpak/io.mgba.mGBA"}));
}

// The user's installation was looked for only in ~/.local/share/flatpak, where Flatpak does not keep it when
// FLATPAK_USER_DIR or XDG_DATA_HOME says otherwise.
TEST_F(EmulatorChoice, FlatpakInstallationsAreLookedForWhereFlatpakKeepsThem)
{
    const ScopedEnvironment system("FLATPAK_SYSTEM_DIR", {}), user("FLATPAK_USER_DIR", {}),
        dataHome("XDG_DATA_HOME", {}), home("HOME", "/home/ana");
    const struct
    {
        const char *system;
        const char *user;
        const char *dataHome;
        QStringList folders;
    } cases[] = {
        {"", "", "", {"/var/lib/flatpak/exports/bin", "/home/ana/.local/share/flatpak/exports/bin"}},
        {"", "", "/data", {"/var/lib/flatpak/exports/bin", "/data/flatpak/exports/bin"}},
        {"/sys/fp/", "/fp", "/data", {"/sys/fp/exports/bin", "/fp/exports/bin"}},
        {"relative",
         "relative",
         "relative",
         {"/var/lib/flatpak/exports/bin", "/home/ana/.local/share/flatpak/exports/bin"}},
    };
    for (const auto &c : cases) {
        for (const auto &[variable, value] : {std::pair{&system, c.system}, {&user, c.user}, {&dataHome, c.dataHome}})
            variable->set(*value ? QByteArray(value) : QByteArray());
        EXPECT_EQ(InstalledEmulators::flatpakExportFolders(), c.folders) << c.user << " " << c.dataHome;
    }
}

// Launches through the main window, with starts recorded.
class KindLaunch : public MainWindowTest
{
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        makeFolder("emu");
        makeFolder("roms");
        writeFile("roms/Tetris.gb", "rom");
        m_home = m_temp.path() + "/home";
        QDir().mkpath(m_home);
        m_homeVariable.emplace("HOME", QFile::encodeName(m_home));
    }

    void storeEmulator(const QString &program, const QByteArray &more = {}) const
    {
        writeFile("emu/" + program, "#!/bin/sh\n");
        QFile::setPermissions(path("emu/" + program),
                              QFile::permissions(path("emu/" + program)) | QFileDevice::ExeOwner);
        writeSettings("[Directorios]\r\nZibo=" + path("emu/" + program).toUtf8() +
                      "\r\nZibod=" + path("emu/").toUtf8() + "\r\nRoms=" + path("roms").toUtf8() + "\r\n" + more);
    }

    void launchTetris()
    {
        QDir::setCurrent(m_base); // the base folder is the current folder when the windows are made
        start();
        clickEntry("Tetris.gb");
        item("Jugar1")->trigger();
    }

    QString m_home;
    std::optional<ScopedEnvironment> m_homeVariable;
};

// Zibo.cfg was written for every kind, into mGBA's and RetroArch's folders too (/usr/bin, the Flatpak exports).
TEST_F(KindLaunch, EachKindGetsItsArgumentsAndZiboCfgOnlyAProgramThatMayBeZibo)
{
    const QString rom = path("roms/Tetris.gb");
    makeFolder("saves");
    const QString core = m_home + "/.var/app/org.libretro.RetroArch/config/retroarch/cores/gambatte_libretro.so";
    QDir().mkpath(QFileInfo(core).path());
    QFile(core).open(QIODevice::WriteOnly);
    const struct
    {
        const char *program;
        QByteArray settings;
        QStringList arguments;
        bool ziboCfg;
    } cases[] = {
        {"mgba-qt",
         "[OtrasConfig2]\r\nSavedir=1\r\n",
         {"-C", "mute=0", "-C", "volume=119", "-s", "0", "-C", "savegamePath=" + path("saves"), "-C",
          "screenshotPath=" + path("Capturas"), rom},
         false},
        {"org.libretro.RetroArch", "", {"-L", core, "--appendconfig", path("RetroArch.cfg"), rom}, false},
        {"retroarch",
         "[Emulador]\r\nNucleo=" + core.toUtf8() + "\r\n",
         {"-L", core, "--appendconfig", path("RetroArch.cfg"), rom},
         false},
        {"zibo",
         "[Emulador]\r\nLinea=-f \"%ROM%\" %SHOTS% %SAVES%\r\nLineaPrograma=" + path("emu/zibo").toUtf8() + "\r\n",
         {"-f", rom, path("Capturas"), path("Save")},
         true},
        {"mgba", "[Emulador]\r\nLinea=%ROM%\r\nLineaPrograma=" + path("emu/mgba").toUtf8() + "\r\n", {rom}, false},
        {"zibo", "", {rom}, true},
        {"gameboy-emu", "", {rom}, true},
    };
    for (const auto &c : cases) {
        storeEmulator(c.program, c.settings);
        SettingsFile().write(Keys::Save, path("saves"));
        launchTetris();
        ASSERT_EQ(m_starter.starts.size(), 1) << c.program;
        EXPECT_EQ(m_starter.starts[0].program, path(QString("emu/") + c.program));
        EXPECT_EQ(m_starter.starts[0].arguments, c.arguments) << c.program;
        EXPECT_EQ(readFile("emu/Zibo.cfg").count("\r\n"), c.ziboCfg ? 59 : 0) << c.program;
        EXPECT_FALSE(QFile::exists(path("Zibo/Zibo.cfg"))) << c.program;
        EXPECT_TRUE(m_messages.shown.isEmpty()) << qPrintable(m_messages.shown.join('\n'));
        // The recording starter's programs never end: a RetroArch's restore waits for an end that is not seen.
        EXPECT_EQ(QFile::exists(path("RetroArch/Restaurar.json")), c.arguments.contains("--appendconfig")) << c.program;
        QFile::remove(path("RetroArch/Restaurar.json"));
        // The Game Genie switch writes it by the same rule.
        QFile::remove(path("emu/Zibo.cfg"));
        main().gameGenieSwitch()->setChecked(!main().gameGenieSwitch()->isChecked());
        EXPECT_EQ(QFile::exists(path("emu/Zibo.cfg")), c.ziboCfg) << c.program;
        stop();
        m_starter.starts.clear();
        QFile::remove(path("emu/Zibo.cfg"));
    }
    EXPECT_TRUE(QDir(path("Capturas")).exists());

    // The folder kept for Zibo.cfg stops only a launch that writes it.
    for (const char *program : {"mgba-qt", "zibo"}) {
        storeEmulator(program);
        SettingsFile().write(Keys::Zibod, path("gone/"));
        launchTetris();
        EXPECT_EQ(m_starter.starts.size(), program == QString("zibo") ? 0 : 1) << program;
        EXPECT_EQ(m_messages.shown.size(), program == QString("zibo") ? 1 : 0) << program;
        stop();
        m_starter.starts.clear();
        m_messages.shown.clear();
    }
}

TEST_F(KindLaunch, ActiveCodesReachMgbaInItsCheatsFileAndAMissingCoreIsNamed)
{
    storeEmulator("mgba-qt");
    start();
    clickEntry("Tetris.gb");
    GameGenieDialog &codes = *windows().gameGenieDialog;
    codes.code(1)->setText("ABC-DEF-GHI");
    codes.description(1)->setText("Vidas\ninfinitas");
    codes.box(1)->setChecked(true);
    codes.code(2)->setText("ABC");
    codes.box(2)->setChecked(true);
    main().gameGenieSwitch()->setChecked(true);
    item("Jugar1")->trigger();
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_EQ(m_starter.starts[0].arguments.mid(m_starter.starts[0].arguments.size() - 5),
              (QStringList{"-C", "cheatAutoload=1", "-C", "cheatsPath=" + path("Trucos"), path("roms/Tetris.gb")}));
    // The row check switched the short code off: it stays in the file as a set that starts switched off.
    EXPECT_EQ(readFile("Trucos/Tetris.cheats"),
              QByteArray("# Vidas infinitas [Cartling]\nABC-DEF-GHI\n!disabled\n# Código 2 [Cartling]\nABC\n"));

    main().gameGenieSwitch()->setChecked(false);
    item("Jugar1")->trigger();
    ASSERT_EQ(m_starter.starts.size(), 2);
    EXPECT_FALSE(m_starter.starts[1].arguments.contains("cheatsPath=" + path("Trucos")));
    stop();

    storeEmulator("org.libretro.RetroArch");
    launchTetris();
    EXPECT_EQ(m_starter.starts.size(), 2);
    ASSERT_EQ(m_messages.shown.size(), 1);
    EXPECT_TRUE(m_messages.shown[0].endsWith(m_home + "/.var/app/org.libretro.RetroArch/config/retroarch/cores"))
        << qPrintable(m_messages.shown[0]);
}

// Forcing the original Game Boy did nothing for a game made for both consoles: mGBA reads gb.model only for
// games made for the original one.
TEST_F(KindLaunch, MgbaIsToldTheModelKeyTheLaunchedGamesHeaderSelects)
{
    QByteArray rom(0x150, '\0');
    rom[0x143] = char(0x80);
    writeFile("roms/Tetris.gb", rom);
    storeEmulator("mgba-qt", "[OtrasConfig]\r\nGBmodos=3\r\n");
    launchTetris();
    ASSERT_EQ(m_starter.starts.size(), 1);
    EXPECT_TRUE(m_starter.starts[0].arguments.contains("cgb.hybridModel=DMG"));
    EXPECT_FALSE(m_starter.starts[0].arguments.contains("gb.model=DMG"));
    stop();
}

TEST_F(KindLaunch, OptionWindowsSayWhichOptionsTheChosenEmulatorUsesAndLookAsBeforeWithZibo)
{
    // Cores of the test's own, so that the host's are never looked at.
    for (const char *name : {"cores/gambatte_libretro.so", "cores/mgba_libretro.so", "cores/bsnes_libretro.so"}) {
        makeFolder("cores");
        writeFile(name, "core");
    }
    const auto core = [this](const char *name) { return "[Emulador]\r\nNucleo=" + path(name).toUtf8() + "\r\n"; };
    const QString uses = QString::fromUtf8("De las opciones de esta ventana, el emulador elegido usa solo: ");
    const QString none = QString::fromUtf8("El emulador elegido no usa las opciones de emulador de esta ventana.");
    const QString mgbaNote = QString::fromUtf8(
        " mGBA solo colorea un juego de Gameboy Normal con una BIOS de Gameboy Color; sin ella lo muestra con la "
        "paleta elegida.");
    const struct
    {
        const char *program;
        QByteArray settings;
        QString audioVideo; // empty: no line
        QString otherOptions;
        QString codes;
    } cases[] = {
        {"zibo", "", "", "", ""},
        {"mgba-qt", "", uses + "Sonido, Volumen, Screen update frequency, Color.", uses + "Gameboy Modos." + mgbaNote,
         QString::fromUtf8("mGBA recibe los códigos en su archivo de trucos (carpeta Trucos); los marcados empiezan "
                           "activos y su ventana de trucos puede cambiarlos.")},
        {"retroarch", core("cores/gambatte_libretro.so"),
         uses + QString::fromUtf8("Sonido, Volumen, Color. Núcleo de RetroArch: Gambatte."),
         uses + QString::fromUtf8("Gameboy Modos. Núcleo de RetroArch: Gambatte. Gambatte solo puede forzar Gameboy "
                                  "Normal; con Color o Súper cada juego usa la consola para la que se hizo."),
         QString::fromUtf8("RetroArch recibe los códigos como trucos del núcleo Gambatte (carpeta Trucos); solo los "
                           "marcados se activan.")},
        {"retroarch", core("cores/mgba_libretro.so"),
         uses + QString::fromUtf8("Sonido, Volumen, Screen update frequency. Núcleo de RetroArch: mGBA."),
         uses + QString::fromUtf8("Gameboy Modos. Núcleo de RetroArch: mGBA."),
         QString::fromUtf8("RetroArch recibe los códigos como trucos del núcleo mGBA (carpeta Trucos); solo los "
                           "marcados se activan.")},
        {"retroarch", core("cores/bsnes_libretro.so"),
         uses + QString::fromUtf8("Sonido, Volumen. Núcleo de RetroArch: bsnes."),
         none + QString::fromUtf8(" Núcleo de RetroArch: bsnes."),
         QString::fromUtf8("RetroArch recibe los códigos como trucos del núcleo bsnes (carpeta Trucos); solo los "
                           "marcados se activan.")},
        // The Flatpak looks only in its own core folder, which the test's home leaves empty.
        {"org.libretro.RetroArch", "",
         uses + QString::fromUtf8("Sonido, Volumen. No se ha encontrado ningún núcleo de Game Boy para RetroArch."),
         none + QString::fromUtf8(" No se ha encontrado ningún núcleo de Game Boy para RetroArch."),
         QString::fromUtf8("RetroArch no puede recibir los códigos: no se ha encontrado ningún núcleo de Game Boy.")},
        {"gb", "[Emulador]\r\nLinea=%ROM% -c %CHEATS%\r\nLineaPrograma=" + path("emu/gb").toUtf8() + "\r\n", none, none,
         QString::fromUtf8("La línea de órdenes propia recibe los códigos en un archivo de trucos de mGBA "
                           "(%CHEATS%).")},
        {"gb", "[Emulador]\r\nLinea=%ROM%\r\nLineaPrograma=" + path("emu/gb").toUtf8() + "\r\n", none, none,
         QString::fromUtf8("La línea de órdenes propia no pasa los códigos: añada %CHEATS% para que el programa los "
                           "reciba.")},
    };
    for (const auto &c : cases) {
        storeEmulator(c.program, c.settings);
        QDir::setCurrent(m_base);
        start();
        const auto lineOf = [](QWidget *window, const char *name) {
            window->show();
            const auto *line = window->findChild<QLabel *>(name);
            return line && line->isVisible() ? line->text() : QString();
        };
        EXPECT_EQ(lineOf(windows().audioVideoDialog.get(), "EmulatorUse"), c.audioVideo) << c.program;
        EXPECT_EQ(lineOf(windows().otherOptionsDialog.get(), "EmulatorUse"), c.otherOptions) << c.program;
        EXPECT_EQ(lineOf(windows().keyboardDialog.get(), "EmulatorUse").isEmpty(), c.audioVideo.isEmpty()) << c.program;
        EXPECT_EQ(lineOf(windows().gameGenieDialog.get(), "EmulatorCodesUse"), c.codes) << c.program;
        // Only a line that is there makes the codes window taller.
        EXPECT_EQ(windows().gameGenieDialog->height(), c.codes.isEmpty() ? 412 : 448) << c.program;
        stop();
    }
}

TEST_F(KindLaunch, TheInstalledEmulatorsWindowStoresTheChoiceAsBuscarZiboDoes)
{
    writeSettings("");
    QList<InstalledEmulators::Found> found{
        {EmulatorKind::Mgba, "/usr/games/mgba-qt", {}},
        {EmulatorKind::RetroArch, "/usr/bin/retroarch", {"/cores/a.so", "/cores/b.so"}}};
    QStringList stored;
    const auto store = [&stored](const QString &program) {
        stored << program;
        SettingsFile().write(Keys::Zibo, program);
    };
    InstalledEmulatorsDialog dialog(
        store, nullptr, [&found] { return found; }, [] { return QString("/opt/own/emu"); });
    dialog.show();
    // The long hint under the own command line wraps rather than widening the window past the screen.
    EXPECT_TRUE(dialog.findChild<QLabel *>("OwnCommandHint")->wordWrap());
    ASSERT_EQ(dialog.list()->topLevelItemCount(), 2);
    EXPECT_EQ(dialog.list()->topLevelItem(0)->text(0), "mGBA");
    QTreeWidgetItem *core = dialog.list()->topLevelItem(1)->child(1);
    EXPECT_EQ(core->text(1), "/cores/b.so");
    dialog.list()->setCurrentItem(core);
    QTest::mouseClick(dialog.findChild<QPushButton *>("UseEmulator"), Qt::LeftButton);
    EXPECT_EQ(stored, QStringList{"/usr/bin/retroarch"});
    EXPECT_EQ(SettingsFile().read(Keys::RetroArchCore), "/cores/b.so");
    EXPECT_FALSE(dialog.isVisible());

    // An own command line with a quote left open cannot be saved; a whole one is stored for the stored program.
    dialog.show();
    auto *line = dialog.findChild<QLineEdit *>("OwnCommandLine");
    auto *save = dialog.findChild<QPushButton *>("SaveOwnCommand");
    QTest::keyClicks(line, "-L \"%ROM%");
    EXPECT_FALSE(save->isEnabled());
    dialog.saveOwnCommand(); // as Enter in the line would
    EXPECT_EQ(SettingsFile().read(Keys::OwnCommandLine), "");
    EXPECT_EQ(m_messages.shown,
              QStringList{QString::fromUtf8("La línea de órdenes propia tiene unas comillas sin cerrar.")});
    QTest::keyClicks(line, "\"");
    QTest::mouseClick(save, Qt::LeftButton);
    EXPECT_EQ(SettingsFile().read(Keys::OwnCommandLine), "-L \"%ROM%\"");
    EXPECT_EQ(EmulatorKinds::ofStored(SettingsFile()), EmulatorKind::OwnCommand);

    // With none found it says so and offers the file dialog.
    found.clear();
    dialog.close();
    dialog.show();
    EXPECT_TRUE(dialog.findChild<QLabel *>("NoneFound")->isVisible());
    EXPECT_FALSE(dialog.list()->isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton *>("ChooseProgram"), Qt::LeftButton);
    EXPECT_EQ(stored.last(), "/opt/own/emu");
    dialog.show();
    QTest::mouseClick(dialog.findChild<QPushButton *>("CloseEmulators"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

// Real processes, started and watched as a user's launch is.
class WatchedLaunch : public KindLaunch
{
protected:
    void SetUp() override
    {
        KindLaunch::SetUp();
        setProcessStarter(nullptr);
    }
};

TEST_F(WatchedLaunch, AnEmulatorThatCannotRunOrEndsAtOnceIsNamedWithItsLastErrorLine)
{
    storeEmulator("mgba-qt");
    writeFile("emu/mgba-qt", "#!/bin/sh\necho starting >&2\necho 'mgba-qt: unknown option' >&2\necho >&2\nexit 2\n");
    QSignalSpy ended(&emulatorRuns(), &EmulatorRuns::ended);
    launchTetris();
    ASSERT_TRUE(ended.wait(10000));
    EXPECT_EQ(ended[0][0].toString(), path("roms/Tetris.gb"));
    EXPECT_EQ(ended[0][2].toInt(), 2);
    EXPECT_EQ(m_messages.shown, QStringList{QString::fromUtf8("El emulador \"") + path("emu/mgba-qt") +
                                            QString::fromUtf8("\" ha terminado nada más empezar. Su último mensaje: "
                                                              "mgba-qt: unknown option")});

    m_messages.shown.clear();
    QFile::setPermissions(path("emu/mgba-qt"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.shown, QStringList{"No se puede iniciar el emulador \"" + path("emu/mgba-qt") +
                                            "\": el programa no es ejecutable."});
    m_messages.shown.clear();
    QFile::remove(path("emu/mgba-qt"));
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.shown, QStringList{"No se puede iniciar el emulador \"" + path("emu/mgba-qt") +
                                            "\": el programa ya no existe."});
}

// RetroArch saves the cheats of the game it ran into the user's own cheats folder when it ends: the user's own
// cheat file for the game held Cartling's codes from then on.
TEST_F(WatchedLaunch, RetroArchGetsTheLaunchsFilesAndWhatItLeavesInTheUsersFilesIsPutBack)
{
    makeFolder("cores");
    writeFile("cores/gambatte_libretro.so", "core");
    storeEmulator("retroarch", "[Emulador]\r\nNucleo=" + path("cores/gambatte_libretro.so").toUtf8() +
                                   "\r\n[OtrasConfig]\r\nGBmodos=3\r\n[Video]\r\nColor=6\r\n[Sonido]\r\nTipo=0\r\n");
    QFile userCheats(m_home + "/.config/retroarch/cheats/Gambatte/Tetris.cht");
    QDir().mkpath(QFileInfo(userCheats).path());
    ASSERT_TRUE(userCheats.open(QIODevice::WriteOnly) && userCheats.write("mine") == 4);
    userCheats.close();
    writeFile("emu/retroarch", "#!/bin/sh\nprintf ours > \"$HOME/.config/retroarch/cheats/Gambatte/Tetris.cht\"\n");
    QSignalSpy ended(&emulatorRuns(), &EmulatorRuns::ended);
    start();
    clickEntry("Tetris.gb");
    GameGenieDialog &codes = *windows().gameGenieDialog;
    codes.code(1)->setText("1B1-82F");
    codes.box(1)->setChecked(true);
    main().gameGenieSwitch()->setChecked(true);
    item("Jugar1")->trigger();
    ASSERT_TRUE(ended.wait(20000));
    ASSERT_TRUE(userCheats.open(QIODevice::ReadOnly));
    EXPECT_EQ(userCheats.readAll(), "mine");
    EXPECT_FALSE(QFile::exists(path("RetroArch/Restaurar.json")));
    EXPECT_TRUE(m_messages.shown.isEmpty()) << qPrintable(m_messages.shown.join('\n'));

    const QByteArray appended = readFile("RetroArch.cfg");
    for (const QByteArray &line :
         {QByteArray("audio_mute_enable = \"true\""), "cheat_database_path = \"" + path("Trucos").toUtf8() + '"',
          "core_options_path = \"" + path("RetroArch/Gambatte.opt").toUtf8() + '"',
          "system_directory = \"" + path("RetroArch").toUtf8() + '"'})
        EXPECT_TRUE(appended.contains(line + '\n')) << line.constData();
    EXPECT_EQ(readFile("Trucos/Gambatte/Tetris.cht"),
              QString::fromUtf8("cheats = \"1\"\ncheat0_desc = \"Código 1\"\ncheat0_code = \"1B1-82F\"\n"
                                "cheat0_enable = \"true\"\n")
                  .toUtf8());
    EXPECT_EQ(readFile("RetroArch/Gambatte.opt"),
              "gambatte_gb_colorization = \"custom\"\ngambatte_gb_hwmode = \"GB\"\n");
    EXPECT_TRUE(readFile("RetroArch/palettes/default.pal").startsWith("[General]\n[Background]\nBackground0="));

    // A RetroArch that cannot be started leaves nothing to wait for.
    QFile::setPermissions(path("emu/retroarch"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    item("Jugar1")->trigger();
    EXPECT_EQ(m_messages.shown.size(), 1);
    EXPECT_FALSE(QFile::exists(path("RetroArch/Restaurar.json")));
}

TEST_F(WatchedLaunch, TheRecordingStandInTakesMgbasArgumentsAsGiven)
{
    storeEmulator("mgba-qt", "[Sonido]\r\nTipo=0\r\n");
    QFile::remove(path("emu/mgba-qt"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(CARTLING_BIN_DIR "/zibo"), path("emu/mgba-qt")));
    const QString name = QString::fromUtf8("Mi \"juego\" $(touch hacked) 100%.gb");
    writeFile("roms/" + name, "rom");
    qputenv("ZIBO_STANDIN_RECORD", QFile::encodeName(path("record.jsonl")));
    QSignalSpy ended(&emulatorRuns(), &EmulatorRuns::ended);
    start();
    clickEntry(name);
    item("Jugar1")->trigger();
    const bool finished = ended.wait(20000);
    qunsetenv("ZIBO_STANDIN_RECORD");
    ASSERT_TRUE(finished);
    EXPECT_EQ(ended[0][2].toInt(), 0);
    const QJsonObject record = QJsonDocument::fromJson(readFile("record.jsonl")).object();
    EXPECT_EQ(record["arguments"].toArray(),
              QJsonArray::fromStringList(
                  {"-C", "mute=1", "-s", "0", "-C", "screenshotPath=" + path("Capturas"), path("roms/" + name)}));
    EXPECT_TRUE(m_messages.shown.isEmpty());
    EXPECT_FALSE(QFile::exists(path("roms/hacked")));
}

} // namespace
