#include "TestSupport.h"

#include "emulator/MgbaEmulator.h"
#include "emulator/RetroArchCheats.h"
#include "emulator/RetroArchCoreOptions.h"
#include "emulator/RetroArchCores.h"
#include "emulator/RetroArchEmulator.h"
#include "emulator/RetroArchRestore.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A home folder of the test's own, so no real user's RetroArch files are ever read or written.
class RetroArchKind : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        m_home.emplace("HOME", QFile::encodeName(path("home")));
        m_configHome.emplace("XDG_CONFIG_HOME", QByteArray());
        makeFolder("home/.config/retroarch");
    }

    std::optional<ScopedEnvironment> m_home;
    std::optional<ScopedEnvironment> m_configHome;
};

QByteArray lines(std::initializer_list<const char *> entries)
{
    QByteArray text;
    for (const char *entry : entries)
        text += QByteArray(entry) + '\n';
    return text;
}

TEST_F(RetroArchKind, TheAppendedFileCarriesEveryStoredOptionThatReachesRetroArch)
{
    const QByteArray saves =
        lines({"savefile_directory = \"/s\"", "savestate_directory = \"/s\"", "savefiles_in_content_dir = \"false\"",
               "savestates_in_content_dir = \"false\"", "sort_savefiles_enable = \"false\"",
               "sort_savestates_enable = \"false\"", "sort_savefiles_by_content_enable = \"false\"",
               "sort_savestates_by_content_enable = \"false\""});
    const QByteArray shots = lines({"screenshot_directory = \"/b/Capturas\"", "screenshots_in_content_dir = \"false\"",
                                    "sort_screenshots_by_content_enable = \"false\"",
                                    "auto_screenshot_filename = \"true\"", "video_gpu_screenshot = \"false\""});
    const struct
    {
        const char *label;
        QByteArray ini;
        RetroArchEmulator::Places places;
        QByteArray expected;
    } cases[] = {
        {"defaults: sound on at volume 7", "", {}, lines({"audio_mute_enable = \"false\"", "audio_volume = \"-6.6\""})},
        {"sound off: no volume", "[Sonido]\r\nTipo=0\r\nVolumen=15\r\n", {}, lines({"audio_mute_enable = \"true\""})},
        {"every place",
         "[Sonido]\r\nVolumen=15\r\n",
         {"/b/Capturas", "/s", "/b/Trucos", "/b/RetroArch/Gambatte.opt", "/b/RetroArch"},
         lines({"audio_mute_enable = \"false\"", "audio_volume = \"0.0\""}) + saves + shots +
             lines({"cheat_database_path = \"/b/Trucos\"", "apply_cheats_after_load = \"true\"",
                    "global_core_options = \"true\"", "core_options_path = \"/b/RetroArch/Gambatte.opt\"",
                    "game_specific_options = \"false\"", "system_directory = \"/b/RetroArch\""})},
        // A value RetroArch would end at the quote or the line end: the rest of the file must stay readable.
        {"a folder holding a quote and a line end",
         "[Sonido]\r\nTipo=0\r\n",
         {{}, "/s \"x\"\ny", {}, {}, {}},
         lines({"audio_mute_enable = \"true\"", "savefile_directory = \"/s 'x' y\"",
                "savestate_directory = \"/s 'x' y\""}) +
             saves.mid(saves.indexOf("savefiles_in"))},
    };
    for (const auto &c : cases) {
        writeFile("Cartling.ini", c.ini);
        EXPECT_EQ(RetroArchConfig::format(RetroArchEmulator::appendedEntries(SettingsFile(), c.places)), c.expected)
            << c.label;
    }
}

// 15 is 0 dB; each step keeps the share of the amplitude that mGBA's volume N * 256 / 15 gives.
TEST(RetroArchVolume, CartlingsFifteenStepsAreDecibelsOfTheSameAmplitude)
{
    const struct
    {
        int volume;
        const char *decibels;
    } cases[] = {{15, "0.0"},  {14, "-0.6"},  {8, "-5.5"}, {7, "-6.6"}, {1, "-23.5"},
                 {0, "-80.0"}, {-2, "-80.0"}, {16, "0.0"}, {99, "0.0"}};
    for (const auto &c : cases)
        EXPECT_EQ(RetroArchEmulator::volumeDecibels(c.volume), c.decibels) << c.volume;
}

