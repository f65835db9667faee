#include "emulator/EmulatorKind.h"

#include "emulator/Emulator.h"
#include "platform/Places.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>

namespace EmulatorKinds {

namespace {

QString bareName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive))
        name.chop(4);
    return name;
}

std::optional<EmulatorKind> byName(const QString &program)
{
    const QString name = bareName(program);
    for (const KnownProgram &known : knownPrograms()) {
        if (name.compare(QLatin1String(known.name), Qt::CaseInsensitive) == 0)
            return known.kind;
    }
    return std::nullopt;
}

} // namespace

const QList<KnownProgram> &knownPrograms()
{
    static const QList<KnownProgram> programs{
        {"mgba-qt", EmulatorKind::Mgba},
        {"mgba", EmulatorKind::Mgba},
        {"io.mgba.mGBA", EmulatorKind::Mgba},
        {"retroarch", EmulatorKind::RetroArch},
        {"org.libretro.RetroArch", EmulatorKind::RetroArch},
    };
    return programs;
}

EmulatorKind recognise(const QString &program)
{
    if (program.isEmpty())
        return EmulatorKind::Zibo;
    if (const auto kind = byName(program))
        return *kind;
    // A link of the user's own name ("gba" -> /usr/games/mgba-qt) is known by what it leads to.
    const QFileInfo info(program);
    if (info.isSymLink()) {
        if (const auto kind = byName(info.canonicalFilePath()))
            return *kind;
    }
    return EmulatorKind::Zibo;
}

bool isFlatpakExport(const QString &program)
{
    const QString name = bareName(program);
    return name == u"io.mgba.mGBA" || name == u"org.libretro.RetroArch";
}

EmulatorKind ofStored(const SettingsFile &settings, const QString &program)
{
    if (!settings.read(Keys::OwnCommandLine).trimmed().isEmpty() && settings.read(Keys::OwnCommandProgram) == program)
        return EmulatorKind::OwnCommand;
    return recognise(program);
}

EmulatorKind ofStored(const SettingsFile &settings)
{
    return ofStored(settings, settings.read(Keys::Zibo, Places::defaultEmulatorName()));
}

bool writesZiboCfg(const SettingsFile &settings)
{
    return Emulators::of(recognise(settings.read(Keys::Zibo, Places::defaultEmulatorName()))).mayReadZiboCfg();
}

QString name(EmulatorKind kind)
{
    return Emulators::of(kind).name();
}

} // namespace EmulatorKinds
