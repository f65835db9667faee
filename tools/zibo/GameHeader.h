#pragma once

#include <QByteArray>
#include <QString>

// The header of the game the stand-in was given, read without changing anything about the user's file.
struct GameHeader
{
    QByteArray bytes; // the first bytes of the ROM image, at most RomTitle::HeaderSize
    QString title;    // the cartridge title, or the file name when no header could be read
    QString member;   // the archive member the header came from; empty for a plain ROM file
    QString problem;  // why no header was read; empty when it was

    bool colour() const;       // the colour flag (0x80 or 0xC0 at 0x143)
    bool superGameBoy() const; // the Super Game Boy flag (0x03 at 0x146)
};

// Reads a ROM file, or the first .gb/.gbc member of a ZIP archive; never more than the header.
GameHeader readGameHeader(const QString &romPath);
