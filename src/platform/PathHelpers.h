#pragma once

#include <QString>

// Plain text operations on "/"-separated paths; none of them touches the file system.

// The position of the last `c` in the text, or -1. A plain loop: the runs over many files call this for
// every file, and names are short.
inline qsizetype lastOf(QStringView text, char16_t c)
{
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (text[i] == c)
            return i;
    }
    return -1;
}
// The part after the last separator, in place.
inline QStringView fileNameView(QStringView path)
{
    return path.sliced(lastOf(path, u'/') + 1);
}
// The file name without its last extension, in place; empty when the file name has no ".".
inline QStringView stemView(QStringView path)
{
    const QStringView name = fileNameView(path);
    return name.first(qMax<qsizetype>(lastOf(name, u'.'), 0));
}

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
