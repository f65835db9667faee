#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>

// RetroArch's configuration files (retroarch.cfg, an appended file, core options files, cheat files): one
// `key = "value"` per line, "#" lines are comments. Values are taken without their quotes; a value cannot hold
// a double quote or a line end, so what Cartling writes has none.
namespace RetroArchConfig {

using Entries = QList<QPair<QString, QString>>;

// The keys and values of the file's text; a key given twice keeps its last value, as RetroArch reads it.
QHash<QString, QString> parse(const QByteArray &text);
// The file read; empty when there is none or it cannot be read.
QHash<QString, QString> read(const QString &path);

// The entries as lines in the given order, each value made one line without double quotes.
QByteArray format(const Entries &entries);
// One value as RetroArch can read it back: line ends and control characters become blanks, double quotes
// single ones.
QString plainValue(const QString &value);

// A path as RetroArch writes it ("~/" for the home folder) made whole; other values as they are.
QString expandedPath(const QString &value);

// The program's own folder: the Flatpak's in its data folder, an installed RetroArch's in $XDG_CONFIG_HOME
// (~/.config).
QString userConfigFolder(bool flatpak);
// Where the program keeps its configuration: retroarch.cfg in its folder, or ~/.retroarch.cfg when only that is
// there for an installed RetroArch.
QString userConfigFile(bool flatpak);


} // namespace RetroArchConfig
