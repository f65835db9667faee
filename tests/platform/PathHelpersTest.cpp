#include "platform/PathHelpers.h"

#include <gtest/gtest.h>

namespace {

struct PathCase
{
    const char *path;
    const char *folder;
    const char *parent;
    const char *name;
    const char *extension;
    const char *stem;
};

class PathHelpersTest : public ::testing::TestWithParam<PathCase>
{
};

TEST_P(PathHelpersTest, SplitsThePathAsPlainText)
{
    const PathCase &c = GetParam();
    const QString path = QString::fromUtf8(c.path);
    EXPECT_EQ(folderOf(path), QString::fromUtf8(c.folder));
    EXPECT_EQ(parentFolderOf(path), QString::fromUtf8(c.parent));
    EXPECT_EQ(fileNameOf(path), QString::fromUtf8(c.name));
    EXPECT_EQ(extensionOf(path), QString::fromUtf8(c.extension));
    EXPECT_EQ(stemOf(path), QString::fromUtf8(c.stem));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, PathHelpersTest,
    ::testing::Values(PathCase{"/roms/Juego.gb", "/roms/", "", "Juego.gb", "gb", "Juego"},
                      PathCase{"C:/roms/sub/Juego.gb", "C:/roms/sub/", "C:/roms", "Juego.gb", "gb", "Juego"},
                      PathCase{"/a/b/c/game.tar.zip", "/a/b/c/", "/a/b", "game.tar.zip", "zip", "game.tar"},
                      // No dot: the extension is the file name, the stem is empty.
                      PathCase{"/roms/README", "/roms/", "", "README", "README", ""},
                      // A dot in a folder only: a separator follows the last dot.
                      PathCase{"/my.roms/tetris", "/my.roms/", "", "tetris", "tetris", ""},
                      PathCase{"/roms/.hidden", "/roms/", "", ".hidden", "hidden", ""},
                      PathCase{"/roms/name.", "/roms/", "", "name.", "", "name"},
                      PathCase{"Juego.gbc", "", "", "Juego.gbc", "gbc", "Juego"},
                      PathCase{"/roms/Pokémon \"Oro\" $(x).gbc", "/roms/", "", "Pokémon \"Oro\" $(x).gbc", "gbc",
                               "Pokémon \"Oro\" $(x)"}));

TEST(ZipTag, TurnsOnlyCapitalZIPToSmallLetters)
{
    EXPECT_EQ(zipTag("ZIP"), "zip");
    EXPECT_EQ(zipTag("Zipx"), "zip");
    EXPECT_EQ(zipTag("zIpper"), "zip");
    EXPECT_EQ(zipTag("GBC"), "GBC");
    EXPECT_EQ(zipTag("ZA"), "zA");
    EXPECT_EQ(zipTag(""), "");
}

TEST(ArchiveTest, TheFirstThreeCharactersOfTheExtensionDecide)
{
    EXPECT_TRUE(isArchive("/roms/a.zip"));
    EXPECT_TRUE(isArchive("/roms/a.ZIP"));
    EXPECT_TRUE(isArchive("/roms/a.Zip"));
    EXPECT_TRUE(isArchive("/roms/a.zipx"));
    EXPECT_TRUE(isArchive("/roms/zipper")); // no dot: the whole file name counts
    EXPECT_FALSE(isArchive("/roms/a.gb"));
    EXPECT_FALSE(isArchive("/roms/a.zi"));
    EXPECT_FALSE(isArchive("/zip.d/game"));
}

} // namespace
