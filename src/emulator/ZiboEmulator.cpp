#include "emulator/ZiboEmulator.h"

#include "emulator/Launcher.h"
#include "language/MessageTable.h"

QString ZiboEmulator::name() const
{
    return QStringLiteral("Zibo");
}

std::optional<QStringList> ZiboEmulator::arguments(LaunchContext &launch) const
{
    return QStringList{launch.rom};
}

QString ZiboEmulator::commandLine(const QString &program, const QStringList &arguments) const
{
    return Launcher::commandLine(program, arguments.value(0));
}

QString ZiboEmulator::missingProgramMessage(const QString &) const
{
    return messageTable().text(Msg::EmulatorMissing);
}

QStringList ZiboEmulator::usedOptions(const QString &, const QString &) const
{
    return {};
}

QString ZiboEmulator::codesUse(const QString &) const
{
    return {};
}
