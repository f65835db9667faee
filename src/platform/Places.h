#pragma once

#include <QString>

// The fixed places that a Windows installation has on drive C:.
namespace Places {

// "C:/" on Windows; elsewhere $CARTLING_DRIVE_ROOT when set, else the home folder. Ends in "/".
QString driveRoot();

// The user's runtime folder: $XDG_RUNTIME_DIR, else a folder of the user's own in the temporary folder,
// cartling-<uid>, made with mode 0700 when missing. Empty when neither is private to the user (a link, a folder of
// another user or one open to others): what lives there (the single-instance lock) must not be steerable by others.
QString runtimeFolder();
// Whether the folder is a real folder, not a link, owned by this user and closed to everyone else (mode 0700).
bool isPrivateFolder(const QString &folder);
// The user's number (elsewhere the user's name), for names in shared folders.
QString userId();
// A short name that stands for the folder (its canonical path), for files kept per folder in a shared place.
QString folderTag(const QString &folder);

// The private temporary extraction folder of the base folder: cartling-gbrom-<uid>-<base folder's tag> in the
// runtime folder (the temporary folder when there is none), so that two Cartlings on different base folders
// never empty each other's.
QString extractionFolder();
// Creates the extraction folder (mode 0700) when missing. False when it cannot be made or must not be used:
// a symbolic link, not a folder, or a folder of another user.
bool ensureExtractionFolder();
// Removes the extraction folder when Cartling ends, if nothing is left in it: one per base folder ever used
// would otherwise pile up in the runtime folder. Something still in it (an emulator's game) keeps it.
void removeEmptyExtractionFolder();
// Removes everything inside the folder, hidden files and sub-folders too, and keeps the folder. Links are
// removed themselves, never followed. False when something could not be removed.
bool emptyFolder(const QString &folder);

// The emulator's executable name when none is stored: "zibo.exe" on Windows, "zibo" elsewhere.
QString defaultEmulatorName();

} // namespace Places
