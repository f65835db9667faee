#pragma once

#include "collection/DatCatalog.h"
#include "collection/HashCache.h"

#include <QString>

// How a file of the collection stands against the loaded DAT files.
enum class DumpState
{
    NotChecked, // never verified, changed since, or nothing in it to check
    Matches,    // CRC-32, size and SHA-1 match a DAT entry
    BadDump,    // the CRC-32 matches an entry but the SHA-1 or the size do not: a bad dump or a wrong header
    Unknown,    // no DAT knows the CRC-32
};

struct DumpCheck
{
    DumpState state = DumpState::NotChecked;
    QString game; // the DAT's name for the game (Matches, BadDump)
    QString rom;  // the DAT's name for the ROM entry matched, a file name (Matches; empty when the DAT gave none)
    QString dat;  // the name of the DAT that knows it

    // The verdict on a file's cached hashes (nothing: not verified).
    static DumpCheck of(const HashCache::Entry *entry, const DatCatalog &dats);

    // The mark a row of the ROM list shows: a short sign, empty while not checked.
    QString mark() const;
    // The line that explains the mark, in the current language.
    QString tooltip() const;
};
