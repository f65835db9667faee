#pragma once

// The language entries of the messages that keep the user's files safe: files that cannot be read, names that
// the emulator or a title list cannot hold, replaced ROMs, file names that are not text, a second Cartling.
// Each is a whole message; "%1" stands for the file, name, code or number it speaks of.
namespace SafetyText {
enum : int
{
    UnreadableFile = 190,          // a file that held bytes but gave no readable line is not written
    NameNotForEmulator = 191,      // a picture or folder whose name Zibo.cfg cannot carry
    CodeNotForEmulator = 192,      // a Game Genie code Zibo.cfg cannot carry
    ReplacedNotTrashed = 193,      // unpacking: the ROM it would replace could not go to the trash
    NameWithLineBreak = 194,       // a run skips a file whose name holds a line break
    UndecodableNamesSkipped = 195, // a run skipped this many files whose names are not text
    UndecodableNameTip = 196,      // tooltip of such a file in the list, with the name "Reparar nombre" gives it
    RepairName = 197,              // the pop-up menu item
    RepairFailed = 198,            // the repaired name is taken or refused
    OtherInstanceSilent = 199,     // a Cartling holds the base folder but does not answer
    RenameLogIsLink = 300,         // the rename log's name is a symbolic link: it is not written
    RenameLogFolderNotOwn = 301,   // the rename log's folder is a link or another user's: it is not written
    NothingRenamed = 302,          // follows either when the run has not begun
};
} // namespace SafetyText
