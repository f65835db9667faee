#pragma once

#include <QString>

// The fixed places that a Windows installation has on drive C:.
namespace Places {

// "C:/" on Windows; elsewhere $CARTLING_DRIVE_ROOT when set, else the home folder. Ends in "/".
QString driveRoot();

// The user's runtime folder ($XDG_RUNTIME_DIR), else the temporary folder.
QString runtimeFolder();
// The user's number (elsewhere the user's name), for names in shared folders.
QString userId();

// The private temporary extraction folder: cartling-gbrom-<uid> in the runtime (else temporary) folder.
QString extractionFolder();
// Creates the extraction folder (mode 0700) when missing. False when it cannot be made or must not be used:
// a symbolic link, not a folder, or a folder of another user.
bool ensureExtractionFolder();
// Removes everything inside the folder, hidden files and sub-folders too, and keeps the folder. Links are
// removed themselves, never followed. False when something could not be removed.
bool emptyFolder(const QString &folder);

// The emulator's executable name when none is stored: "zibo.exe" on Windows, "zibo" elsewhere.
QString defaultEmulatorName();

} // namespace Places
