#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

// The picture of the selected game: its filed shot in the shots folder, else the program's default
// picture. Names are matched without regard to case, so "TETRIS.gb" finds "tetris.bmp".
namespace PictureLookup {

// The folder "Shoots" of the base folder, found without regard to case; base + "/Shoots" when missing.
QString shotsFolder(const QString &baseFolder);

// The file of that name in the folder without regard to case (exact name first); the name joined to the
// folder when there is none.
QString fileIn(const QString &folder, const QString &name);

// The three candidates for the game, in order: shots folder + stem + ".bmp", the same with ".jpg", and
// the base folder's "ctg.jpg". The stem is the ROM's file name without folder and last extension, so a
// ".gb" and its ".zip" share one picture.
QStringList candidates(const QString &baseFolder, const QString &romPath);

// The picture in the file, by its extension: ".jpg" and ".jpeg" through libjpeg, anything else as a Windows
// bitmap. A null image when the file is missing or cannot be decoded.
QImage load(const QString &path);

struct Picture
{
    QString path;
    QImage image;
};

// The first candidate that exists and can be decoded; nothing when no game is selected (empty romPath) or
// no candidate serves, and the viewer then keeps what it shows. A damaged shot falls through to the next
// candidate, as a missing one does.
std::optional<Picture> gamePicture(const QString &baseFolder, const QString &romPath);

// A default picture of the base folder ("ctg.jpg", "ctg.bmp"), when it exists and can be decoded.
std::optional<Picture> defaultPicture(const QString &baseFolder, const QString &name);

} // namespace PictureLookup
