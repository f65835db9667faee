#pragma once

#include "platform/ErrorHandler.h"
#include "platform/TextEncoding.h"

#include <QString>
#include <QStringList>
#include <optional>

// Whole text files in the shared encoding, written atomically with CR LF line ends.
//
// A symbolic link is followed only to a regular file, and every check applies to that file: reads and writes
// go to it (the link stays a link), a link that leads nowhere reads as no file and is never written through,
// and a link to anything else is refused like the thing itself. Only regular files are read or written; a
// folder, a device or a pipe is refused before anything is read from it.
namespace TextFile {

// The size beyond which a text file is refused unread: far above any settings, language or read-me file.
inline constexpr qint64 SizeLimit = 4 * 1024 * 1024;

// A text file that exists but cannot be used. text() names the file and says what is wrong; reason()
// is the second part alone, for callers that build their own message.
class Error : public CartlingError
{
public:
    enum class Action
    {
        Read,
        Write
    };
    Error(Action action, const QString &path, const QString &reason);
    const QString &reason() const { return m_reason; }

private:
    QString m_reason;
};

struct Text
{
    QString text;
    TextEncoding::Encoding encoding = TextEncoding::Encoding::Windows1252;
};

// The file that reads and writes of `path` reach: the path itself, or the end of its chain of links.
// Empty for a link that leads nowhere (or in a circle).
QString target(const QString &path);

// The file's text and the encoding it was read in; nothing when there is no file. Raises TextFile::Error for
// anything but a regular file, for a file of more than `limit` bytes and for a read error.
std::optional<Text> load(const QString &path, qint64 limit = SizeLimit);
// The same split into lines (CR, LF or CR LF).
std::optional<QStringList> loadLines(const QString &path, TextEncoding::Encoding *encoding = nullptr,
                                     qint64 limit = SizeLimit);

// The file's text, or nothing when it does not exist or cannot be read (for any of the reasons above).
std::optional<QString> read(const QString &path);
// The file's lines, or nothing when it does not exist or cannot be read.
std::optional<QStringList> readLines(const QString &path);

// True when a write to the path may go ahead: a read-only file (no owner write permission) or a
// folder without write access is refused, also for a user who could override the permissions.
bool writable(const QString &path);
// True when the folder exists and files may be created in it, by the same rule.
bool folderWritable(const QString &path);

// Writes the bytes whole through a temporary file beside the target, so a failure or a crash never leaves
// half a file, and no temporary file stays behind (one that a killed write left under the name
// ".<file>.cartling-tmp-XXXXXX" is removed by the next save; nothing else is). An existing file keeps its owner
// and mode. Raises TextFile::Error naming the file when the write is refused or fails; the old file is then
// untouched.
void save(const QString &path, const QByteArray &bytes);
// Every line followed by CR LF, in `encoding` as far as the text reads back the same (TextEncoding::encodeAs).
void saveLines(const QString &path, const QStringList &lines,
               TextEncoding::Encoding encoding = TextEncoding::Encoding::Windows1252);

// The same as save and saveLines, with false instead of an error.
bool writeBytes(const QString &path, const QByteArray &bytes);
bool writeLines(const QString &path, const QStringList &lines,
                TextEncoding::Encoding encoding = TextEncoding::Encoding::Windows1252);

} // namespace TextFile
