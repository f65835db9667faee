#pragma once

// Language entries of the emulator kinds, their launch and the installed-emulators window.
namespace EmulatorText {
enum : int
{
    InstalledEmulatorsItem = 210, // the Archivo menu item
    InstalledEmulatorsCaption = 211,
    FoundHeading = 212,
    NoneFound = 213,
    UseButton = 214,
    ChooseProgramButton = 215,
    CloseButton = 216,
    OwnCommandGroup = 217,
    OwnCommandHint = 218, // names the four placeholders
    SaveButton = 219,
    UnbalancedQuote = 220,
    KindColumn = 221,
    ProgramColumn = 222,
    CoreKind = 223,
    OwnCommandKind = 224,
    CannotStartStart = 225, // + program + CannotStartEnd + reason
    CannotStartEnd = 226,
    ProgramGone = 227,
    NotExecutable = 228,
    EndedAtOnceStart = 229, // + program + EndedAtOnceEnd [+ LastMessage + its last line on standard error]
    EndedAtOnceEnd = 230,
    LastMessage = 231,
    NoCore = 232,   // + the folders looked in
    UsesOnly = 233, // + the captions of the options used
    UsesNone = 234,
    ProgramLabel = 235,
    CodeName = 236, // + row number: a code row without a description
    NoProgramStored = 237,
    // What the chosen emulator cannot do as the options ask, and what it does with the Game Genie codes.
    MgbaModelNote = 340,
    CoreNote = 341, // %1: the core's library name
    GambatteModelNote = 342,
    NoCoreNote = 343,
    CodesToMgba = 344,
    CodesToRetroArch = 345, // %1: the core's library name
    CodesNoCore = 346,
    CodesToOwnCommand = 347,
    CodesNotToOwnCommand = 348,
};
} // namespace EmulatorText