TEST(RetroArchCheatFile, EveryRowWithACodeIsACheatOnlyTheTickedOnesEnabled)
{
    CodeSet rows;
    rows[1] = {true, " 1B1-82F ", "Paleta \"invertida\"\r\nya"};
    rows[2] = {false, "", "sin código"};
    rows[4] = {false, "011B00C0", ""};
    rows[6] = {true, "ABC-DEF-GHI+00A-17B-C49", "  "};
    EXPECT_EQ(RetroArchCheats::file(rows, QString::fromUtf8("Código ")),
              lines({"cheats = \"3\"", "cheat0_desc = \"Paleta 'invertida' ya\"", "cheat0_code = \"1B1-82F\"",
                     "cheat0_enable = \"true\"", "cheat1_desc = \"Código 5\"", "cheat1_code = \"011B00C0\"",
                     "cheat1_enable = \"false\"", "cheat2_desc = \"Código 7\"",
                     "cheat2_code = \"ABC-DEF-GHI+00A-17B-C49\"", "cheat2_enable = \"true\""}));
    EXPECT_EQ(RetroArchCheats::file(CodeSet(), "Code "), lines({"cheats = \"0\""}));

    // RetroArch names the content as the file is named without its last extension, an archive's included.
    const struct
    {
        const char *rom;
        const char *file;
    } paths[] = {{"/r/Mi juego.v1.gb", "/T/Gambatte/Mi juego.v1.cht"},
                 {"/r/Pack (E).zip", "/T/Gambatte/Pack (E).cht"},
                 {"/r/sin", "/T/Gambatte/sin.cht"}};
    for (const auto &p : paths)
        EXPECT_EQ(RetroArchCheats::path("/T", "Gambatte", p.rom), p.file) << p.rom;
}

