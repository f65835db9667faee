#pragma once

#include "platform/Progress.h"

#include <QString>
#include <functional>

// The message table entries an operation shows when an archive holds no ROM or more than one; the
// archive's file name stands between the two parts of each.
struct SingleRomMessages
{
    int noRomStart;
    int noRomEnd;
    int severalRomsStart;
    int severalRomsEnd;
};

// Unpacking archives through the temporary extraction folder.
namespace RomUnpacker {

enum class Outcome
{
    Done,      // went through (messages, if any, shown)
    Cancelled, // the progress callback cancelled; nothing was copied
};

// Where "Descomprimir" puts an archive's ROMs: the parent of the archive's folder (the text before the path's
// second-to-last "/"). For an archive in a root folder this is empty, and the ROMs go to the root folder.
QString targetFolderFor(const QString &archive);

// Extracts the archive into the temporary extraction folder and copies every ROM found there (".gb" and
// ".gbc" in any letter case) to target + "/" + name, replacing what is there after moving it to the trash.
// Shows the message for an archive without ROMs, or the one for several ROMs (and still copies them all). A ROM
// that cannot be copied, or whose namesake cannot go to the trash, is reported once the others are done; the
// file it should have replaced stays as it was. The
// temporary folder is emptied afterwards in every case. Raises CartlingError when that folder cannot be used.
Outcome unpackSelected(const QString &archive, const QString &target, const Progress &progress = {});

// The single-ROM extraction: extracts the archive and, when it holds exactly one ROM, calls `use` with that
// ROM's path in the temporary folder and returns true. With no ROM or several it shows the matching message
// (the archive's file name inside) and returns false. The folder is emptied afterwards in every case, also
// when `use` raises an error. Raises CartlingError when the folder cannot be used.
bool withSingleRom(const QString &archive, const SingleRomMessages &texts,
                   const std::function<void(const QString &romPath)> &use);

} // namespace RomUnpacker
