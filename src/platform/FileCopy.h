#pragma once

#include <QString>

namespace FileCopy {

// Copies the file to the target, replacing a file (or a link itself) of that name. The copy is written
// beside the target under a hidden name and renamed over it only when complete, so a failed copy leaves the
// target as it was. Keeps the source's modification time. False when the copy could not be made.
bool replace(const QString &source, const QString &target);

} // namespace FileCopy
