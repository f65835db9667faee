#pragma once

#include <QByteArray>
#include <QSet>
#include <QtGlobal>
#include <optional>

// An archive whose central directory flags a member's name as UTF-8 when its bytes are not UTF-8 (or hold a
// control character other than CR, LF and TAB) is refused whole by libzip. This finds such members and clears their
// flag in a copy of the archive's bytes, so that the other members can still be read.
namespace ZipNameFlags {

// The archive with the UTF-8 flag cleared in the central directory entry of every member whose name is not
// UTF-8 in that sense, and the positions (0-based, in central directory order) of those members; nothing when the
// central directory cannot be found or read, or no member is flagged falsely.
struct Repaired
{
    QByteArray bytes;
    QSet<quint64> falselyFlagged;
};
std::optional<Repaired> clearFalseUtf8Flags(const QByteArray &archive);

} // namespace ZipNameFlags
