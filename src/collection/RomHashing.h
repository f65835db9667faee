#pragma once

#include "archive/ZipMembers.h"

#include <QByteArray>
#include <QString>
#include <optional>

// The checksums that DAT files name a ROM by: CRC-32 and SHA-1 of the ROM's bytes, and their number.
struct RomHashes
{
    qint64 size = 0;
    quint32 crc = 0;
    QByteArray sha1; // 20 bytes; empty while not computed (an archive member whose CRC matched nothing)
};

namespace RomHashing {

// No Game Boy cartridge holds more than 8 MiB; a larger file is no ROM and is not read.
inline constexpr qint64 MaxRomBytes = qint64(64) << 20;

enum class Failure
{
    Unreadable, // missing, vanished, not a file, a read error
    TooLarge,
};

struct Outcome
{
    std::optional<RomHashes> hashes;
    Failure failure = Failure::Unreadable;
};

// CRC-32 and SHA-1 of a whole file, read once.
Outcome hashFile(const QString &path, qint64 limit = MaxRomBytes);

// SHA-1 of one member of a ZIP archive (its place, size and CRC-32 as listed), inflated in memory; nothing when it
// cannot be read whole as listed.
std::optional<QByteArray> memberSha1(const QString &archive, const ZipMembers::Member &member,
                                     qint64 limit = MaxRomBytes);

// A member of an archive that the program takes for a ROM: ".gb" or ".gbc", as unpacking does.
bool isRomMember(const QString &name);

} // namespace RomHashing
