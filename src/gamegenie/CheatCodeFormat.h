#pragma once

#include <QString>

// What a code field's text looks like: a Game Boy Game Genie code (XXX-XXX-XXX or XXX-XXX), a GameShark code
// (eight digits), or neither, with a hint at the usual typos. Only a hint for the user: the text itself is
// stored and passed to the emulator exactly as typed.
namespace CheatCodeFormat {

enum class Kind
{
    Empty,
    GameGenie,
    GameShark,
    Unknown,
};

struct Verdict
{
    Kind kind = Kind::Empty;
    // A short sentence for the user: what the code is, or what seems to be wrong with it. Empty for Empty.
    QString hint;
};

// Hexadecimal digits in either case count.
Verdict check(const QString &code);

} // namespace CheatCodeFormat
