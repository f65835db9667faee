#include "TestSupport.h"

#include "emulator/MgbaEmulator.h"
#include "settings/SettingsFile.h"

#include <QFile>

namespace {

class MgbaKind : public BaseFolderTest
{
};

// The start of a ROM image up to the end of its header, with the flags that decide mGBA's model.
QByteArray header(quint8 colourFlag, quint8 superGameBoyFlag = 0, quint8 oldLicensee = 0x33)
{
    QByteArray bytes(0x150, '\0');
    bytes[0x143] = char(colourFlag);
    bytes[0x146] = char(superGameBoyFlag);
    bytes[0x14B] = char(oldLicensee);
    return bytes;
}

TEST_F(MgbaKind, MgbaGetsTheStoredOptionsAsItsOwnCommandLineOptions)
{
    const LaunchFiles files{"/roms/Mi juego.gb", "/base/Trucos/Mi juego.cheats", "/base/Capturas", "/saves"};
    const auto option = [](const QString &setting) { return QStringList{"-C", setting}; };
    const struct
    {
        const char *label;
        QByteArray ini;
        LaunchFiles files;
        QStringList expected;
        QByteArray romStart = header(0);
    } cases[] = {
        {"defaults",
         "",
         {files.rom, {}, files.shotsFolder, {}},
         option("mute=0") + option("volume=119") + QStringList{"-s", "0"} + option("screenshotPath=/base/Capturas") +
             QStringList{"/roms/Mi juego.gb"}},
        {"no sound, 15 fps, grey, Super Game Boy",
         "[Sonido]\r\nTipo=0\r\nVolumen=3\r\n[Video]\r\nScreen update frequency=2\r\nColor=6\r\n"
         "[OtrasConfig]\r\nGBmodos=4\r\n",
         files,
         option("mute=1") + QStringList{"-s", "3"} + option("gb.pal[0]=16777215") + option("gb.pal[1]=13290186") +
             option("gb.pal[2]=11711154") + option("gb.pal[3]=8224125") + option("gb.model=SGB") +
             option("savegamePath=/saves") + option("screenshotPath=/base/Capturas") + option("cheatAutoload=1") +
             option("cheatsPath=/base/Trucos") + QStringList{"/roms/Mi juego.gb"}},
        {"full volume, 30 fps, the five-digit colour, colour model",
         "[Sonido]\r\nVolumen=20\r\n[Video]\r\nScreen update frequency=1\r\nColor=5\r\n[OtrasConfig]\r\nGBmodos=2\r\n",
         {files.rom, {}, {}, {}},
         option("mute=0") + option("volume=256") + QStringList{"-s", "1"} + option("gb.pal[0]=2424677") +
             option("gb.pal[1]=2411044") + option("gb.pal[2]=1611288") + option("gb.pal[3]=22784") +
             option("gb.model=CGB") + QStringList{"/roms/Mi juego.gb"}},
        {"volume 8 of 15 is 136.5 of 256: rounded, not cut",
         "[Sonido]\r\nVolumen=8\r\n",
         {files.rom, {}, {}, {}},
         option("mute=0") + option("volume=137") + QStringList{"-s", "0"} + QStringList{"/roms/Mi juego.gb"}},
        {"normal model, out-of-range choices read as defaults",
         "[Sonido]\r\nVolumen=1\r\n[Video]\r\nScreen update frequency=7\r\nColor=9\r\n[OtrasConfig]\r\nGBmodos=3\r\n",
         {files.rom, {}, {}, {}},
         option("mute=0") + option("volume=17") + QStringList{"-s", "0"} + option("gb.model=DMG") +
             QStringList{"/roms/Mi juego.gb"}},
        {"a header that could not be read: every model key",
         "[Sonido]\r\nTipo=0\r\n[OtrasConfig]\r\nGBmodos=3\r\n",
         {files.rom, {}, {}, {}},
         option("mute=1") + QStringList{"-s", "0"} + option("gb.model=DMG") + option("sgb.model=DMG") +
             option("cgb.model=DMG") + option("cgb.hybridModel=DMG") + option("cgb.sgbModel=DMG") +
             QStringList{"/roms/Mi juego.gb"},
         header(0x80).left(0x14F)},
    };
    for (const auto &c : cases) {
        writeFile("Cartling.ini", c.ini);
        EXPECT_EQ(MgbaEmulator::argumentsFor(SettingsFile(), c.files, c.romStart), c.expected) << c.label;
    }
}

// mGBA reads "gb.model" only for games made for the original Game Boy, so "Forzar Gameboy Normal" did nothing for
// a game made for both consoles (colour flag 0x80); a colour game with Super Game Boy functions (0x80 or 0xC0 with
// flag 0x03 and licensee 0x33) was given cgb.hybridModel or cgb.model, which mGBA ignores for it. Each key was seen
// taking effect in mgba-qt 0.10.1.
TEST(MgbaModel, TheKeyMgbaReadsFollowsTheGamesHeader)
{
    const QStringList all{"gb.model", "sgb.model", "cgb.model", "cgb.hybridModel", "cgb.sgbModel"};
    const struct
    {
        const char *label;
        QByteArray romStart;
        QStringList keys;
    } cases[] = {
        {"original Game Boy", header(0x00), {"gb.model"}},
        {"for both consoles", header(0x80), {"cgb.hybridModel"}},
        {"Game Boy Color only", header(0xC0), {"cgb.model"}},
        {"a colour flag mGBA does not take as one (0x88)", header(0x88), {"gb.model"}},
        {"only the colour-only bit (0x40)", header(0x40), {"gb.model"}},
        {"Super Game Boy functions", header(0x00, 0x03), {"sgb.model"}},
        {"Super Game Boy flag without the licensee code it needs", header(0x00, 0x03, 0x01), {"gb.model"}},
        {"a flag value other than 0x03", header(0x00, 0x01), {"gb.model"}},
        {"both consoles and Super Game Boy", header(0x80, 0x03), {"cgb.sgbModel"}},
        {"colour only and Super Game Boy", header(0xC0, 0x03), {"cgb.sgbModel"}},
        {"both consoles, Super Game Boy flag without the licensee", header(0x80, 0x03, 0x01), {"cgb.hybridModel"}},
        {"an image shorter than its header", header(0xC0).left(0x14F), all},
        {"no image", {}, all},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MgbaEmulator::modelKeys(c.romStart), c.keys) << c.label;
}

// What mGBA's cheats window changed is handed back only for Cartling's own sets, and only to a launch that takes
// it; a launch without a taker still writes the file.
TEST_F(MgbaKind, OnlyChoicesMadeInCartlingsSetsAreHandedBackBeforeTheFileIsWritten)
{
    const SettingsFile settings;
    CodeSet rows;
    rows[0] = {true, "ABC-DEF", "Vidas"};
    QList<QList<CodeChoice>> taken;
    const auto take = [&taken](const QList<CodeChoice> &choices, const QDateTime &) { taken.append(choices); };
    const struct
    {
        const char *label;
        QByteArray file; // empty: none there
        QList<QList<CodeChoice>> taken;
    } cases[] = {
        {"no file yet", {}, {}},
        {"the user's sets only", "# Mine\n012-345\n", {}},
        {"Cartling's set switched off in mGBA's window",
         "!disabled\n# Vidas [Cartling]\nABC-DEF\n# Mine\n012-345\n",
         {{{"ABC-DEF", false}}}},
    };
    for (const auto &c : cases) {
        for (const bool withTaker : {true, false}) {
            taken.clear();
            QFile::remove(path("Trucos/Tetris.cheats"));
            if (!c.file.isEmpty())
                writeFile("Trucos/Tetris.cheats", c.file);
            LaunchContext launch{settings,
                                 "/usr/bin/mgba-qt",
                                 path("roms/Tetris.gb"),
                                 m_base,
                                 [&rows] { return std::optional(rows); },
                                 withTaker ? std::function(take) : nullptr,
                                 {}};
            QString written;
            EXPECT_NO_THROW(written = launch.writeMgbaCheats()) << c.label << withTaker;
            EXPECT_EQ(written, path("Trucos/Tetris.cheats")) << c.label;
            EXPECT_EQ(taken, withTaker ? c.taken : QList<QList<CodeChoice>>()) << c.label;
            EXPECT_TRUE(readFile("Trucos/Tetris.cheats").startsWith("# Vidas [Cartling]\nABC-DEF\n")) << c.label;
        }
    }
}

} // namespace
