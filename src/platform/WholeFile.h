#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Files written whole or not at all, for the files Cartling writes on the user's behalf (saves, configuration
// files of the emulators, shots). Cartling's own private caches and logs go through PrivateFile instead.
namespace WholeFile {

// The file's bytes; nothing when it cannot be read.
std::optional<QByteArray> read(const QString &path);
// The bytes written through a temporary file that is synced to disk and then takes the name, replacing what was
// there; the folder is made when missing. False when that fails, the old file then as it was.
bool write(const QString &path, const QByteArray &bytes);
// A new file: written under a temporary name that then takes the name, without waiting for the disk (for copies
// that the original outlives); never replaces a file. False when that fails.
bool writeNew(const QString &path, const QByteArray &bytes);

} // namespace WholeFile
