#pragma once

#include "emulator/Emulator.h"

#include <QByteArray>

// mGBA (mgba-qt, mgba, the Flatpak io.mgba.mGBA): the options as its own command-line settings ("-C key=value"),
// the codes as a cheats file it loads by the ROM's name, its F12 shots saved in Cartling's picture folder.
class MgbaEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::Mgba; }
    QString name() const override;
    std::optional<QStringList> arguments(LaunchContext &launch) const override;
    bool isShotOf(QStringView fileName, QStringView romStem) const override;
    QStringList usedOptions(const QString &dialog, const QString &program) const override;
    QString optionsNote(const QString &dialog, const QString &program) const override;
    QString codesUse(const QString &program) const override;
    // The Save folder or beside the ROM; a cartridge's clock at the end of the save.
    SavePlace savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const override;

    // The stored options as mGBA's own command-line options, then the ROM. `romStart` is the start of the ROM
    // image, which the model keys depend on; empty when it could not be read.
    static QStringList argumentsFor(const SettingsFile &settings, const LaunchFiles &files,
                                    const QByteArray &romStart = {});

    // The settings mGBA takes the model from for a game with the header at the start of `romStart`: it reads one
    // key by the header's colour and Super Game Boy flags, and ignores the others. All five when the header
    // cannot be read, which do not conflict.
    static QStringList modelKeys(const QByteArray &romStart);

    // mGBA's colour for one colour of a palette line ("#3f1212"): each 6-bit channel scaled to 0..255, as the
    // decimal value of 0xRRGGBB.
    static QString colour(const QString &sixBitColour);
};
