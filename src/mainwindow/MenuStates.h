#pragma once

#include <QString>
#include <array>
#include <optional>

// Which menu items follow the selection, and how (updateMenusForSelection).
enum class SelectionRule
{
    Always,     // enabled whenever an entry is selected
    NotArchive, // enabled for a selected entry that is not a ZIP archive
    Archive,    // enabled for a selected ZIP archive
};

struct SelectionItem
{
    const char *action;
    SelectionRule rule;
};

inline constexpr std::array<SelectionItem, 18> kSelectionItems{{
    {"Jugar2", SelectionRule::Always},
    {"Comprimir1", SelectionRule::NotArchive},
    {"Descomprimir1", SelectionRule::Archive},
    {"Importarnombreaggcodesini1", SelectionRule::Always},
    {"ExtraerTtulo1", SelectionRule::Always},
    {"Eliminar2", SelectionRule::Always},
    {"Rename2", SelectionRule::Always},
    {"Cambiartitulo", SelectionRule::Always},
    {"rat2", SelectionRule::Always},
    {"Jugar1", SelectionRule::Always},
    {"ExtraetTtuloajueoseleccionado1", SelectionRule::Always},
    {"AHMMenuItem17", SelectionRule::Always},
    {"Comprimir2", SelectionRule::NotArchive},
    {"Descomprimir2", SelectionRule::Archive},
    {"Eliminar", SelectionRule::Always},
    {"Rename", SelectionRule::Always},
    {"cambiartitulo2", SelectionRule::Always},
    {"rat1", SelectionRule::Always},
}};

// Whether an item is enabled for the selected entry's full path (nothing selected: every item off).
bool enabledFor(SelectionRule rule, const std::optional<QString> &selectedPath);
