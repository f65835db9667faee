#pragma once

#include <QString>
#include <functional>

namespace FileCopy {

// Copies the file to the target, replacing a file (or a link itself) of that name. The copy is written
// beside the target under a hidden name and renamed over it only when complete, so a failed copy leaves the
// target as it was. Keeps the source's modification time. `beforeReplacing`, when given, runs once the copy is
// complete and just before it takes the target's name; when it answers false nothing is replaced. False when the
// copy could not be made or was held back.
bool replace(const QString &source, const QString &target, const std::function<bool()> &beforeReplacing = {});

// Copies the file to the target only while no file (or link) holds the target's name: written beside it under
// a hidden name as above, then given the name in one step that refuses an existing file, so a file that appears
// meanwhile is kept too. Keeps the source's modification time. False when nothing was copied.
bool copyWithoutReplacing(const QString &source, const QString &target);

} // namespace FileCopy
