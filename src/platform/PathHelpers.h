#pragma once

#include <QString>

// Plain text operations on "/"-separated paths; none of them touches the file system.

// The text before the last separator, followed by the separator; empty when there is none.
QString folderof(const QString &path);
// The text before the second-to-last separator, without a trailing one; empty with fewer than two.
QString parentfolderof(const QString &path);
// The text after the last separator.
QString filenameof(const QString &path);
// The text after the last "."; the file name when there is no "." or a separator follows the last ".".
QString extensionof(const QString &path);
// The file name without its last extension; empty when the file name has no ".".
QString stemof(const QString &path);
// The first three characters of an extension with capital Z, I and P made small.
QString ziptag(const QString &extension);
// A file is an archive when the ziptag of its extension is "zip" (.ZIP, .Zip and .zipx count).
bool isArchive(const QString &path);
