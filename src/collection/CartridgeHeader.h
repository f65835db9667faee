#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// What the cartridge header at 0x100..0x14F says about a ROM image, and whether its two checksums hold: the
// header checksum (0x14D, over 0x134..0x14C), which the console's boot program checks, and the global checksum
// (0x14E..0x14F, the sum of every other byte of the ROM), which nothing checks but which tells a changed image.
struct CartridgeHeader
{
    static constexpr qsizetype Size = 0x150;

    quint8 headerChecksum = 0; // as stored
    quint8 computedHeaderChecksum = 0;
    quint16 globalChecksum = 0; // as stored
    quint16 computedGlobalChecksum = 0;
    quint8 cartridgeType = 0;
    quint8 romSizeCode = 0;
    quint8 ramSizeCode = 0;
    quint8 colorFlag = 0;        // 0x143: 0x80 works on both, 0xC0 Game Boy Color only
    quint8 superGameBoyFlag = 0; // 0x146: 0x03 uses the Super Game Boy's functions

    // The header of a whole ROM image; nothing when the image is shorter than the header.
    static std::optional<CartridgeHeader> of(const QByteArray &rom);

    // The name of the cartridge type (the memory controller and what it carries), e.g. "MBC1+RAM+BATTERY".
    QString cartridgeTypeName() const;
    // "32 KiB" .. "8 MiB" by the ROM size code; the code in hexadecimal when it is none of the known ones.
    QString romSizeText() const;
    QString ramSizeText() const;

    // The lines the selected game's details show, in the current language.
    QStringList detailLines() const;

    // The ROM of a file: the file itself, or the one ROM of an archive (nothing without exactly one). Read up to
    // the largest ROM there is.
    static std::optional<QByteArray> romOf(const QString &path);
    // The detail lines for a file: the header's lines, "Cabecera incompleta" for an image shorter than its
    // header, nothing when there is no ROM to read.
    static QStringList detailLinesOf(const QString &path);
};
