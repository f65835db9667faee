#include "emulator/Launcher.h"

#include "emulator/ConfigTemplate.h"
#include "emulator/EmulatorArguments.h"
#include "emulator/EmulatorRuns.h"
#include "emulator/EmulatorText.h"
#include "emulator/MgbaCheats.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "platform/Messages.h"
#include "platform/Places.h"
#include "screenshots/ScreenshotPlaces.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The cheat lines of Zibo.cfg ("-cheat " and a code) as active rows without descriptions.
std::optional<CodeSet> rowsFromTemplate(const ConfigTemplate &configTemplate)
{
    static const QString option = QStringLiteral("-cheat ");
    CodeSet rows;
    bool any = false;
    for (int n = 1; n <= int(rows.size()); ++n) {
        const QString &line = configTemplate.line(34 + n);
        if (line.startsWith(option)) {
            rows[n - 1] = {true, line.mid(option.size()), QString()};
            any = true;
        }
    }
    return any ? std::optional(rows) : std::nullopt;
}

bool holdsCode(const CodeSet &rows)
{
    return std::any_of(rows.begin(), rows.end(), [](const CodeRow &row) { return !row.code.trimmed().isEmpty(); });
}

} // namespace

Launcher::Launcher(ConfigTemplate &configTemplate, Steps steps) : m_template(configTemplate), m_steps(std::move(steps))
{
}

QString Launcher::commandLine(const QString &emulator, const QString &rom)
{
    return QDir::toNativeSeparators(emulator) + QStringLiteral(" \"") + QDir::toNativeSeparators(rom) + u'"';
}

QString Launcher::commandLine(const QString &emulator, const QStringList &arguments)
{
    QString line = QDir::toNativeSeparators(emulator);
    for (QString argument : arguments) {
        if (argument.isEmpty() || argument.contains(u'"') ||
            std::any_of(argument.begin(), argument.end(), [](QChar c) { return c.isSpace(); }))
            argument = u'"' + argument.replace(QStringLiteral("\""), QStringLiteral("\"\"\"")) + u'"';
        line += u' ' + argument;
    }
    return line;
}

std::optional<CodeSet> Launcher::codeRows() const
{
    return m_steps.codeRows ? m_steps.codeRows() : rowsFromTemplate(m_template);
}

LaunchFiles Launcher::files(const SettingsFile &settings, const QString &rom, bool cheatsWanted)
{
    const QString base = BaseFolder::path();
    LaunchFiles files;
    files.rom = rom;
    files.shotsFolder = ScreenshotPlaces::pictureFolder(base);
    QDir().mkpath(files.shotsFolder);
    const QString saves = settings.read(Keys::Save);
    if (settings.read(Keys::Savedir) && !saves.isEmpty() && QFileInfo(saves).isDir())
        files.savesFolder = saves;
    if (cheatsWanted) {
        files.cheats = MgbaCheats::path(base, rom);
        const QString refused = QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(files.cheats));
        // What the emulator's cheats window changed in Cartling's sets since is taken first, so it is not lost.
        QByteArray existing;
        if (!MgbaCheats::read(files.cheats, &existing))
            throw CartlingError(refused);
        if (const QList<CodeChoice> choices = MgbaCheats::choices(existing);
            !choices.isEmpty() && m_steps.takeCheatChoices)
            m_steps.takeCheatChoices(choices, QFileInfo(files.cheats).lastModified());
        // Without codes in use, Cartling's sets go and the user's stay.
        const std::optional<CodeSet> rows = codeRows();
        if (!MgbaCheats::write(files.cheats, rows.value_or(CodeSet()), messageTable().text(EmulatorText::CodeName)))
            throw CartlingError(refused);
    }
    return files;
}

