#include "emulator/Launcher.h"

#include "emulator/ConfigTemplate.h"
#include "language/MessageTable.h"
#include "platform/Messages.h"
#include "platform/Places.h"
#include "platform/ProcessStarter.h"
#include "settings/BaseFolder.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

Launcher::Launcher(ConfigTemplate &configTemplate, Steps steps) : m_template(configTemplate), m_steps(std::move(steps))
{
}

QString Launcher::commandLine(const QString &emulator, const QString &rom)
{
    return QDir::toNativeSeparators(emulator) + QStringLiteral(" \"") + QDir::toNativeSeparators(rom) + u'"';
}

std::optional<QString> Launcher::launch(const QString &rom)
{
    if (m_steps.startScreenshotWatch)
        m_steps.startScreenshotWatch();

    // A relative emulator path is taken from the current folder, the listed ROM folder.
    const QString emulator = SettingsFile().read(Keys::Zibo, Places::defaultEmulatorName());
    if (emulator.isEmpty() || !QFileInfo(emulator).isFile()) {
        showMessage(messageTable().text(Msg::EmulatorMissing));
        return std::nullopt;
    }

    if (m_steps.prepareCheats)
        m_steps.prepareCheats();

    const QString folder = SettingsFile().read(Keys::Zibod, BaseFolder::path());
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        showMessage(messageTable().text(Msg::CfgFolderMissingStart, QDir::toNativeSeparators(folder),
                                        Msg::CfgFolderMissingEnd));
        return std::nullopt;
    }

    m_template.saveAs(ConfigTemplate::fileIn(SettingsFile().read(Keys::Zibod, BaseFolder::path() + u'/')));

    const QString line = commandLine(emulator, rom);
    // The program and the ROM path go as they are, one argument each, never through a shell.
    processStarter().start(QFileInfo(emulator).absoluteFilePath(), {rom}, QDir::currentPath());
    return line;
}
