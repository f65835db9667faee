#pragma once

#include "collection/DatReader.h"

#include <QByteArrayView>

// Reads a DAT in clrmamepro's text form, as libretro publishes its DATs: a "clrmamepro ( name … )" header, then
// "game ( name "…" rom ( name "…" size N crc … sha1 … ) )" blocks. Words and quoted strings are its tokens; a
// quoted string ends on its own line, blocks nest a few levels at most and no byte is NUL, so a hostile file is
// refused at the line where it goes wrong, and it costs no more than the limits of the Logiqx reader.
namespace ClrMameReader {

// Whether a DAT's first bytes are of this form rather than XML: the first thing in it is a word, not "<".
bool looksLike(QByteArrayView start);

// The DAT's entries; raises DatReader::DatError naming `path` and the line.
DatIndex read(QByteArrayView text, const QString &path, const DatReader::Limits &limits);

} // namespace ClrMameReader
