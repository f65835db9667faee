#pragma once

#include <QString>
#include <optional>

// The base folder: the process's current folder when the main window is created, captured once.
// The settings file, the data files, the language files and the default pictures live in it.
namespace BaseFolder {

void capture();
QString path();
// base folder + "/" + name
QString file(const QString &name);
// base folder + "/Cartling.ini"
QString settingsPath();

// Whether the folders leading to a base folder that does not exist yet may be made as well.
enum class Parents
{
    MustExist,
    Create
};

// Makes a folder named on the command line ready to become the base folder: it is created when missing
// (with `Parents::MustExist` only when its parent folder exists). Returns why the folder cannot serve, with
// nothing created, or nothing when it is ready.
std::optional<QString> prepare(const QString &folder, Parents parents = Parents::MustExist);

// The user's own base folder for starts from the desktop menu: "cartling" in the user's data folder
// ($XDG_DATA_HOME, normally ~/.local/share), so those starts never fill the home folder.
QString userDataFolder();

// Copies into the folder each file of `shipped` (the language and read-me files installed with the program)
// that the folder lacks; a file already there, changed by the user or not, is left as it is.
void copyMissingFiles(const QString &shipped, const QString &folder);

} // namespace BaseFolder