std::optional<QStringList> Launcher::arguments(EmulatorKind kind, const QString &program, const QString &rom)
{
    const SettingsFile settings;
    switch (kind) {
    case EmulatorKind::Zibo:
        return QStringList{rom};
    case EmulatorKind::Mgba: {
        const std::optional<CodeSet> rows = codeRows();
        return EmulatorArguments::mgba(settings, files(settings, rom, rows && holdsCode(*rows)));
    }
    case EmulatorKind::RetroArch: {
        QString core = settings.read(Keys::RetroArchCore);
        const QStringList folders = RetroArchCores::folders(EmulatorKinds::isFlatpakExport(program));
        if (core.isEmpty() || !QFileInfo(core).isFile())
            core = RetroArchCores::find(folders).value(0);
        if (core.isEmpty()) {
            showMessage(messageTable().text(EmulatorText::NoCore) + folders.join(QStringLiteral("; ")));
            return std::nullopt;
        }
        return EmulatorArguments::retroArch(core, rom);
    }
    case EmulatorKind::OwnCommand: {
        const QString commandTemplate = settings.read(Keys::OwnCommandLine);
        if (!EmulatorArguments::quotesBalanced(commandTemplate)) {
            showMessage(messageTable().text(EmulatorText::UnbalancedQuote));
            return std::nullopt;
        }
        LaunchFiles launchFiles = files(settings, rom, commandTemplate.contains(QStringLiteral("%CHEATS%")));
        if (launchFiles.savesFolder.isEmpty())
            launchFiles.savesFolder = BaseFolder::path() + QStringLiteral("/Save");
        return EmulatorArguments::ownCommand(commandTemplate, launchFiles);
    }
    }
    return std::nullopt;
}

std::optional<QString> Launcher::launch(const QString &rom)
{
    if (m_steps.startScreenshotWatch)
        m_steps.startScreenshotWatch();

    // A relative emulator path is taken from the current folder, the listed ROM folder.
    const QString emulator = SettingsFile().read(Keys::Zibo, Places::defaultEmulatorName());
    const EmulatorKind kind = EmulatorKinds::ofStored(SettingsFile(), emulator);
    if (emulator.isEmpty() || !QFileInfo(emulator).isFile()) {
        if (kind == EmulatorKind::Zibo)
            showMessage(messageTable().text(Msg::EmulatorMissing));
        else
            showMessage(messageTable().text(EmulatorText::CannotStartStart, QDir::toNativeSeparators(emulator),
                                            EmulatorText::CannotStartEnd) +
                        messageTable().text(EmulatorText::ProgramGone));
        return std::nullopt;
    }

    if (m_steps.prepareCheats)
        m_steps.prepareCheats();

    if (EmulatorKinds::writesZiboCfg(SettingsFile())) {
        const QString folder = SettingsFile().read(Keys::Zibod, BaseFolder::path());
        if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
            showMessage(messageTable().text(Msg::CfgFolderMissingStart, QDir::toNativeSeparators(folder),
                                            Msg::CfgFolderMissingEnd));
            return std::nullopt;
        }
        m_template.saveAs(ConfigTemplate::fileIn(SettingsFile().read(Keys::Zibod, BaseFolder::path() + u'/')));
    }

    const std::optional<QStringList> arguments = this->arguments(kind, emulator, rom);
    if (!arguments)
        return std::nullopt;
    // The program and every argument go as they are, one argument each, never through a shell.
    EmulatorRuns &runs = m_steps.runs ? *m_steps.runs : emulatorRuns();
    const QDateTime startedAt = QDateTime::currentDateTime();
    if (runs.start(QFileInfo(emulator).absoluteFilePath(), *arguments, QDir::currentPath(), rom) && m_steps.launched) {
        // An own command line's program names its shots as the emulator it is.
        m_steps.launched(rom, kind == EmulatorKind::OwnCommand ? EmulatorKinds::recognise(emulator) : kind, startedAt);
    }
    return kind == EmulatorKind::Zibo ? commandLine(emulator, rom) : commandLine(emulator, *arguments);
}
