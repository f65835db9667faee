#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

// Looking into a ZIP archive without extracting it: its directory, and one member's bytes read in memory.
namespace ZipMembers {

struct Member
{
    quint64 index = 0;
    QString name; // as stored, folders included
    qint64 size = 0;
    quint32 crc = 0;
};

// The plain file members the archive's central directory lists, with the size and CRC-32 it records; nothing is
// inflated. Folders, links and encrypted members are left out. Nothing when the file is no readable archive.
// An ordinary archive's directory is read straight from the file in two small reads, which is what lets a
// collection of ten thousand archives be listed as fast as Info-ZIP lists them; anything unusual (ZIP64, data
// before the archive, several disks) goes through libzip.
std::optional<QList<Member>> list(const QString &archive);

// The same through libzip alone, whatever the archive.
std::optional<QList<Member>> listThroughLibzip(const QString &archive);

// The directory of an archive whose bytes are in memory, read by the direct reader only; nothing for anything it
// leaves to libzip or finds damaged.
std::optional<QList<Member>> listDirectly(const QByteArray &archive);

// Inflates one member of a listing and hands its bytes to `sink` in pieces. False when libzip does not find that
// member, with its size and CRC-32, at its place (an archive that reads two ways), when it cannot be read whole,
// holds more than `limit` bytes (whatever size the archive declares) or does not give the listed CRC-32.
bool read(const QString &archive, const Member &member, qint64 limit,
          const std::function<void(const char *data, qsizetype size)> &sink);

// The member's bytes, or nothing (see read).
std::optional<QByteArray> readAll(const QString &archive, const Member &member, qint64 limit);

} // namespace ZipMembers
