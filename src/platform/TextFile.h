#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Whole text files in the shared encoding, written atomically with CR LF line ends.
namespace TextFile {

// The file's text, or nothing when it does not exist or cannot be read.
std::optional<QString> read(const QString &path);
// The file's lines (CR, LF or CR LF), or nothing when it does not exist or cannot be read.
std::optional<QStringList> readLines(const QString &path);

// True when a write to the path may go ahead: a read-only file (no owner write permission) or a
// folder without write access is refused, also for a user who could override the permissions.
bool writable(const QString &path);
// True when the folder exists and files may be created in it, by the same rule.
bool folderWritable(const QString &path);

// Writes the bytes whole through a temporary file, so a crash or a full disk never leaves half a file.
bool writeBytes(const QString &path, const QByteArray &bytes);
// Every line followed by CR LF, encoded as the shared rule says.
bool writeLines(const QString &path, const QStringList &lines);

} // namespace TextFile
