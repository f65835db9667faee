#pragma once

#include <QByteArray>
#include <QString>

namespace FileRename {

// Renames `from` to `to` without ever replacing a file that `to` names: where the file system can, the check
// and the rename are one step, so a file that appears meanwhile is not lost either. A change of letter case
// only, on a file system that ignores case, renames the file itself. False when nothing was renamed.
bool renameWithoutReplacing(const QString &from, const QString &to);
// The same for paths given as the bytes the system takes (names that are not text); no change of case is
// looked for.
bool renameWithoutReplacing(const QByteArray &from, const QByteArray &to);

} // namespace FileRename
