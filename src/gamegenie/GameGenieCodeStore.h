#pragma once

#include <QString>
#include <array>

class DataIniFile;

// One Game Genie code row of a game: whether it is passed to the emulator, the code as typed, and what it does.
struct CodeRow
{
    bool active = false;
    QString code;
    QString description;
    friend bool operator==(const CodeRow &, const CodeRow &) = default;
};

// A game's code set: always ten rows, numbered 1 to 10, possibly empty.
using CodeSet = std::array<CodeRow, 10>;

// A code switched on or off in an emulator's own cheats window.
struct CodeChoice
{
    QString code;
    bool active = true;
    friend bool operator==(const CodeChoice &, const CodeChoice &) = default;
};

// The Game Genie codes of every game, kept in "GGCodes.ini": one section per internal name (matched without
// regard to case) with the keys "AC"n ("1" or "0"), "C"n and "D"n for n = 1 to 10. Every operation opens the
// file, and writes it back before it returns, so the next one sees its result.
class GameGenieCodeStore
{
public:
    static constexpr int RowCount = 10;
    // A code this long or shorter never has its flag stored on its own (see saveFlag).
    static constexpr int ShortestFlagStored = 8;

    // The store in the base folder (as it is when an operation runs).
    GameGenieCodeStore();
    explicit GameGenieCodeStore(QString fileName);

    // "GGCodes.ini" in the base folder.
    static QString defaultFileName();
    QString fileName() const;

    // The ten rows stored under the name; missing keys, a missing section or file give empty, inactive rows.
    // A flag is active when it reads as a number other than 0.
    CodeSet load(const QString &internalName) const;
    // The same from a file that is already open.
    static CodeSet read(const DataIniFile &file, const QString &internalName);

    // Writes AC, C and D of rows 1 to 10 in that order (a new section gets its thirty lines in that order).
    // With an empty internal name nothing is written. Raises CartlingError when the file cannot be read or
    // written, or a value cannot be stored (a line break, a code holding a character outside Windows-1252,
    // which Zibo.cfg cannot carry); the file on disk is then unchanged.
    void saveAll(const QString &internalName, const CodeSet &rows) const;

    // Writes row n's "AC" key alone, and only when its code has 8 characters or more. With an empty internal
    // name nothing is written either: that section is the one every game without a name would load. Returns
    // whether the flag was written.
    bool saveFlag(const QString &internalName, int row, bool active, const QString &code) const;

    // Writes row n's "AC" key alone for a choice made in an emulator, whatever the code's length, and only when
    // the row stored holds this very code: a row typed and not yet saved leaves the stored one as it is. With
    // an empty internal name nothing is written. Returns whether the flag was written.
    bool saveChoice(const QString &internalName, int row, bool active, const QString &code) const;

private:
    QString m_fileName; // empty for the base folder's
};
