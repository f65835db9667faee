#include "DemoRoms.h"

namespace DemoRoms {

const QList<Game> &games()
{
    // Every extension of the views; one title of all 16 bytes, one zero-padded, colour flags that read as a
    // trailing blank (0x80) or vanish (0xC0), and Super Game Boy games.
    static const QList<Game> list{
        {QStringLiteral("Pixel Pioneer.gb"), "PIXEL PIONEER"},
        {QStringLiteral("Moonlit Maze.gb"), QByteArray("MOONLIT MAZE\0\0\0\0", 16), 0, false, 0x01},
        {QStringLiteral("Mosswood Rangers.gb"), "MOSSWOOD RANGERS"},
        {QStringLiteral("Pocket Garden.gb"), "POCKET GARDEN", 0, false, 0x09, 0x02},
        {QStringLiteral("Harbor Lights 2.gbc"), "HARBOR LIGHTS 2", 0x80, false, 0x1B, 0x03},
        {QStringLiteral("Dune Lantern DX.gbc"), "DUNE LANTERN DX", 0x80, true, 0x01},
        {QStringLiteral("Neon Kestrel.cgb"), "NEON KESTREL", 0xC0, false, 0x19},
        {QStringLiteral("Señor Cactus.cgb"), "SENOR CACTUS", 0x80},
        {QStringLiteral("Pebble Tanks.sgb"), "PEBBLE TANKS", 0, true},
        {QStringLiteral("Comet Rally.sgb"), "COMET RALLY", 0, true, 0x03, 0x02},
        {QStringLiteral("Teapot Odyssey.gbz"), "TEAPOT ODYSSEY"},
        {QStringLiteral("Cipher Castle.gbz"), "CIPHER CASTLE", 0x80, true},
    };
    return list;
}

const QList<Archive> &archives()
{
    static const QList<Archive> list{
        {QStringLiteral("moonlit-maze.zip"), {QStringLiteral("Moonlit Maze.gb")}},
        {QStringLiteral("harbor-lights-2.zip"), {QStringLiteral("Harbor Lights 2.gbc")}},
        {QStringLiteral("twin-pack.zip"), {QStringLiteral("Pixel Pioneer.gb"), QStringLiteral("Dune Lantern DX.gbc")}},
    };
    return list;
}

const Game *game(const QString &fileName)
{
    for (const Game &g : games()) {
        if (g.fileName == fileName)
            return &g;
    }
    return nullptr;
}

QByteArray image(const Game &game)
{
    QByteArray rom(ImageSize, '\0');
    auto put = [&rom](int at, std::initializer_list<unsigned char> bytes) {
        for (unsigned char b : bytes)
            rom[at++] = char(b);
    };
    put(0x100, {0x00, 0xC3, 0x50, 0x01}); // nop; jp 0x150
    for (int i = 0; i < 16 && i < game.title.size(); ++i)
        rom[0x134 + i] = game.title[i];
    if (game.colourFlag)
        rom[0x143] = char(game.colourFlag);
    put(0x144, {'0', '0'}); // new licensee code
    if (game.superGameBoy)
        rom[0x146] = 0x03;
    rom[0x147] = char(game.cartridgeType);
    rom[0x148] = 0x00; // 32 KiB
    rom[0x149] = char(game.ramSize);
    rom[0x14A] = 0x01; // not Japan
    rom[0x14B] = 0x33; // see the new licensee code; needed for the Super Game Boy functions
    rom[0x14C] = 0x00;
    unsigned char headerSum = 0;
    for (int i = 0x134; i <= 0x14C; ++i)
        headerSum = static_cast<unsigned char>(headerSum - static_cast<unsigned char>(rom[i]) - 1);
    rom[0x14D] = char(headerSum);
    put(0x150, {0xF3, 0x18, 0xFE}); // di; jr -2

    quint16 globalSum = 0;
    for (int i = 0; i < ImageSize; ++i) {
        if (i != 0x14E && i != 0x14F)
            globalSum = quint16(globalSum + static_cast<unsigned char>(rom[i]));
    }
    rom[0x14E] = char(globalSum >> 8);
    rom[0x14F] = char(globalSum & 0xFF);
    return rom;
}

} // namespace DemoRoms
