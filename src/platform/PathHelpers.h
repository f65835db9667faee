#pragma once

#include <QString>

// Plain text operations on "/"-separated paths; none of them touches the file system.

// The text before the last separator, followed by the separator; empty when there is none.
QString folderOf(const QString &path);
// The text before the second-to-last separator, without a trailing one; empty with fewer than two.
QString parentFolderOf(const QString &path);
// The text after the last separator.
QString fileNameOf(const QString &path);
// The text after the last "."; the file name when there is no "." or a separator follows the last ".".
QString extensionOf(const QString &path);
// The file name without its last extension; empty when the file name has no ".".
QString stemOf(const QString &path);
// The first three characters of an extension with capital Z, I and P made small.
QString zipTag(const QString &extension);
// A file is an archive when the zipTag of its extension is "zip" (.ZIP, .Zip and .zipx count).
bool isArchive(const QString &path);
