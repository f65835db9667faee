#include "TestSupport.h"

#include "emulator/OwnCommandEmulator.h"

namespace {

TEST(OwnCommandKind, AnOwnCommandLineKeepsEveryFileOneWholeArgument)
{
    const QString rom = QString::fromUtf8("/roms/Mi \"juego\" 100% %SAVES% ñandú.gb");
    const LaunchFiles files{rom, "/base/Trucos.cheats", "/base/Capturas", "/base/Save"};
    EXPECT_EQ(
        OwnCommandEmulator::argumentsFor(R"(--rom "%ROM%" -c%CHEATS% --dirs=%SAVES%,%SHOTS% """x""" it's)", files),
        (QStringList{"--rom", rom, "-c/base/Trucos.cheats", "--dirs=/base/Save,/base/Capturas", "\"x\"", "it's"}));
    EXPECT_EQ(OwnCommandEmulator::argumentsFor("%ROM%", files), QStringList{rom});

    const struct
    {
        const char *line;
        bool balanced;
    } quotes[] = {{"", true},         {R"(-a "b c")", true}, {R"(-a "b)", false}, {R"("""")", false},
                  {R"(""" x)", true}, {R"(-a ""b)", true},   {R"(x ")", false}};
    for (const auto &q : quotes) {
        EXPECT_EQ(OwnCommandEmulator::quotesBalanced(q.line), q.balanced) << q.line;
        EXPECT_EQ(OwnCommandEmulator::argumentsFor(q.line, files).has_value(), q.balanced) << q.line;
    }
}

} // namespace
