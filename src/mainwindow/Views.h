#pragma once

#include <QString>
#include <array>

// Which of the listed files a view shows.
enum class ViewRows
{
    All,            // every file its mask lists
    Favourites,     // the favourites among them
    RecentlyPlayed, // those launched, most recent first
};

// The views of the ROM list, in the order of the "Ver" menu: the design's six file kinds, then the
// favourites and the recently played games of every kind.
struct View
{
    const char *action; // the menu item's component name
    const char *caption;
    int troms; // the number stored as Troms
    const char *mask;
    ViewRows rows = ViewRows::All;
};

inline constexpr const char *kAllRomsMask = "*.gb;*.gbc;*.zip;*.cgb;*.sgb;*.gbz";

inline constexpr std::array<View, 8> kViews{{
    {"Ga1", "Gameboy Roms", 1, "*.gb"},
    {"Ga2", "Gameboy Color Roms", 2, "*.gbc;*.cgb"},
    {"sgb", "Super Gameboy Roms", 6, "*.sgb"},
    {"gbz", "Roms Formato GBZ", 5, "*.gbz"},
    {"ZipRoms1", "Roms formato ZIP", 4, "*.zip"},
    {"Tr", "Todas las Roms", 3, kAllRomsMask},
    {"Favoritos1", "Favoritos", 7, kAllRomsMask, ViewRows::Favourites},
    {"Recientes1", "Jugados recientemente", 8, kAllRomsMask, ViewRows::RecentlyPlayed},
}};

// The view stored under a Troms number, or nullptr for a number of no view.
inline const View *viewForTroms(int troms)
{
    for (const View &v : kViews) {
        if (v.troms == troms)
            return &v;
    }
    return nullptr;
}
