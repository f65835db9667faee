#pragma once

#include <QIcon>

// The pictures of the main window's two tool buttons, drawn rather than loaded: the style's own pictures
// are decoded from image files at start-up, which costs more than the whole list of a small collection.
namespace ToolIcons {

// An icon that draws its picture with `draw` when it is first painted, at the size asked, and keeps it: start-up
// draws nothing, and a picture that is never shown is never drawn.
QIcon drawnWhenShown(QIcon (*draw)(int size));

// An archive with a zip down its middle, for "Comprime Juego Seleccionado".
QIcon compress(int size);
// A play triangle, for the start button.
QIcon play(int size);
// A cross in a disc, for the button that empties a text field.
QIcon clear(int size);
// A green dot, the mark in front of the marked view.
QIcon marker(int size);
// Two chevrons, for the button that shows the menus or tools a bar has no room for.
QIcon more(int size);

} // namespace ToolIcons
