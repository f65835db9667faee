#pragma once

#include <QString>

// Where an emulator keeps one game's battery save, and how it stores the game's clock (cartridges with a
// real-time clock): at the end of the save (mGBA), in a file of its own (RetroArch's cores), or not at all.
struct SavePlace
{
    enum class Clock
    {
        None,         // Zibo and programs Cartling does not know: the battery bytes only
        InFile,       // mGBA: a footer after the battery bytes, when the cartridge has a clock
        SeparateFile, // RetroArch: <stem>.rtc beside <stem>.srm
    };

    QString save;  // the battery save's path
    QString clock; // the clock file's path for Clock::SeparateFile, else empty
    Clock clockForm = Clock::None;

    bool operator==(const SavePlace &) const = default;
};
