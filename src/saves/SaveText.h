#pragma once

// The language entries of the saved games' texts.
namespace SaveText {
enum : int
{
    CopyFailed = 400,  // %1: the game, %2: the file that could not be read or written
    BringAlong = 401,  // %1: the game, %2: the emulator launched, %3: the one that kept a save, %4: where
    BringFailed = 402, // %1: the save's path for the emulator launched
    DetailLine = 403,  // %1: when the save last changed, %2: how many copies
};
} // namespace SaveText
