#pragma once

#include "emulator/Emulator.h"
#include "emulator/RetroArchConfig.h"

// RetroArch (retroarch, the Flatpak org.libretro.RetroArch) with a Game Boy core: "-L <core>", one appended
// configuration file written for the launch in the base folder, and the ROM. The appended file carries the
// sound, the Save folder, the picture folder, the codes as RetroArch's cheat file and, through a core options
// file of Cartling's, what the core takes of the model, the palette and the frames skipped. What RetroArch writes
// back into the user's own files when it ends is put back (RetroArchRestore).
class RetroArchEmulator : public Emulator
{
public:
    EmulatorKind kind() const override { return EmulatorKind::RetroArch; }
    QString name() const override;
    std::optional<QStringList> arguments(LaunchContext &launch) const override;
    bool isShotOf(QStringView fileName, QStringView romStem) const override;
    QStringList usedOptions(const QString &dialog, const QString &program) const override;
    QString optionsNote(const QString &dialog, const QString &program) const override;
    QString codesUse(const QString &program) const override;
    // "<stem>.srm" and the clock "<stem>.rtc" in the Save folder when that option is on (Cartling passes it),
    // else where the user's retroarch.cfg says (savefiles_in_content_dir, savefile_directory), RetroArch's own
    // saves folder when it says nothing.
    SavePlace savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const override;
    // The same from the user's configuration as read, and the program's own folder.
    static SavePlace savePlaceFrom(const QHash<QString, QString> &userConfig, const QString &configFolder,
                                   const QString &savesFolder, const QString &rom);

    // The core a launch of the program loads: the stored one while it is there, else the first Game Boy core
    // found in the program's core folders; empty when there is none.
    static QString core(const SettingsFile &settings, const QString &program);

    // The places one launch points RetroArch at; an empty one is not passed.
    struct Places
    {
        QString shotsFolder;
        QString savesFolder;
        QString cheatsFolder;    // holds the game's cheat file, when codes are passed
        QString coreOptionsFile; // when the core gets options
        QString systemFolder;    // holds gambatte's palette file, when it is needed
    };
    // The appended file's settings for the stored options and the places.
    static RetroArchConfig::Entries appendedEntries(const SettingsFile &settings, const Places &places);

    // RetroArch's volume in decibels for Cartling's 0..15: the same share of the sound's amplitude as mGBA is
    // given, 15 being 0 dB and 0 RetroArch's lowest, -80 dB.
    static QString volumeDecibels(int volume);

    // The user's own core options for the core and the game, which the core options file of a launch starts from:
    // the core's file (or the file of every core), then the content folder's and the game's files, which
    // RetroArch prefers.
    static QHash<QString, QString> userCoreOptions(const QString &userConfigFile, const QString &library,
                                                   const QString &rom);
};
