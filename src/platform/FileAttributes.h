#pragma once

#include <QString>

namespace FileAttributes {

// The plain archive attribute: before a user's file is read, copied over, renamed or deleted it gets
// its owner's write permission back; nothing else changes. Missing files are left alone.
void makePlainArchive(const QString &path);
// A read-only file is one without its owner's write permission.
bool isReadOnly(const QString &path);

} // namespace FileAttributes