TEST(EmulatorShots, EachKindTakesOnlyTheShotNamesItsProgramGivesTheGame)
{
    const MgbaEmulator mgba;
    const RetroArchEmulator retroArch;
    const struct
    {
        const char *file;
        const char *stem;
        bool mgba;
        bool retroArch;
    } cases[] = {
        {"Tetris-0.png", "Tetris", true, false},
        {"Tetris-12.png", "Tetris", true, false},
        {"Tetris-261208-053959.png", "Tetris", false, true},
        {"Mi juego.v1-261208-053959.png", "Mi juego.v1", false, true},
        {"Tetris-261208-05395.png", "Tetris", false, false},
        {"Tetris-261208.png", "Tetris", true, false},
        {"Tetris-261208_053959.png", "Tetris", false, false},
        {"Tetris-2612a8-053959.png", "Tetris", false, false},
        {"Tetris-261208-053959.jpg", "Tetris", false, false},
        {"tetris-261208-053959.png", "Tetris", false, false},
        {"Tetris 2-261208-053959.png", "Tetris", false, false},
        {"Tetris-.png", "Tetris", false, false},
        {"Tetris.png", "Tetris", false, false},
        {"-0.png", "", false, false},
        // The stem "x.png" of "x.png.gb": a name no longer than the stem made the check slice backwards.
        {"x.png", "x.png", false, false},
        {"x.pn", "x.png", false, false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(mgba.isShotOf(QString(c.file), QString(c.stem)), c.mgba) << c.file;
        EXPECT_EQ(retroArch.isShotOf(QString(c.file), QString(c.stem)), c.retroArch) << c.file;
    }
}

TEST_F(RetroArchKind, TheCoresLibraryNameIsItsOwnNameOrWhatItsInformationFileSays)
{
    makeFolder("cores");
    writeFile("cores/snes9x_libretro.info", "display_name = \"Nintendo - SNES\"\ncorename = \"Snes9x\"\n");
    writeFile("cores/evil_libretro.info", "corename = \"../../config\"\n");
    writeFile("cores/blank_libretro.info", "corename = \"  \"\n");
    const struct
    {
        QString core;
        const char *library;
    } cases[] = {
        {"/usr/lib/x86_64-linux-gnu/libretro/gambatte_libretro.so", "Gambatte"},
        {"/x/sameboy_libretro.so", "SameBoy"},
        {"/x/mgba_libretro.so", "mGBA"},
        {"/x/gearboy_libretro.so", "Gearboy"},
        {path("cores/snes9x_libretro.so"), "Snes9x"},
        {path("cores/evil_libretro.so"), "evil"},
        {path("cores/blank_libretro.so"), "blank"},
        {path("cores/other.so"), "other"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RetroArchCores::libraryName(c.core, {path("cores"), path("info")}), c.library) << qPrintable(c.core);

    // The host's RetroArch never loads the Flatpak's cores, nor the Flatpak the host's.
    const QString flatpakCores = path("home/.var/app/org.libretro.RetroArch/config/retroarch/cores");
    EXPECT_EQ(RetroArchCores::folders(true), QStringList{flatpakCores});
    EXPECT_FALSE(RetroArchCores::folders(false).contains(flatpakCores));
    EXPECT_TRUE(RetroArchCores::folders(false).contains(path("home/.config/retroarch/cores")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path("conf")));
    EXPECT_TRUE(RetroArchCores::folders(false).contains(path("conf/retroarch/cores")));
}

TEST_F(RetroArchKind, EachCoreGetsTheOptionsItHasAndNoOther)
{
    using Entries = RetroArchConfig::Entries;
    const struct
    {
        const char *label;
        const char *library;
        QByteArray ini;
        Entries options;
        bool paletteFile;
    } cases[] = {
        {"gambatte, defaults", "Gambatte", "", {}, false},
        {"gambatte, normal model and a colour scheme",
         "Gambatte",
         "[OtrasConfig]\r\nGBmodos=3\r\n[Video]\r\nColor=6\r\n",
         {{"gambatte_gb_hwmode", "GB"}, {"gambatte_gb_colorization", "custom"}},
         true},
        {"gambatte cannot force colour nor Super Game Boy",
         "Gambatte",
         "[OtrasConfig]\r\nGBmodos=2\r\n",
         {{"gambatte_gb_hwmode", "Auto"}},
         false},
        {"gambatte, Super Game Boy and a scheme out of range",
         "Gambatte",
         "[OtrasConfig]\r\nGBmodos=4\r\n[Video]\r\nColor=7\r\n",
         {{"gambatte_gb_hwmode", "Auto"}},
         false},
        {"mGBA, defaults: no frame skipped", "mGBA", "", {{"mgba_frameskip", "0"}}, false},
        {"mGBA, 15 fps, colour model, a scheme it cannot take",
         "mGBA",
         "[Video]\r\nScreen update frequency=2\r\nColor=3\r\n[OtrasConfig]\r\nGBmodos=2\r\n",
         {{"mgba_frameskip", "3"}, {"mgba_gb_model", "Game Boy Color"}},
         false},
        {"mGBA, 30 fps, normal",
         "mGBA",
         "[Video]\r\nScreen update frequency=1\r\n[OtrasConfig]\r\nGBmodos=3\r\n",
         {{"mgba_frameskip", "1"}, {"mgba_gb_model", "Game Boy"}},
         false},
        {"mGBA, out of range, Super Game Boy",
         "mGBA",
         "[Video]\r\nScreen update frequency=5\r\n[OtrasConfig]\r\nGBmodos=4\r\n",
         {{"mgba_frameskip", "0"}, {"mgba_gb_model", "Super Game Boy"}},
         false},
        {"mGBA, autodetect and out-of-range models",
         "mGBA",
         "[OtrasConfig]\r\nGBmodos=5\r\n",
         {{"mgba_frameskip", "0"}},
         false},
        {"a core Cartling knows nothing of",
         "SameBoy",
         "[OtrasConfig]\r\nGBmodos=3\r\n[Video]\r\nColor=6\r\nScreen update frequency=2\r\n",
         {},
         false},
    };
    for (const auto &c : cases) {
        writeFile("Cartling.ini", c.ini);
        EXPECT_EQ(RetroArchCoreOptions::of(c.library, SettingsFile()), c.options) << c.label;
        EXPECT_EQ(RetroArchCoreOptions::needsPaletteFile(c.library, SettingsFile()), c.paletteFile) << c.label;
    }

    // gambatte's palette file: the scheme's colours, lightest first, for the background and both sprite palettes.
    writeFile("Cartling.ini", "[Video]\r\nColor=5\r\n");
    QByteArray expected = "[General]\n";
    for (const char *group : {"Background", "Sprite%201", "Sprite%202"}) {
        expected += QByteArray("[") + group + "]\n";
        int i = 0;
        for (const char *colour : {"2424677", "2411044", "1611288", "22784"})
            expected += group + QByteArray::number(i++) + "=" + colour + "\n";
    }
    EXPECT_EQ(RetroArchCoreOptions::gambattePalette(SettingsFile()), expected);
    writeFile("Cartling.ini", "");
    EXPECT_EQ(RetroArchCoreOptions::gambattePalette(SettingsFile()), QByteArray());
}

TEST_F(RetroArchKind, TheLaunchsCoreOptionsStartFromTheUsersOwnAsRetroArchWouldPickThem)
{
    const QString config = path("home/.config/retroarch/retroarch.cfg");
    makeFolder("home/.config/retroarch/config/Gambatte");
    makeFolder("home/opts/Gambatte");
    writeFile("home/.config/retroarch/config/Gambatte/Gambatte.opt",
              "gambatte_gb_hwmode = \"GB\"\ngambatte_gbc_color_correction = \"disabled\"\nshared = \"core\"\n");
    writeFile("home/.config/retroarch/config/Gambatte/roms.opt", "shared = \"folder\"\nfolder = \"1\"\n");
    writeFile("home/.config/retroarch/config/Gambatte/Tetris.opt", "shared = \"game\"\n");
    writeFile("home/opts/Gambatte/Gambatte.opt", "moved = \"1\"\n");
    writeFile("home/global.cfg", "global = \"1\"\n");
    writeFile("home/.config/retroarch/retroarch-core-options.cfg", "everyCore = \"1\"\n");
    using Options = QHash<QString, QString>;
    const struct
    {
        const char *label;
        QByteArray userConfig;
        Options options;
    } cases[] = {
        {"the core's file, the folder's, then the game's",
         "",
         {{"gambatte_gb_hwmode", "GB"},
          {"gambatte_gbc_color_correction", "disabled"},
          {"shared", "game"},
          {"folder", "1"}}},
        {"no game or folder options",
         "game_specific_options = \"false\"\n",
         {{"gambatte_gb_hwmode", "GB"}, {"gambatte_gbc_color_correction", "disabled"}, {"shared", "core"}}},
        {"options kept elsewhere",
         "rgui_config_directory = \"~/opts\"\ngame_specific_options = \"false\"\n",
         {{"moved", "1"}}},
        {"one file for every core",
         "global_core_options = \"true\"\ngame_specific_options = \"false\"\n",
         {{"everyCore", "1"}}},
        {"one file for every core, named",
         "global_core_options = \"true\"\ncore_options_path = \"~/global.cfg\"\n"
         "game_specific_options = \"false\"\n",
         {{"global", "1"}}},
    };
    for (const auto &c : cases) {
        writeFile("home/.config/retroarch/retroarch.cfg", c.userConfig);
        EXPECT_EQ(RetroArchEmulator::userCoreOptions(config, "Gambatte", path("roms/Tetris.gb")), c.options) << c.label;
    }
}

// RetroArch 1.14 saved the cheats of the game it ran into the user's own cheats folder when it ended, so the
// user's cheat file for the game held Cartling's codes from then on.
TEST_F(RetroArchKind, WhatRetroArchWroteIntoTheUsersFilesIsPutBackAndTheUsersOwnChangesStay)
{
    const QString config = path("home/.config/retroarch/retroarch.cfg");
    const QByteArray before = "# mine\r\naudio_volume = \"0.000000\"\r\nsavefile_directory = \"~/saves\"\r\n"
                              "audio_mute_enable = \"false\"\r\nvideo_fullscreen = \"false\"\r\n";
    const RetroArchConfig::Entries appended{{"audio_volume", "-5.5"},
                                            {"savefile_directory", path("home/Save")},
                                            {"audio_mute_enable", "false"},
                                            {"cheat_database_path", path("Trucos")}};
    const struct
    {
        const char *label;
        QByteArray after; // what RetroArch left
        QByteArray restored;
    } cases[] = {
        {"RetroArch saved nothing", before, before},
        {"RetroArch saved Cartling's values, in its own way of writing them",
         "# mine\r\naudio_volume = \"-5.500000\"\r\nsavefile_directory = \"~/Save\"\r\naudio_mute_enable = "
         "\"false\"\r\nvideo_fullscreen = \"true\"\r\ncheat_database_path = \"" +
             path("Trucos").toUtf8() + "\"\r\n",
         "# mine\r\naudio_volume = \"0.000000\"\r\nsavefile_directory = \"~/saves\"\r\n"
         "audio_mute_enable = \"false\"\r\nvideo_fullscreen = \"true\"\r\n"},
        {"the user changed the volume during the session",
         "audio_volume = \"-3.000000\"\nsavefile_directory = \"" + path("home/Save").toUtf8() + "\"",
         "audio_volume = \"-3.000000\"\nsavefile_directory = \"~/saves\""},
    };
    makeFolder("home/.config/retroarch/cheats/Gambatte");
    const QString userCheats = path("home/.config/retroarch/cheats/Gambatte/Tetris.cht");
    for (const auto &c : cases) {
        writeFile("home/.config/retroarch/retroarch.cfg", before);
        writeFile("home/.config/retroarch/cheats/Gambatte/Tetris.cht", "cheats = \"1\"\ncheat0_code = \"mine\"\n");
        const RetroArchRestore restore = RetroArchRestore::take(config, appended, userCheats);
        writeFile("home/.config/retroarch/retroarch.cfg", c.after);
        writeFile("home/.config/retroarch/cheats/Gambatte/Tetris.cht", "cheats = \"1\"\ncheat0_code = \"ours\"\n");
        // Kept in the base folder, and read back, as when Cartling ended before RetroArch.
        RetroArchRestore::fromJson(restore.toJson()).restore();
        EXPECT_EQ(readFile("home/.config/retroarch/retroarch.cfg"), c.restored) << c.label;
        EXPECT_EQ(readFile("home/.config/retroarch/cheats/Gambatte/Tetris.cht"),
                  "cheats = \"1\"\ncheat0_code = \"mine\"\n")
            << c.label;
    }

    // A cheat file RetroArch made where the user had none goes; no configuration file is made.
    QFile::remove(config);
    QFile::remove(userCheats);
    const RetroArchRestore none = RetroArchRestore::take(config, appended, userCheats);
    writeFile("home/.config/retroarch/cheats/Gambatte/Tetris.cht", "cheats = \"1\"\n");
    none.restore();
    EXPECT_FALSE(QFile::exists(userCheats));
    EXPECT_FALSE(QFile::exists(config));
}

TEST_F(RetroArchKind, ARestoreWaitsInTheBaseFolderUntilItsRetroArchHasEnded)
{
    const QString config = path("home/.config/retroarch/retroarch.cfg");
    const QString userCheats = path("home/cheats/Tetris.cht");
    makeFolder("home/cheats");
    writeFile("home/cheats/Tetris.cht", "mine");
    const RetroArchRestore restore = RetroArchRestore::take(config, {}, userCheats);

    // Left by a Cartling that ended before its RetroArch: put right at the next launch.
    makeFolder("RetroArch");
    writeFile("RetroArch/Restaurar.json", QJsonDocument(QJsonObject{{"launches", QJsonArray{[&] {
                                                                         QJsonObject entry = restore.toJson();
                                                                         entry.insert("number", 7);
                                                                         return entry;
                                                                     }()}}})
                                              .toJson());
    // Recorded by this very Cartling, whose RetroArch still runs: left for its own end.
    const qint64 running = RetroArchRestore::addPending(m_base, restore);
    EXPECT_EQ(running, 8);
    writeFile("home/cheats/Tetris.cht", "ours");
    RetroArchRestore::restorePending(m_base);
    EXPECT_EQ(readFile("home/cheats/Tetris.cht"), "mine");
    const QJsonArray left =
        QJsonDocument::fromJson(readFile("RetroArch/Restaurar.json")).object().value("launches").toArray();
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left[0].toObject().value("number").toInt(), 8);

    RetroArchRestore::removePending(m_base, running);
    EXPECT_FALSE(QFile::exists(path("RetroArch/Restaurar.json")));
    // Nothing is pending: nothing is touched.
    writeFile("home/cheats/Tetris.cht", "ours");
    RetroArchRestore::restorePending(m_base);
    EXPECT_EQ(readFile("home/cheats/Tetris.cht"), "ours");
}

} // namespace
