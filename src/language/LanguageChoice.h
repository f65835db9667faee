#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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

// The position in `files` of the language file for a desktop whose languages, most wanted first, are
// `uiLanguages` (tags such as "en-GB", as QLocale::uiLanguages gives them); -1 keeps the built-in Spanish. A
// file serves a language when its name without ".cti" is the language's English or native name, in any case
// ("english.cti", "français.cti"). Spanish is built in and ends the search; a language without a file gives
// way to the next one wanted.
int desktopIndex(const QStringList &files, const QStringList &uiLanguages);

// At a first start, while no language has been chosen: the file of the desktop's language stored as the
// language dialog stores a choice. A choice already stored, even of a file now gone, is never changed. The
// desktop's languages are asked for only when the base folder holds a language file. Raises CartlingError
// when the settings file refuses the write.
void chooseForDesktop(const std::function<QStringList()> &uiLanguages);

} // namespace LanguageChoice
