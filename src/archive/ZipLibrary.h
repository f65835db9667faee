#pragma once

#include "platform/Progress.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <optional>

// The ZIP binding: with ZipMembers (looking into an archive), the only code that talks to libzip. Packing and
// unpacking of ROMs build on these calls.

// What the packer reads from the other-options dialog when it packs.
struct ZipOptionsInput
{
    QString romFolder;              // the folder the ROM list shows; becomes the root folder
    bool junkDirectoryNames = true; // "No incluir directorios"
    QString levelText;              // the level setting as typed; its first character counts
};

// Bounds on what one extraction writes, so a hostile archive cannot fill the disk.
struct ExtractionLimits
{
    qint64 maxMemberBytes = qint64(64) << 20;
    qint64 maxArchiveBytes = qint64(256) << 20;
    int maxMembers = 65535;
};

// The compression level of a level text: its first character when that is a digit 1 to 9, else 6.
int zipLevel(const QString &levelText);

// Stores the options for the following zipFiles calls: the root folder (with a trailing "/"), whether
// directory names are dropped, update (add or replace) on, and the level. Storing cannot fail, so the
// "Error setting Zip Options" message has no way to appear.
void setZipOptions(const ZipOptionsInput &input);

// Packs the files into the archive (created, or updated when it exists) with the stored options and shows
// "La Rom ha sido Comprimida Exitosamente" once per file archived. Does nothing when the archive name trimmed
// is empty or the list is empty; a file that cannot be read is skipped. The archive is written whole or not
// at all. `progress` hears the files packed of the files in all while the archive is written and may cancel,
// which leaves the disk as it was. Returns the number of files archived (0 when nothing was written).
int zipFiles(const QString &archive, const QStringList &names, const Progress &progress = {});

// Whether the archive holds the file, under the name zipFiles with the stored options gives it, with exactly
// the file's bytes (read back through the archive's checksum).
bool archiveHolds(const QString &archive, const QString &file);

// Gives the archive the plain archive attribute, then extracts its members flat into the folder, replacing
// same-named files. Folders, links, encrypted members, members without a usable name (or with a name flagged as
// UTF-8 that is not) and members past the limits are skipped; control characters in a name become "_"; a
// damaged archive yields what can be read safely. Each file keeps the time the archive stores for it. Nothing is
// reported: callers look at what is on disk. `progress` hears the members done of the members in all; false when it
// cancelled (the members extracted until then stay).
bool extractTo(const QString &archive, const QString &folder, const ExtractionLimits &limits = {},
             const Progress &progress = {});

// The start-up check of the ZIP library: the failure text ("\n" as line breaks), or nothing when the library is
// usable. The wrong-version text comes when the major version found at run time differs from the one built
// against; the "Cannot find" text when the library gives no version at all. Both name the library (its run-time
// name where the program loads it) and, on Linux, where the system looks for it, with the loader's own words.
std::optional<QString> checkZipLibrary();
// The same check on a given run-time version text.
std::optional<QString> checkZipLibraryVersion(const char *runtimeVersion);

// The name under which libzip opens a file of this path.
QByteArray zipFileName(const QString &path);
