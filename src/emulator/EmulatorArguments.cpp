#include "emulator/EmulatorArguments.h"

#include "emulator/AudioVideoOptions.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <cmath>

namespace EmulatorArguments {

namespace {

// mGBA's full volume.
constexpr int MgbaFullVolume = 256;

// Frames skipped for "60 fps", "30 fps" and "15 fps".
constexpr int kFrameSkip[] = {0, 1, 3};

void addOption(QStringList &arguments, const QString &setting)
{
    arguments << QStringLiteral("-C") << setting;
}

} // namespace

QString mgbaColour(const QString &sixBitColour)
{
    const int rgb = sixBitColour.mid(1).toInt(nullptr, 16);
    int colour = 0;
    for (int shift : {16, 8, 0}) {
        const int channel = (rgb >> shift) & 0xFF;
        colour = colour << 8 | int(std::lround(qMin(channel, 63) * 255.0 / 63));
    }
    return QString::number(colour);
}

QStringList mgba(const SettingsFile &settings, const LaunchFiles &files)
{
    QStringList arguments;
    if (settings.read(Keys::Tipo) == 0) {
        addOption(arguments, QStringLiteral("mute=1"));
    } else {
        const int volume =
            qBound(AudioVideoOptions::MinVolume, settings.read(Keys::Volumen), AudioVideoOptions::MaxVolume);
        addOption(arguments, QStringLiteral("volume=%1")
                                 .arg(std::lround(double(volume) * MgbaFullVolume / AudioVideoOptions::MaxVolume)));
    }

    const int frequency = settings.read(Keys::ScreenUpdateFrequency);
    arguments << QStringLiteral("-s") << QString::number(kFrameSkip[frequency >= 0 && frequency <= 2 ? frequency : 0]);

    const int scheme = settings.read(Keys::Color);
    if (scheme >= 1 && scheme < AudioVideoOptions::colourSchemes().size()) {
        // "-dcs k #c0 #c1 #c2 #c3": the four colours from the lightest to the darkest.
        const QStringList parts = AudioVideoOptions::paletteLine(scheme).split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < 4 && i + 2 < parts.size(); ++i)
            addOption(arguments, QStringLiteral("gb.pal[%1]=%2").arg(i).arg(mgbaColour(parts[i + 2])));
    }

    static const char *const kModels[] = {nullptr, nullptr, "CGB", "DMG", "SGB"};
    const int model = settings.read(Keys::GBmodos);
    if (model >= 2 && model <= 4)
        addOption(arguments, QStringLiteral("gb.model=") + QLatin1String(kModels[model]));

    if (!files.savesFolder.isEmpty())
        addOption(arguments, QStringLiteral("savegamePath=") + QDir::toNativeSeparators(files.savesFolder));
    if (!files.shotsFolder.isEmpty())
        addOption(arguments, QStringLiteral("screenshotPath=") + QDir::toNativeSeparators(files.shotsFolder));
    if (!files.cheats.isEmpty()) {
        // mGBA's Qt program ignores "-c"; every mGBA loads "<ROM stem>.cheats" from its cheats folder.
        addOption(arguments, QStringLiteral("cheatAutoload=1"));
        addOption(arguments, QStringLiteral("cheatsPath=") + QDir::toNativeSeparators(QFileInfo(files.cheats).path()));
    }
    arguments << files.rom;
    return arguments;
}

QStringList retroArch(const QString &core, const QString &rom)
{
    return {QStringLiteral("-L"), core, rom};
}

bool quotesBalanced(const QString &commandTemplate)
{
    // Follows QProcess::splitCommand: a lone double quote opens or closes a quoted part, two in a row change
    // nothing, three stand for one literal quote.
    bool quoted = false;
    int run = 0;
    for (const QChar c : commandTemplate) {
        if (c == u'"') {
            run = (run + 1) % 3;
            continue;
        }
        quoted ^= run == 1;
        run = 0;
    }
    return quoted == (run == 1);
}

std::optional<QStringList> ownCommand(const QString &commandTemplate, const LaunchFiles &files)
{
    if (!quotesBalanced(commandTemplate))
        return std::nullopt;
    static const QRegularExpression placeholder(QStringLiteral("%(ROM|CHEATS|SAVES|SHOTS)%"));
    const auto value = [&files](QStringView name) {
        if (name == u"ROM")
            return files.rom;
        if (name == u"CHEATS")
            return QDir::toNativeSeparators(files.cheats);
        if (name == u"SAVES")
            return QDir::toNativeSeparators(files.savesFolder);
        return QDir::toNativeSeparators(files.shotsFolder);
    };
    QStringList arguments;
    for (const QString &argument : QProcess::splitCommand(commandTemplate)) {
        // One pass over the template's own text, so a ROM path holding "%SAVES%" stays as it is.
        QString replaced;
        qsizetype from = 0;
        for (auto it = placeholder.globalMatch(argument); it.hasNext();) {
            const auto match = it.next();
            replaced += argument.mid(from, match.capturedStart() - from) + value(match.capturedView(1));
            from = match.capturedEnd();
        }
        arguments << replaced + argument.mid(from);
    }
    return arguments;
}

} // namespace EmulatorArguments

namespace RetroArchCores {

const QStringList &fileNames()
{
    static const QStringList names{QStringLiteral("gambatte_libretro.so"), QStringLiteral("sameboy_libretro.so"),
                                   QStringLiteral("mgba_libretro.so"), QStringLiteral("gearboy_libretro.so")};
    return names;
}

QStringList folders(bool flatpak)
{
    const QString home = QDir::homePath();
    const QString flatpakCores = home + QStringLiteral("/.var/app/org.libretro.RetroArch/config/retroarch/cores");
    if (flatpak)
        return {flatpakCores};
    return {QStringLiteral("/usr/lib/x86_64-linux-gnu/libretro"), QStringLiteral("/usr/lib/libretro"),
            home + QStringLiteral("/.config/retroarch/cores"), flatpakCores};
}

QStringList find(const QStringList &folders)
{
    QStringList cores;
    for (const QString &folder : folders) {
        for (const QString &name : fileNames()) {
            const QString core = folder + u'/' + name;
            if (QFileInfo(core).isFile())
                cores << core;
        }
    }
    return cores;
}

} // namespace RetroArchCores
