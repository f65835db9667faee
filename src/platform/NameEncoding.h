#pragma once

#include <QByteArray>
#include <QString>

// File names that are not text: names made on another system whose bytes are not UTF-8 (a "Pokémon.gb" copied
// from Windows, where é is the single byte E9). Qt reads each stray byte as U+FFFD, so such a name, read as text,
// names no file; only its bytes do.
namespace NameEncoding {

// Whether a name as the folder holds it is text (valid UTF-8).
bool isText(const QByteArray &rawName);
// Whether a path read from the folder came from a name that is not text: it holds U+FFFD and names nothing.
bool isUndecodable(const QString &path);
// The name as the Windows copy that made it showed it: its bytes read as Windows-1252.
QString windowsReading(const QByteArray &rawName);
// Renames the file whose name in `folder` is `rawName` to its Windows reading, now as text; never replaces a
// file. False when nothing was renamed.
bool repair(const QString &folder, const QByteArray &rawName);

} // namespace NameEncoding
