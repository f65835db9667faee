// Where each kind of emulator keeps a game's battery save.
#include "emulator/Emulator.h"
#include "emulator/MgbaEmulator.h"
#include "emulator/OwnCommandEmulator.h"
#include "emulator/RetroArchEmulator.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The Save folder when its option is on and it is there: every kind is given it then.
QString savesFolder(const SettingsFile &settings)
{
    const QString saves = settings.read(Keys::Save);
    return settings.read(Keys::Savedir) && !saves.isEmpty() && QFileInfo(saves).isDir() ? QDir::cleanPath(saves)
                                                                                        : QString();
}

QString stemPath(const QString &folder, const QString &rom, const char *suffix)
{
    return folder + u'/' + QFileInfo(rom).completeBaseName() + QLatin1String(suffix);
}

SavePlace besideOrIn(const SettingsFile &settings, const QString &rom, SavePlace::Clock clock)
{
    const QString saves = savesFolder(settings);
    return {stemPath(saves.isEmpty() ? QFileInfo(rom).absolutePath() : saves, rom, ".sav"), QString(), clock};
}

bool isTrue(const QString &value)
{
    return value.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0;
}

} // namespace

SavePlace Emulator::savePlace(const SettingsFile &settings, const QString &, const QString &rom) const
{
    return besideOrIn(settings, rom, SavePlace::Clock::None);
}

SavePlace MgbaEmulator::savePlace(const SettingsFile &settings, const QString &, const QString &rom) const
{
    return besideOrIn(settings, rom, SavePlace::Clock::InFile);
}

SavePlace OwnCommandEmulator::savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const
{
    return Emulators::of(EmulatorKinds::recognise(program)).savePlace(settings, program, rom);
}

SavePlace RetroArchEmulator::savePlace(const SettingsFile &settings, const QString &program, const QString &rom) const
{
    const QString configFile = RetroArchConfig::userConfigFile(EmulatorKinds::isFlatpakExport(program));
    return savePlaceFrom(RetroArchConfig::read(configFile), QFileInfo(configFile).path(), savesFolder(settings), rom);
}

SavePlace RetroArchEmulator::savePlaceFrom(const QHash<QString, QString> &userConfig, const QString &configFolder,
                                           const QString &savesFolder, const QString &rom)
{
    QString folder = savesFolder;
    if (folder.isEmpty()) {
        const auto configured = userConfig.constFind(QStringLiteral("savefile_directory"));
        if (configured == userConfig.constEnd())
            folder = configFolder + QStringLiteral("/saves"); // RetroArch's own choice, before it wrote any
        else if (isTrue(userConfig.value(QStringLiteral("savefiles_in_content_dir"))) || configured->isEmpty() ||
                 *configured == u"default")
            folder = QFileInfo(rom).absolutePath(); // emptied in RetroArch's menu, it means beside the game
        else
            folder = QDir::cleanPath(RetroArchConfig::expandedPath(*configured));
    }
    return {stemPath(folder, rom, ".srm"), stemPath(folder, rom, ".rtc"), SavePlace::Clock::SeparateFile};
}
