#pragma once

// The language entries of the saved games' texts.
namespace SaveText {
enum : int
{
    CopyFailed = 400,  // %1: the game, %2: the file that could not be read or written
    BringAlong = 401,  // %1: the game, %2: the emulator launched, %3: the one that kept a save, %4: where
    BringFailed = 402, // %1: the save's path for the emulator launched
    DetailLine = 403,  // %1: when the save last changed, %2: how many copies
    MenuItem = 404,
    WindowTitle = 405, // %1: the game
    CurrentSave = 406,
    DateColumn = 407,
    SizeColumn = 408,
    WriterColumn = 409,
    Restore = 410,
    Export = 411,
    OpenFolder = 412,
    Close = 413,
    RestoreQuestion = 414, // %1: the copy's time, %2: the emulator
    Restored = 415,        // %1: the copy's time
    NotWritten = 416,      // %1: the file
    NothingYet = 417,
    DeleteSavesToo = 418, // %1: how many files
};
} // namespace SaveText
