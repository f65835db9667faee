#pragma once

#include <QString>
#include <QStringList>

// The rules of the language dialog: the language files on offer and the stored choice.
namespace LanguageChoice {

// The names of the "*.cti" files of the base folder, in name order.
QStringList languageFiles();

// The list position to select when the dialog is created: none (-1) unless the file that "ArchId" names
// exists. Then the position of that file when the list holds it, else "ArchNameInd" (a stored -1 gives 0).
int initialIndex(const QStringList &files);

// Stores the choice of files[index] at once: "ArchId" (full path), "ArchName" (file name), "ArchNameInd".
// Raises CartlingError when the settings file refuses a write; the keys written before stay.
void store(const QStringList &files, int index);

} // namespace LanguageChoice
