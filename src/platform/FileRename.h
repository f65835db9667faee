#pragma once

#include <QString>

namespace FileRename {

// Renames `from` to `to` without ever replacing a file that `to` names: where the file system can, the check
// and the rename are one step, so a file that appears meanwhile is not lost either. A change of letter case
// only, on a file system that ignores case, renames the file itself. False when nothing was renamed.
bool renameWithoutReplacing(const QString &from, const QString &to);

} // namespace FileRename
