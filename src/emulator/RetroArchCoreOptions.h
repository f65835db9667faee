#pragma once

#include "emulator/RetroArchConfig.h"

#include <QByteArray>
#include <QString>

class SettingsFile;

// The stored options that reach a RetroArch core through its own core options, for the cores whose options
// Cartling knows (by library name): gambatte's model and palette, the mGBA core's frames skipped and model.
// Values are those the cores of Debian 12 accept; a core resets a value it does not know to its default.
namespace RetroArchCoreOptions {

// Which of Cartling's options the core takes.
struct Takes
{
    bool frameSkip = false;
    bool palette = false;
    bool model = false;
};
Takes takes(const QString &library);

// The core options for the stored options, in the order written; none for a core Cartling knows nothing of.
RetroArchConfig::Entries of(const QString &library, const SettingsFile &settings);

// Whether the options need gambatte's palette file ("palettes/default.pal" in RetroArch's system folder).
bool needsPaletteFile(const QString &library, const SettingsFile &settings);
// gambatte's palette file for the stored colour scheme: the scheme's four colours, lightest first, for the
// background and both sprite palettes.
QByteArray gambattePalette(const SettingsFile &settings);

} // namespace RetroArchCoreOptions
