#include "emulator/RetroArchEmulator.h"

#include "emulator/AudioVideoOptions.h"
#include "emulator/EmulatorText.h"
#include "emulator/RetroArchCheats.h"
#include "emulator/RetroArchCoreOptions.h"
#include "emulator/RetroArchCores.h"
#include "emulator/RetroArchRestore.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/PathHelpers.h"
#include "platform/WholeFile.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

const QString True = QStringLiteral("true");
const QString False = QStringLiteral("false");

// RetroArch's lowest volume.
constexpr double MinDecibels = -80.0;

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Writes one of the launch's files, or stops the launch.
void writeOrRefuse(const QString &path, const QByteArray &bytes)
{
    if (!WholeFile::write(path, bytes))
        throw CartlingError(QStringLiteral("Cannot create file %1").arg(native(path)));
}

} // namespace

QString RetroArchEmulator::name() const
{
    return QStringLiteral("RetroArch");
}

QString RetroArchEmulator::core(const SettingsFile &settings, const QString &program)
{
    const QString stored = settings.read(Keys::RetroArchCore);
    if (!stored.isEmpty() && QFileInfo(stored).isFile())
        return stored;
    return RetroArchCores::find(RetroArchCores::folders(EmulatorKinds::isFlatpakExport(program))).value(0);
}

QString RetroArchEmulator::volumeDecibels(int volume)
{
    const int bounded = qBound(AudioVideoOptions::MinVolume, volume, AudioVideoOptions::MaxVolume);
    const double decibels = bounded == 0
                                ? MinDecibels
                                : qMax(MinDecibels, 20.0 * std::log10(double(bounded) / AudioVideoOptions::MaxVolume));
    // "-0.0" would read oddly for the full volume.
    return QString::number(decibels == 0.0 ? 0.0 : decibels, 'f', 1);
}

RetroArchConfig::Entries RetroArchEmulator::appendedEntries(const SettingsFile &settings, const Places &places)
{
    RetroArchConfig::Entries entries;
    if (settings.read(Keys::Tipo) == 0) {
        entries.append({QStringLiteral("audio_mute_enable"), True});
    } else {
        entries.append({QStringLiteral("audio_mute_enable"), False});
        entries.append({QStringLiteral("audio_volume"), volumeDecibels(settings.read(Keys::Volumen))});
    }
    if (!places.savesFolder.isEmpty()) {
        // Straight into the folder, so every save of a game is found where Cartling put it.
        entries.append({QStringLiteral("savefile_directory"), native(places.savesFolder)});
        entries.append({QStringLiteral("savestate_directory"), native(places.savesFolder)});
        for (const char *key :
             {"savefiles_in_content_dir", "savestates_in_content_dir", "sort_savefiles_enable",
              "sort_savestates_enable", "sort_savefiles_by_content_enable", "sort_savestates_by_content_enable"})
            entries.append({QLatin1String(key), False});
    }
    if (!places.shotsFolder.isEmpty()) {
        // Named after the game and the time, straight in the folder, the game's own picture rather than the
        // window's: what the harvest files under the game.
        entries.append({QStringLiteral("screenshot_directory"), native(places.shotsFolder)});
        entries.append({QStringLiteral("screenshots_in_content_dir"), False});
        entries.append({QStringLiteral("sort_screenshots_by_content_enable"), False});
        entries.append({QStringLiteral("auto_screenshot_filename"), True});
        entries.append({QStringLiteral("video_gpu_screenshot"), False});
    }
    if (!places.cheatsFolder.isEmpty()) {
        entries.append({QStringLiteral("cheat_database_path"), native(places.cheatsFolder)});
        entries.append({QStringLiteral("apply_cheats_after_load"), True});
    }
    if (!places.coreOptionsFile.isEmpty()) {
        // One file for the launch; the game's own options file would be preferred to it.
        entries.append({QStringLiteral("global_core_options"), True});
        entries.append({QStringLiteral("core_options_path"), native(places.coreOptionsFile)});
        entries.append({QStringLiteral("game_specific_options"), False});
    }
    if (!places.systemFolder.isEmpty())
        entries.append({QStringLiteral("system_directory"), native(places.systemFolder)});
    return entries;
}

QHash<QString, QString> RetroArchEmulator::userCoreOptions(const QString &userConfigFile, const QString &library,
                                                           const QString &rom)
{
    const QHash<QString, QString> user = RetroArchConfig::read(userConfigFile);
    const QString configFolder = QFileInfo(userConfigFile).path();
    const QString optionsFolder =
        RetroArchConfig::expandedPath(user.value(QStringLiteral("rgui_config_directory"), configFolder + "/config")) +
        u'/' + library + u'/';
    QStringList files;
    if (user.value(QStringLiteral("global_core_options")) == True) {
        const QString global = RetroArchConfig::expandedPath(user.value(QStringLiteral("core_options_path")));
        files << (global.isEmpty() ? configFolder + QStringLiteral("/retroarch-core-options.cfg") : global);
    } else {
        files << optionsFolder + library + QStringLiteral(".opt");
    }
    if (user.value(QStringLiteral("game_specific_options")) != False) {
        const QFileInfo content(rom);
        files << optionsFolder + QFileInfo(content.path()).fileName() + QStringLiteral(".opt")
              << optionsFolder + (content.suffix().isEmpty() ? content.fileName() : content.completeBaseName()) +
                     QStringLiteral(".opt");
    }
    QHash<QString, QString> options;
    for (const QString &file : files)
        options.insert(RetroArchConfig::read(file));
    return options;
}

