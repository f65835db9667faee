#pragma once

#include "collection/DatIndex.h"

#include <QStringView>
#include <optional>

// What both forms of DAT make of a ROM entry's fields, so that the same DAT gives the same index in either form.
namespace DatFields {

// No file name is this long; a longer one is a trick to fill the memory.
inline constexpr qsizetype MaxName = 1024;

// A ROM entry by its fields. One without a usable CRC cannot be looked up and is left out; a size or SHA-1 that
// is not a number is taken as not given, so it never decides a match.
std::optional<DatIndex::Rom> romOf(QStringView crc, QStringView size, QStringView sha1);

} // namespace DatFields
