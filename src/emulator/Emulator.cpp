#include "emulator/Emulator.h"

#include "emulator/EmulatorText.h"
#include "emulator/Launcher.h"
#include "emulator/MgbaCheats.h"
#include "emulator/MgbaEmulator.h"
#include "emulator/OwnCommandEmulator.h"
#include "emulator/RetroArchEmulator.h"
#include "emulator/ZiboEmulator.h"
#include "language/MessageTable.h"
#include "platform/ErrorHandler.h"
#include "screenshots/ScreenshotPlaces.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

LaunchFiles LaunchContext::files() const
{
    LaunchFiles files;
    files.rom = rom;
    files.shotsFolder = ScreenshotPlaces::pictureFolder(baseFolder);
    QDir().mkpath(files.shotsFolder);
    const QString saves = settings.read(Keys::Save);
    if (settings.read(Keys::Savedir) && !saves.isEmpty() && QFileInfo(saves).isDir())
        files.savesFolder = saves;
    return files;
}

bool LaunchContext::holdsCode() const
{
    const std::optional<CodeSet> rows = codeRows();
    return rows &&
           std::any_of(rows->begin(), rows->end(), [](const CodeRow &row) { return !row.code.trimmed().isEmpty(); });
}

QString LaunchContext::writeMgbaCheats() const
{
    const QString path = MgbaCheats::path(baseFolder, rom);
    const QString refused = QStringLiteral("Cannot create file %1").arg(QDir::toNativeSeparators(path));
    // What the emulator's cheats window changed in Cartling's sets since is taken first, so it is not lost.
    QByteArray existing;
    if (!MgbaCheats::read(path, &existing))
        throw CartlingError(refused);
    if (const QList<CodeChoice> choices = MgbaCheats::choices(existing); !choices.isEmpty() && takeCheatChoices)
        takeCheatChoices(choices, QFileInfo(path).lastModified());
    // Without codes in use, Cartling's sets go and the user's stay.
    const std::optional<CodeSet> rows = codeRows();
    if (!MgbaCheats::write(path, rows.value_or(CodeSet()), messageTable().text(EmulatorText::CodeName)))
        throw CartlingError(refused);
    return path;
}

QString Emulator::commandLine(const QString &program, const QStringList &arguments) const
{
    return Launcher::commandLine(program, arguments);
}

QString Emulator::missingProgramMessage(const QString &program) const
{
    const MessageTable &texts = messageTable();
    return texts.text(EmulatorText::CannotStartStart, QDir::toNativeSeparators(program), EmulatorText::CannotStartEnd) +
           texts.text(EmulatorText::ProgramGone);
}

EmulatorKind Emulator::shotKind(const QString &) const
{
    return kind();
}

bool Emulator::isShotOf(QStringView, QStringView) const
{
    return false;
}

QString Emulator::optionsNote(const QString &, const QString &) const
{
    return {};
}

namespace Emulators {

const Emulator &of(EmulatorKind kind)
{
    static const ZiboEmulator zibo;
    static const MgbaEmulator mgba;
    static const RetroArchEmulator retroArch;
    static const OwnCommandEmulator ownCommand;
    switch (kind) {
    case EmulatorKind::Mgba:
        return mgba;
    case EmulatorKind::RetroArch:
        return retroArch;
    case EmulatorKind::OwnCommand:
        return ownCommand;
    case EmulatorKind::Zibo:
        break;
    }
    return zibo;
}

} // namespace Emulators
