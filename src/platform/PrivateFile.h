#pragma once

#include "platform/TextFile.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Files of Cartling's own making in cache and log places: DAT indexes, the verification cache, the rename log,
// thumbnails. Unlike the files a user chose, which TextFile follows through their links, these never follow a
// symbolic link, are never written into a folder that is a link or belongs to someone else, and are read only
// when they are this user's own regular file: whoever can write to a shared folder can neither steer these
// writes onto another file nor feed Cartling a file of their making.
namespace PrivateFile {

// Why a private file was not read or written. text() names the file, as TextFile's errors do.
class Error : public TextFile::Error
{
public:
    enum class Refusal
    {
        Link,          // the file's name is a symbolic link
        FolderNotOwn,  // its folder is a symbolic link, or belongs to another user
        ForeignFile,   // the file belongs to another user
        NotRegular,    // a folder, device or pipe
        ReadOnly,      // its folder lacks the owner's write permission
        TooLarge,      // beyond the reader's limit
        SystemFailure, // the system refused the read or write (a full disk, a missing folder)
    };
    Error(Action action, const QString &path, Refusal refusal, const QString &reason);
    Refusal refusal() const { return m_refusal; }

private:
    Refusal m_refusal;
};

// The file's bytes, or nothing when there is no file. Raises Error when the name is a link, or the file is not
// a regular file of this user, is larger than `limit` or cannot be read.
std::optional<QByteArray> load(const QString &path, qint64 limit);
// The same, with nothing for any refusal: a cache that cannot be trusted is no cache.
std::optional<QByteArray> read(const QString &path, qint64 limit);

// Whether a save removes what an earlier save killed half-way left behind. Looking for that means reading the
// whole folder, which a folder of thousands of thumbnails makes too slow for every write.
enum class Leftovers
{
    Remove,
    Keep,
};

// Writes the bytes whole, readable by this user alone, through a temporary file in the same folder that is
// renamed over the name, so a crash never leaves half a file. Refused (Error raised, nothing written) when the
// name is a symbolic link or not a regular file, or when its folder is a link, belongs to another user or is
// read-only.
void save(const QString &path, const QByteArray &bytes, Leftovers leftovers = Leftovers::Remove);
// The same, with false instead of an error.
bool write(const QString &path, const QByteArray &bytes, Leftovers leftovers = Leftovers::Remove);

// Makes the folder, and the folders leading to it that are missing, each for this user alone; folders already
// there keep their mode. True when the folder is now a folder of this user and no link, also when another
// thread or process made it meanwhile.
bool makeFolder(const QString &folder);

// $XDG_CACHE_HOME, or ~/.cache when the variable is not an absolute path.
QString cacheHome();

} // namespace PrivateFile
