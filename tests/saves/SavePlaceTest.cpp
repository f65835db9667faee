#include "TestSupport.h"

#include "emulator/Emulator.h"
#include "emulator/RetroArchEmulator.h"
#include "settings/SettingsFile.h"

namespace {

class SavePlaceTest : public BaseFolderTest
{
};

TEST_F(SavePlaceTest, EachKindKeepsTheSaveWhereItsProgramLooks)
{
    makeFolder("Roms");
    makeFolder("Save");
    const QString rom = path("Roms/Pokémon Oro.gbc");
    const QString zip = path("Roms/tetris.zip");
    using C = SavePlace::Clock;
    const auto place = [](EmulatorKind kind, const char *program, const QString &game) {
        return Emulators::of(kind).savePlace(SettingsFile(), QString::fromLatin1(program), game);
    };
    // Beside the ROM, by its stem (an archive's own name for a zipped game).
    EXPECT_EQ(place(EmulatorKind::Zibo, "zibo", rom), (SavePlace{path("Roms/Pokémon Oro.sav"), {}, C::None}));
    EXPECT_EQ(place(EmulatorKind::Mgba, "mgba-qt", zip), (SavePlace{path("Roms/tetris.sav"), {}, C::InFile}));
    EXPECT_EQ(place(EmulatorKind::OwnCommand, "/usr/games/mgba-qt", rom).clockForm, C::InFile);
    EXPECT_EQ(place(EmulatorKind::OwnCommand, "/opt/zibo", rom).clockForm, C::None);

    // With the Save folder on, every kind is given it.
    SettingsFile settings;
    settings.write(Keys::Save, path("Save"));
    settings.write(Keys::Savedir, true);
    EXPECT_EQ(place(EmulatorKind::Mgba, "mgba-qt", rom).save, path("Save/Pokémon Oro.sav"));
    EXPECT_EQ(place(EmulatorKind::RetroArch, "retroarch", rom),
              (SavePlace{path("Save/Pokémon Oro.srm"), path("Save/Pokémon Oro.rtc"), C::SeparateFile}));
    // Switched off, or a folder that is gone, it is not.
    settings.write(Keys::Save, path("gone"));
    EXPECT_EQ(place(EmulatorKind::Zibo, "zibo", rom).save, path("Roms/Pokémon Oro.sav"));
}

TEST_F(SavePlaceTest, RetroArchSavesWhereItsConfigurationSays)
{
    const QString rom = path("Roms/game.gb");
    const struct
    {
        QHash<QString, QString> config;
        QString folder;
    } cases[] = {
        {{}, path("cfg/saves")},
        {{{"savefile_directory", "~/partidas"}}, QDir::homePath() + "/partidas"},
        {{{"savefile_directory", "/srv/saves/"}}, "/srv/saves"},
        {{{"savefile_directory", ""}}, path("Roms")},
        {{{"savefile_directory", "default"}}, path("Roms")},
        {{{"savefile_directory", "/srv/saves"}, {"savefiles_in_content_dir", "true"}}, path("Roms")},
        {{{"savefile_directory", "/srv/saves"}, {"savefiles_in_content_dir", "false"}}, "/srv/saves"},
    };
    for (const auto &c : cases) {
        const SavePlace place = RetroArchEmulator::savePlaceFrom(c.config, path("cfg"), QString(), rom);
        EXPECT_EQ(place.save, c.folder + "/game.srm") << qPrintable(c.config.value("savefile_directory"));
        EXPECT_EQ(place.clock, c.folder + "/game.rtc");
    }
    // The Save folder Cartling passes wins over all of it.
    EXPECT_EQ(
        RetroArchEmulator::savePlaceFrom({{"savefiles_in_content_dir", "true"}}, path("cfg"), path("S"), rom).save,
        path("S/game.srm"));
}

} // namespace
