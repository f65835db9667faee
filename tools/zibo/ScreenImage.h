#pragma once

#include <QImage>
#include <QString>

struct GameHeader;

// The stand-in's game screen: the Game Boy's 160 x 144 pixels, drawn from the game's header.
namespace ScreenImage {

inline constexpr int Width = 160;
inline constexpr int Height = 144;

// A 24-bit picture of the screen; needs a QGuiApplication for its text.
QImage render(const GameHeader &game);
// Writes the picture as a 24-bit bitmap, whole or not at all, so a front-end polling for the file never
// takes half of it. False with the reason in `error` when it cannot.
bool save(const QImage &screen, const QString &path, QString *error);

} // namespace ScreenImage
