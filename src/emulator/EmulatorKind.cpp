#include "emulator/EmulatorKind.h"

#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "platform/Places.h"
#include "settings/SettingsFile.h"

#include <QFileInfo>

#include <algorithm>

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

bool leavesZiboBitmap(EmulatorKind kind)
{
    return kind == EmulatorKind::Zibo;
}

bool isPngShotOf(EmulatorKind kind, QStringView fileName, QStringView romStem)
{
    if (kind != EmulatorKind::Mgba || romStem.isEmpty())
        return false;
    // Compared as the file system does, letter case included: mGBA writes the stem as the ROM has it.
    if (!fileName.startsWith(romStem) || !fileName.endsWith(u".png"))
        return false;
    const QStringView rest = fileName.sliced(romStem.size(), fileName.size() - romStem.size() - 4);
    if (rest.size() < 2 || rest.front() != u'-')
        return false;
    return std::all_of(rest.begin() + 1, rest.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool writesZiboCfg(const SettingsFile &settings)
{
    return recognise(settings.read(Keys::Zibo, Places::defaultEmulatorName())) == EmulatorKind::Zibo;
}

QString name(EmulatorKind kind)
{
    switch (kind) {
    case EmulatorKind::Zibo:
        return QStringLiteral("Zibo");
    case EmulatorKind::Mgba:
        return QStringLiteral("mGBA");
    case EmulatorKind::RetroArch:
        return QStringLiteral("RetroArch");
    case EmulatorKind::OwnCommand:
        break;
    }
    return messageTable().text(EmulatorText::OwnCommandKind);
}

} // namespace EmulatorKinds
