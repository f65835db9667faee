#pragma once

// The language entries of checking the collection against DAT files.
namespace CollectionText {
enum : int
{
    LoadDat = 270,          // menu: "Cargar DAT…"
    VerifyCollection = 271, // menu: "Verificar colección"
    RenameToDat = 272,      // menu and confirmation button: "Renombrar según DAT"
    UndoRename = 273,       // menu: "Deshacer último cambio de nombres"
    ForgetDats = 274,       // menu: "Quitar los DAT cargados"
    StateMatches = 275,     // tooltip: %1 game, %2 DAT
    StateBadDump = 276,     // tooltip: %1 game, %2 DAT
    StateUnknown = 277,     // tooltip
    StateNotChecked = 278,  // tooltip
    HeaderChecksum = 279,   // detail line: + ChecksumGood or ChecksumBad
    GlobalChecksum = 280,   // detail line: + ChecksumGood or ChecksumBad
    ChecksumGood = 281,     // %1 the stored value
    ChecksumBad = 282,      // %1 the stored value, %2 the computed one
    CartridgeType = 283,    // detail line: %1 the type
    MemorySizes = 284,      // detail line: %1 ROM size, %2 RAM size
    SystemFlags = 285,      // detail line: %1 Game Boy Color support, %2 Super Game Boy support
    No = 286,
    Yes = 287,
    ColorCompatible = 288,
    ColorOnly = 289,
    HeaderIncomplete = 290,
    DatNotReadable = 291, // %1 file (with ":" and the line where the XML went wrong)
    DatTooLarge = 292,    // %1 file, %2 entries, %3 megabytes
    NoDatLoaded = 293,
    VerifySummary = 294, // %1 files, %2 good, %3 bad, %4 unknown
    FilesSkipped = 295,  // followed by the files, one a line
    RenameList = 296,    // %1 number of renames
    NothingToRename = 297,
    RenamesDone = 298, // %1 renamed, %2 left as they were
    NothingToUndo = 299,
    ReportMenu = 360,       // menu: "Informe de la colección…"; the window's title without the dots
    ReportDat = 361,        // label of the list of DATs
    ReportCounts = 362,     // %1 games, %2 good, %3 bad dump only, %4 missing
    ReportMissing = 363,    // tab: %1 games
    ReportDuplicates = 364, // tab: %1 groups of files
    ReportUnknown = 365,    // tab: %1 files
    ReportSearch = 366,
    ReportCopy = 367,
    ReportSaveList = 368,
    ReportSaveFixDat = 369,
    ReportClose = 370,
    ReportNotChecked = 371, // %1 files
    MemberEncrypted = 372,  // %1 archive, %2 its member
    MemberSeveral = 373,    // %1 archive
    MemberUnusual = 374,    // %1 archive
    MemberNotWritten = 375, // %1 archive
    ArchiveNameTaken = 376, // %1 archive, %2 its new name
};
} // namespace CollectionText
