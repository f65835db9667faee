#pragma once

#include "emulator/Emulator.h"

// Zibo, and every program not recognised as another kind: it reads every option from Zibo.cfg, takes the ROM as
// its one argument and leaves its shot as "ZIBO0000.BMP" in one of its places.
class ZiboEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::Zibo; }
    QString name() const override;
    std::optional<QStringList> arguments(LaunchContext &launch) const override;
    QString commandLine(const QString &program, const QStringList &arguments) const override;
    QString missingProgramMessage(const QString &program) const override;
    bool mayReadZiboCfg() const override { return true; }
    bool leavesZiboBitmap() const override { return true; }
    bool takesEveryOption() const override { return true; }
    QStringList usedOptions(const QString &dialog, const QString &program) const override;
    QString codesUse(const QString &program) const override;
};
