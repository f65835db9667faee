#include "emulator/RetroArchEmulator.h"

#include "emulator/EmulatorText.h"
#include "emulator/RetroArchCores.h"
#include "language/MessageTable.h"
#include "platform/Messages.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>

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

std::optional<QStringList> RetroArchEmulator::arguments(const LaunchContext &launch) const
{
    const QString core = RetroArchEmulator::core(launch.settings, launch.program);
    if (core.isEmpty()) {
        showMessage(messageTable().text(EmulatorText::NoCore) +
                    RetroArchCores::folders(EmulatorKinds::isFlatpakExport(launch.program)).join(QStringLiteral("; ")));
        return std::nullopt;
    }
    return QStringList{QStringLiteral("-L"), core, launch.rom};
}

QStringList RetroArchEmulator::usedOptions(const QString &, const QString &) const
{
    return {};
}
