#include "emulator/Launcher.h"

#include "emulator/ConfigTemplate.h"
#include "emulator/Emulator.h"
#include "emulator/EmulatorRuns.h"
#include "language/MessageTable.h"
#include "platform/Messages.h"
#include "platform/Places.h"
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

std::optional<QStringList> Launcher::arguments(EmulatorKind kind, const QString &program, const QString &rom,
                                               std::function<void()> &whenEnded)
{
    const SettingsFile settings;
    LaunchContext launch{
        settings, program, rom, BaseFolder::path(), [this] { return codeRows(); }, m_steps.takeCheatChoices, {}};
    std::optional<QStringList> arguments = Emulators::of(kind).arguments(launch);
    whenEnded = std::move(launch.whenEnded);
    return arguments;
}

std::optional<QString> Launcher::launch(const QString &rom)
{
    if (m_steps.startScreenshotWatch)
        m_steps.startScreenshotWatch();

    // A relative emulator path is taken from the current folder, the listed ROM folder.
    const QString emulator = SettingsFile().read(Keys::Zibo, Places::defaultEmulatorName());
    const EmulatorKind kind = EmulatorKinds::ofStored(SettingsFile(), emulator);
    const Emulator &emulatorKind = Emulators::of(kind);
    if (emulator.isEmpty() || !QFileInfo(emulator).isFile()) {
        showMessage(emulatorKind.missingProgramMessage(emulator));
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

    std::function<void()> whenEnded;
    const std::optional<QStringList> arguments = this->arguments(kind, emulator, rom, whenEnded);
    if (!arguments)
        return std::nullopt;
    // The program and every argument go as they are, one argument each, never through a shell.
    EmulatorRuns &runs = m_steps.runs ? *m_steps.runs : emulatorRuns();
    if (m_steps.beforeStart)
        m_steps.beforeStart(rom, kind, emulator);
    const QDateTime startedAt = QDateTime::currentDateTime();
    if (!runs.start(QFileInfo(emulator).absoluteFilePath(), *arguments, QDir::currentPath(), rom, whenEnded)) {
        // Nothing ran, so nothing is to wait for.
        if (whenEnded)
            whenEnded();
    } else if (m_steps.launched) {
        m_steps.launched(rom, emulatorKind.shotKind(emulator), startedAt);
    }
    return emulatorKind.commandLine(emulator, *arguments);
}
