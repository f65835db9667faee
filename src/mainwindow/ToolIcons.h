#pragma once

#include <QIcon>

// The pictures the main window shows, drawn rather than loaded: the style's own pictures are decoded from image
// files, which at start-up cost more than the whole list of a small collection. Each icon draws its picture when
// it is first painted, at the size asked, and keeps it, so start-up draws nothing.
namespace ToolIcons {

// An archive with a zip down its middle, for "Comprime Juego Seleccionado".
QIcon compress();
// A play triangle, for the start button.
QIcon play();
// A green dot, the mark in front of the marked view.
QIcon marker();
// A cross in a disc, for the button that empties a text field.
QIcon clear();
// Two chevrons, for the button that shows the menus or tools a bar has no room for.
QIcon more();

} // namespace ToolIcons
