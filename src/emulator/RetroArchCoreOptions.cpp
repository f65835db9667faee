#include "emulator/RetroArchCoreOptions.h"

#include "emulator/AudioVideoOptions.h"
#include "emulator/MgbaEmulator.h"
#include "settings/SettingsFile.h"

namespace RetroArchCoreOptions {

namespace {

const QString Gambatte = QStringLiteral("Gambatte");
const QString Mgba = QStringLiteral("mGBA");

// The stored model: 2 Game Boy Color, 3 the original Game Boy, 4 Super Game Boy; 0 for detecting it.
int forcedModel(const SettingsFile &settings)
{
    const int model = settings.read(Keys::GBmodos);
    return model >= 2 && model <= 4 ? model : 0;
}

// The stored colour scheme's palette line split ("-dcs", k, then four colours); empty for the standard scheme.
QStringList paletteParts(const SettingsFile &settings)
{
    const int scheme = settings.read(Keys::Color);
    if (scheme < 1 || scheme >= AudioVideoOptions::colourSchemes().size())
        return {};
    const QStringList parts = AudioVideoOptions::paletteLine(scheme).split(u' ', Qt::SkipEmptyParts);
    return parts.size() == 6 ? parts : QStringList();
}

} // namespace

Takes takes(const QString &library)
{
    if (library == Gambatte)
        return {false, true, true};
    if (library == Mgba)
        return {true, false, true};
    return {};
}

RetroArchConfig::Entries of(const QString &library, const SettingsFile &settings)
{
    RetroArchConfig::Entries options;
    const int model = forcedModel(settings);
    if (library == Gambatte) {
        // This gambatte can force the original Game Boy only; for the others each game runs on what it was made
        // for, whatever the user's own choice in RetroArch is.
        if (model != 0)
            options.append(
                {QStringLiteral("gambatte_gb_hwmode"), model == 3 ? QStringLiteral("GB") : QStringLiteral("Auto")});
        if (!paletteParts(settings).isEmpty())
            options.append({QStringLiteral("gambatte_gb_colorization"), QStringLiteral("custom")});
    } else if (library == Mgba) {
        static const char *const kFrameSkip[] = {"0", "1", "3"};
        const int frequency = settings.read(Keys::ScreenUpdateFrequency);
        options.append({QStringLiteral("mgba_frameskip"),
                        QLatin1String(kFrameSkip[frequency >= 0 && frequency <= 2 ? frequency : 0])});
        static const char *const kModels[] = {nullptr, nullptr, "Game Boy Color", "Game Boy", "Super Game Boy"};
        if (model != 0)
            options.append({QStringLiteral("mgba_gb_model"), QLatin1String(kModels[model])});
    }
    return options;
}

bool needsPaletteFile(const QString &library, const SettingsFile &settings)
{
    return library == Gambatte && !paletteParts(settings).isEmpty();
}

QByteArray gambattePalette(const SettingsFile &settings)
{
    const QStringList parts = paletteParts(settings);
    if (parts.isEmpty())
        return {};
    // gambatte reads "%20" as the blank of its section and key names.
    QByteArray text = "[General]\n";
    for (const char *group : {"Background", "Sprite%201", "Sprite%202"}) {
        text += '[' + QByteArray(group) + "]\n";
        for (int i = 0; i < 4; ++i)
            text +=
                QByteArray(group) + QByteArray::number(i) + '=' + MgbaEmulator::colour(parts[i + 2]).toLatin1() + '\n';
    }
    return text;
}

} // namespace RetroArchCoreOptions
