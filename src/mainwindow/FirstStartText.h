#pragma once

// Language entries of the first start: the guide shown while the list is empty, and files dropped onto the
// main window.
namespace FirstStartText {
enum : int
{
    GuideNoFolder = 380,  // no ROM folder chosen yet
    GuideNoGames = 381,   // the ROM folder holds no game
    GuideButton = 382,    // opens the ROM folder dialog
    UseFolder = 383,      // %1: a folder dropped alone
    DropRefused = 384,    // nothing dropped could be taken
    CopyingCaption = 385, // the progress window's caption
    NamesTaken = 386,     // + the names the ROM folder holds already
    CopyFailed = 387,     // + the files that could not be copied
    NotGames = 388,       // + what else was dropped beside the games
    CopyCancelled = 389,  // %1 of %2 copied
};
} // namespace FirstStartText
