#pragma once

#include <QHash>
#include <QString>

// Renaming and deleting the user's ROM files. No operation here ever replaces an existing file: a name is taken
// when any entry of the folder holds it without regard to case, as on the file systems these collections come
// from, and the rename itself refuses an existing name.
namespace FileOperations {

// A name that would not stay a file of its folder: empty, "." or "..", or holding a path separator ("/" or
// "\", whichever system the collection is shared with) or a NUL.
bool isRefusedName(const QString &name);

// The entries of one folder, looked up without regard to case. A run over many files reads the folder once
// and keeps the names up to date as it renames.
class FolderNames
{
public:
    explicit FolderNames(const QString &folder);

    // Whether an entry other than `self` (a name of this folder) holds `name`, in any case.
    bool takenByAnother(const QString &name, const QString &self) const;
    void renamed(const QString &from, const QString &to);

private:
    QHash<QString, int> m_folded; // case-folded name, entries holding it
};

// Renames the file at `path` to `newName` in the same folder. Refused names and names taken by another entry
// rename nothing; a rename the file system refuses neither. True when the file now has the new name.
bool renameInFolder(const QString &path, const QString &newName, FolderNames &names);

// The end of an in-place edit: renames only to a name that differs from the old one without regard to case.
bool renameByHand(const QString &path, const QString &newName);

// The file as a title names it: the title, ".", and the file's extension as it is.
QString titledName(const QString &title, const QString &path);

// Whether a title can name a file of the folder at all. One holding a path separator, or "." or "..", would
// take the file elsewhere, and one holding a control character or one of : * ? " < > | is a name that a
// Windows copy of the collection cannot open; the file system is taken to refuse them all.
bool isUsableTitle(const QString &title);

// Whether a name taken from elsewhere (a DAT's game name) can name a file: a usable title that does not start
// with "." (a hidden file) and holds no control character and no invisible format character (Unicode's
// category Cf, such as a right-to-left override or a zero-width space), which make a name read other than it is.
bool isUsableForeignName(const QString &name);

} // namespace FileOperations
