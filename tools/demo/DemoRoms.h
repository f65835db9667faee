#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The made-up games of the demo folder: ROM images with real-looking headers, and the archives that hold some.
namespace DemoRoms {

inline constexpr int ImageSize = 32 * 1024;

struct Game
{
    QString fileName;
    QByteArray title;             // the bytes from 0x134, up to 16
    unsigned char colourFlag = 0; // 0x80 or 0xC0 at 0x143 (the last title byte); 0 for none
    bool superGameBoy = false;    // 0x03 at 0x146
    unsigned char cartridgeType = 0x00;
    unsigned char ramSize = 0x00;
};

struct Archive
{
    QString fileName;
    QStringList members; // file names of games
};

const QList<Game> &games();
const QList<Archive> &archives();
// The game of that file name; nullptr when there is none.
const Game *game(const QString &fileName);

// A 32 KiB image: entry point, header with both checksums, a program that waits forever. The logo stays empty.
QByteArray image(const Game &game);

} // namespace DemoRoms
