#include "TestSupport.h"

#include "emulator/MgbaEmulator.h"
#include "settings/SettingsFile.h"

namespace {

class MgbaKind : public BaseFolderTest
{
};

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
    } cases[] = {
        {"defaults",
         "",
         {files.rom, {}, files.shotsFolder, {}},
         option("volume=119") + QStringList{"-s", "0"} + option("screenshotPath=/base/Capturas") +
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
         option("volume=256") + QStringList{"-s", "1"} + option("gb.pal[0]=2424677") + option("gb.pal[1]=2411044") +
             option("gb.pal[2]=1611288") + option("gb.pal[3]=22784") + option("gb.model=CGB") +
             QStringList{"/roms/Mi juego.gb"}},
        {"volume 8 of 15 is 136.5 of 256: rounded, not cut",
         "[Sonido]\r\nVolumen=8\r\n",
         {files.rom, {}, {}, {}},
         option("volume=137") + QStringList{"-s", "0"} + QStringList{"/roms/Mi juego.gb"}},
        {"normal model, out-of-range choices read as defaults",
         "[Sonido]\r\nVolumen=1\r\n[Video]\r\nScreen update frequency=7\r\nColor=9\r\n[OtrasConfig]\r\nGBmodos=3\r\n",
         {files.rom, {}, {}, {}},
         option("volume=17") + QStringList{"-s", "0"} + option("gb.model=DMG") + QStringList{"/roms/Mi juego.gb"}},
    };
    for (const auto &c : cases) {
        writeFile("Cartling.ini", c.ini);
        EXPECT_EQ(MgbaEmulator::argumentsFor(SettingsFile(), c.files), c.expected) << c.label;
    }
}

} // namespace
