#pragma once

#include <QString>
#include <optional>

// Renames the one member of a ZIP archive without recompressing it: the archive is written anew beside the old
// one with only the name changed in the member's local header and in the central directory, every member's
// CRC-32 is checked through libzip, and only then does the new archive take its place. Anything else (an
// encrypted member, several members, ZIP64, a damaged directory) leaves the archive byte for byte as it was.
namespace ZipMemberRename {

enum class State
{
    Renamable,
    Encrypted,
    SeveralMembers, // or none
    Unusual,        // ZIP64, several disks, a damaged or inconsistent directory
};

struct Inspection
{
    State state = State::Unusual;
    QString member; // the one member's name as stored (Renamable, Encrypted)
};

// What the archive's directory says, read from its end; nothing when the file cannot be read.
std::optional<Inspection> inspect(const QString &archive);

// Writes the archive `from` as `to` with its member named `member`, checks it and then puts it in place: over
// `from` when both are the same path, else under `to`, which must be free (it is never replaced), and `from`
// goes. The file keeps its permissions and modification time. False, with `from` untouched and nothing left
// behind, when the archive is not renamable, the new one does not check out or cannot be put in place.
bool rename(const QString &from, const QString &to, const QString &member);

} // namespace ZipMemberRename
