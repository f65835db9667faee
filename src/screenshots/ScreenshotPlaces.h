#pragma once

#include "platform/FileLookup.h"
#include "settings/SettingsFile.h"

#include <QString>
#include <QStringList>

// The 13 places where the emulator may leave its screenshot "ZIBO0000.BMP", in the order they are tested:
//  1 drive root             5 base/rts               9 drive root/windows
//  2 base folder            6 base/save             10 drive root/windows/system
//  3 base/zibo              7 base/shoots           11 drive root/temp
//  4 base/roms              8 extraction folder     12 the emulator's folder ("Zibod")
//                                                   13 the folder above the emulator's folder
// Folder and file names below the base folder, the drive root and the emulator's folder are found without
// regard to case, as on the emulator's home system.
namespace ScreenshotPlaces {

inline constexpr int Count = 13;
inline constexpr char ShotName[] = "ZIBO0000.BMP";

// The emulator's folder as stored ("Zibod", ending in "/"); without one, the drive root's ZIBO0000.BMP,
// which makes place 12 a name that cannot exist and place 13 the drive root.
QString emulatorFolder(const SettingsFile &settings);

// The 13 places, place n at index n - 1. The folder above the emulator's folder is the text before the
// second-to-last "/" of it; when that is empty, or the folder is the default, place 13 is the drive root.
// A caller that polls gives a cache, so that folders are listed only when they change.
QStringList all(const QString &baseFolder, const QString &emulatorFolder, FileLookup::Cache *cache = nullptr);

// Places 1 to 8, 12 and 13: where switching "Screen Shoots" discards a leftover shot.
bool discardedBySwitch(int number);

// The existing file at the place with the highest number, among all places or only those the switch
// discards; empty when there is none.
QString lastExisting(const QStringList &places, bool switchPlacesOnly = false);

// What switching "Screen Shoots" does first: the leftover shot at the last existing place of 1 to 8, 12
// and 13 is given the plain archive attribute and deleted, so it is not filed under whatever game is
// selected next. Places 9 to 11 are left for the next tick. Returns the deleted file, or empty.
QString discardLeftover(const QStringList &places);

// Cartling's own picture folder in the base folder, which emulators other than Zibo are told to save their
// shots in ("Capturas", found without regard to case).
QString pictureFolder(const QString &baseFolder, FileLookup::Cache *cache = nullptr);

// The PNG shots in the picture folder, oldest first, so that the newest of a session ends up as the picture.
QStringList pngShots(const QString &baseFolder, FileLookup::Cache *cache = nullptr);

} // namespace ScreenshotPlaces
