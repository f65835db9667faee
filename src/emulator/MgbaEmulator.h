#pragma once

#include "emulator/Emulator.h"

// mGBA (mgba-qt, mgba, the Flatpak io.mgba.mGBA): the options as its own command-line settings ("-C key=value"),
// the codes as a cheats file it loads by the ROM's name, its F12 shots saved in Cartling's picture folder.
class MgbaEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::Mgba; }
    QString name() const override;
    std::optional<QStringList> arguments(const LaunchContext &launch) const override;
    bool isShotOf(QStringView fileName, QStringView romStem) const override;
    QStringList usedOptions(const QString &dialog, const QString &program) const override;

    // The stored options as mGBA's own command-line options, then the ROM.
    static QStringList argumentsFor(const SettingsFile &settings, const LaunchFiles &files);

    // mGBA's colour for one colour of a palette line ("#3f1212"): each 6-bit channel scaled to 0..255, as the
    // decimal value of 0xRRGGBB.
    static QString colour(const QString &sixBitColour);
};
