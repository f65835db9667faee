#pragma once

#include <QString>

// The base folder: the process's current folder when the main window is created, captured once.
// The settings file, the data files, the language files and the default pictures live in it.
namespace BaseFolder {

void capture();
QString path();
// base folder + "/" + name
QString file(const QString &name);
// base folder + "/Cartling.ini"
QString settingsPath();

} // namespace BaseFolder