std::optional<QStringList> RetroArchEmulator::arguments(LaunchContext &launch) const
{
    const bool flatpak = EmulatorKinds::isFlatpakExport(launch.program);
    const QString core = RetroArchEmulator::core(launch.settings, launch.program);
    if (core.isEmpty()) {
        showMessage(messageTable().text(EmulatorText::NoCore) +
                    RetroArchCores::folders(flatpak).join(QStringLiteral("; ")));
        return std::nullopt;
    }
    const QString base = launch.baseFolder;
    // What a RetroArch that outlived Cartling left is put right first, so it is not taken for the user's own.
    RetroArchRestore::restorePending(base);

    const QString library = RetroArchCores::libraryName(core);
    const QString userConfigFile = RetroArchConfig::userConfigFile(flatpak);
    const QString ownFolder = base + QStringLiteral("/RetroArch");
    const LaunchFiles files = launch.files();
    Places places{files.shotsFolder, files.savesFolder, {}, {}, {}};

    QString userCheatFile;
    if (launch.holdsCode()) {
        places.cheatsFolder = base + QStringLiteral("/Trucos");
        const std::optional<CodeSet> rows = launch.codeRows();
        writeOrRefuse(RetroArchCheats::path(places.cheatsFolder, library, launch.rom),
                      RetroArchCheats::file(rows.value_or(CodeSet()), messageTable().text(EmulatorText::CodeName)));
        // RetroArch saves the game's cheats into the user's own cheats folder when it ends.
        const QHash<QString, QString> user = RetroArchConfig::read(userConfigFile);
        const QString userCheats = RetroArchConfig::expandedPath(user.value(
            QStringLiteral("cheat_database_path"), QFileInfo(userConfigFile).path() + QStringLiteral("/cheats")));
        userCheatFile = RetroArchCheats::path(userCheats, library, launch.rom);
    }

    if (const RetroArchConfig::Entries ours = RetroArchCoreOptions::of(library, launch.settings); !ours.isEmpty()) {
        QHash<QString, QString> options = userCoreOptions(userConfigFile, library, launch.rom);
        for (const auto &[key, value] : ours)
            options.insert(key, value);
        RetroArchConfig::Entries sorted;
        for (auto it = options.cbegin(); it != options.cend(); ++it)
            sorted.append({it.key(), it.value()});
        std::sort(sorted.begin(), sorted.end());
        places.coreOptionsFile = ownFolder + u'/' + library + QStringLiteral(".opt");
        writeOrRefuse(places.coreOptionsFile, RetroArchConfig::format(sorted));
        if (RetroArchCoreOptions::needsPaletteFile(library, launch.settings)) {
            places.systemFolder = ownFolder;
            writeOrRefuse(ownFolder + QStringLiteral("/palettes/default.pal"),
                          RetroArchCoreOptions::gambattePalette(launch.settings));
        }
    }

    const RetroArchConfig::Entries appended = appendedEntries(launch.settings, places);
    const QString appendedFile = base + QStringLiteral("/RetroArch.cfg");
    writeOrRefuse(appendedFile, RetroArchConfig::format(appended));

    const RetroArchRestore restore = RetroArchRestore::take(userConfigFile, appended, userCheatFile);
    const qint64 number = RetroArchRestore::addPending(base, restore);
    launch.whenEnded = [base, restore, number] {
        restore.restore();
        RetroArchRestore::removePending(base, number);
    };
    return QStringList{QStringLiteral("-L"), core, QStringLiteral("--appendconfig"), appendedFile, launch.rom};
}

bool RetroArchEmulator::isShotOf(QStringView fileName, QStringView romStem) const
{
    // "<stem>-YYMMDD-HHMMSS.png", the stem being the ROM's (or its archive's) name without its last extension.
    static constexpr QStringView pattern = u"-000000-000000.png";
    if (romStem.isEmpty() || fileName.size() != romStem.size() + pattern.size() || !fileName.startsWith(romStem))
        return false;
    const QStringView rest = fileName.sliced(romStem.size());
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const bool digitWanted = pattern[i] == u'0';
        if (digitWanted ? rest[i] < u'0' || rest[i] > u'9' : rest[i] != pattern[i])
            return false;
    }
    return true;
}

QStringList RetroArchEmulator::usedOptions(const QString &dialog, const QString &program) const
{
    const RetroArchCoreOptions::Takes takes =
        RetroArchCoreOptions::takes(RetroArchCores::libraryName(core(SettingsFile(), program)));
    if (dialog == u"TForm3") {
        QStringList used{QStringLiteral("Label8"), QStringLiteral("Label1")};
        if (takes.frameSkip)
            used << QStringLiteral("Label3");
        if (takes.palette)
            used << QStringLiteral("Label6");
        return used;
    }
    if (dialog == u"TForm5")
        return takes.model ? QStringList{QStringLiteral("GroupBox3")} : QStringList();
    if (dialog == u"TForm12")
        return {QStringLiteral("CheckBox2")};
    return {};
}

QString RetroArchEmulator::optionsNote(const QString &dialog, const QString &program) const
{
    const QString core = RetroArchEmulator::core(SettingsFile(), program);
    if (core.isEmpty())
        return messageTable().text(EmulatorText::NoCoreNote);
    const QString library = RetroArchCores::libraryName(core);
    QString note = messageTable().text(EmulatorText::CoreNote).arg(library);
    if (dialog == u"TForm5" && library == u"Gambatte")
        note += u' ' + messageTable().text(EmulatorText::GambatteModelNote);
    return note;
}

QString RetroArchEmulator::codesUse(const QString &program) const
{
    const QString core = RetroArchEmulator::core(SettingsFile(), program);
    if (core.isEmpty())
        return messageTable().text(EmulatorText::CodesNoCore);
    return messageTable().text(EmulatorText::CodesToRetroArch).arg(RetroArchCores::libraryName(core));
}
