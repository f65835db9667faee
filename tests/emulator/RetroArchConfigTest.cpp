#include "TestSupport.h"

#include "emulator/RetroArchConfig.h"

#include <QDir>
#include <QFileInfo>

namespace {

// RetroArch's own files are read for the user's values and written back by the restore: a line misread there
// would put a wrong value into the user's configuration.
TEST(RetroArchConfigFile, LinesAreReadAsRetroArchReadsThemAndWrittenSoTheyReadBack)
{
    const struct
    {
        const char *label;
        QByteArray text;
        QHash<QString, QString> entries;
    } cases[] = {
        {"quoted, blanks around", "  audio_volume  =  \"-5.5\"  \n", {{"audio_volume", "-5.5"}}},
        {"no blanks, no quotes", "a=1\nvideo_fullscreen=false", {{"a", "1"}, {"video_fullscreen", "false"}}},
        {"text after the closing quote", "k = \"v\" # note\n", {{"k", "v"}}},
        {"a quote never closed", "k = \"open\n", {{"k", "open"}}},
        {"an equals sign inside the value", "k = \"a=b\"\n", {{"k", "a=b"}}},
        {"the last of a key given twice", "k = \"1\"\nk = \"2\"\n", {{"k", "2"}}},
        {"comments, blank lines, lines without a key", "# k = \"1\"\n\n= \"2\"\njust words\r\n", {}},
        {"Windows line ends", "k = \"v\"\r\nl = w\r\n", {{"k", "v"}, {"l", "w"}}},
        {"an empty value", "k = \"\"\n", {{"k", ""}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RetroArchConfig::parse(c.text), c.entries) << c.label;

    // A value can hold neither a double quote nor a line end in RetroArch's format: written, it still reads back
    // as one value of one line.
    const RetroArchConfig::Entries written{
        {"desc", "Vidas \"infinitas\"\nfin\u2028y"}, {"path", "/a b/Trucos"}, {"tab", "a\tb"}};
    EXPECT_EQ(RetroArchConfig::format(written),
              "desc = \"Vidas 'infinitas' fin y\"\npath = \"/a b/Trucos\"\ntab = \"a b\"\n");
    const QHash<QString, QString> back = RetroArchConfig::parse(RetroArchConfig::format(written));
    EXPECT_EQ(back.size(), 3);
    EXPECT_EQ(back.value("desc"), "Vidas 'infinitas' fin y");
}

TEST(RetroArchConfigFile, OnlyTheHomeFoldersTildeIsExpanded)
{
    const QString home = QDir::homePath();
    const struct
    {
        const char *value;
        QString expanded;
    } cases[] = {
        {"~", home},
        {"~/.config/retroarch/cheats", home + "/.config/retroarch/cheats"},
        {"~user/cheats", "~user/cheats"},
        {"/abs/~/x", "/abs/~/x"},
        {"", ""},
        {"true", "true"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RetroArchConfig::expandedPath(c.value), c.expanded) << c.value;
}

// Each RetroArch keeps its configuration in its own place; an installed one falls back to ~/.retroarch.cfg only
// when that is all there is.
class RetroArchConfigPlaces : public BaseFolderTest
{
protected:
    void SetUp() override
    {
        BaseFolderTest::SetUp();
        m_home.emplace("HOME", QFile::encodeName(path("home")));
        m_configHome.emplace("XDG_CONFIG_HOME", qgetenv("XDG_CONFIG_HOME"));
        makeFolder("home");
    }

    std::optional<ScopedEnvironment> m_home;
    std::optional<ScopedEnvironment> m_configHome; // put back after the tests that set it
};

TEST_F(RetroArchConfigPlaces, EachRetroArchsConfigurationIsLookedForWhereItKeepsIt)
{
    const QString home = path("home");
    const QString flatpak = home + "/.var/app/org.libretro.RetroArch/config/retroarch/retroarch.cfg";
    const struct
    {
        const char *label;
        const char *configHome; // nullptr: unset
        QStringList files;      // under the home folder
        bool flatpak;
        QString expected;
    } cases[] = {
        {"nothing there yet", nullptr, {}, false, home + "/.config/retroarch/retroarch.cfg"},
        {"only the dot file", nullptr, {".retroarch.cfg"}, false, home + "/.retroarch.cfg"},
        {"both: the folder's wins",
         nullptr,
         {".retroarch.cfg", ".config/retroarch/retroarch.cfg"},
         false,
         home + "/.config/retroarch/retroarch.cfg"},
        {"XDG_CONFIG_HOME set", "/xdg", {}, false, "/xdg/retroarch/retroarch.cfg"},
        {"XDG_CONFIG_HOME not absolute", "rel", {}, false, home + "/.config/retroarch/retroarch.cfg"},
        {"the Flatpak never takes the dot file", "/xdg", {".retroarch.cfg"}, true, flatpak},
    };
    for (const auto &c : cases) {
        QDir(home).removeRecursively();
        makeFolder("home");
        for (const QString &file : c.files) {
            makeFolder(QFileInfo("home/" + file).path());
            writeFile("home/" + file, "x = \"1\"\n");
        }
        m_configHome->set(c.configHome ? QByteArray(c.configHome) : QByteArray());
        EXPECT_EQ(RetroArchConfig::userConfigFile(c.flatpak), c.expected) << c.label;
    }
}

} // namespace
