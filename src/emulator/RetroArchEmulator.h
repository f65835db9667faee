#pragma once

#include "emulator/Emulator.h"

// RetroArch (retroarch, the Flatpak org.libretro.RetroArch) with a Game Boy core: "-L <core>" and the ROM.
class RetroArchEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::RetroArch; }
    QString name() const override;
    std::optional<QStringList> arguments(const LaunchContext &launch) const override;
    QStringList usedOptions(const QString &dialog, const QString &program) const override;

    // The core a launch of the program loads: the stored one while it is there, else the first Game Boy core
    // found in the program's core folders; empty when there is none.
    static QString core(const SettingsFile &settings, const QString &program);
};
