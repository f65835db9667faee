#pragma once

#include <QString>

// File names that a Windows installation matches without regard to case are looked up that way:
// the exact name first, then any name of the folder that differs only in case.
namespace FileLookup {

// The full path of the file in the folder, or an empty text when there is none.
QString find(const QString &folder, const QString &name);

} // namespace FileLookup
