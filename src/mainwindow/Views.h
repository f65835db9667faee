#pragma once

#include <QString>
#include <array>

// The six views of the ROM list, in the order of the "Ver" menu.
struct View
{
    const char *action; // the menu item's component name
    const char *caption;
    int troms; // the number stored as Troms
    const char *mask;
};

inline constexpr std::array<View, 6> kViews{{
    {"Ga1", "Gameboy Roms", 1, "*.gb"},
    {"Ga2", "Gameboy Color Roms", 2, "*.gbc;*.cgb"},
    {"sgb", "Super Gameboy Roms", 6, "*.sgb"},
    {"gbz", "Roms Formato GBZ", 5, "*.gbz"},
    {"ZipRoms1", "Roms formato ZIP", 4, "*.zip"},
    {"Tr", "Todas las Roms", 3, "*.gb;*.gbc;*.zip;*.cgb;*.sgb;*.gbz"},
}};

// The view stored under a Troms number, or nullptr for a number outside 1..6.
inline const View *viewForTroms(int troms)
{
    for (const View &v : kViews) {
        if (v.troms == troms)
            return &v;
    }
    return nullptr;
}
