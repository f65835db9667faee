#include "emulator/MgbaEmulator.h"

#include "collection/CartridgeHeader.h"
#include "emulator/AudioVideoOptions.h"
#include "emulator/EmulatorText.h"
#include "language/MessageTable.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// mGBA's full volume.
constexpr int FullVolume = 256;

// Frames skipped for "60 fps", "30 fps" and "15 fps".
constexpr int kFrameSkip[] = {0, 1, 3};

// Where the cartridge header keeps what decides the model mGBA picks.
constexpr int ColourFlagOffset = 0x143;
constexpr int SuperGameBoyFlagOffset = 0x146;
constexpr int OldLicenseeOffset = 0x14B;

void addOption(QStringList &arguments, const QString &setting)
{
    arguments << QStringLiteral("-C") << setting;
}

} // namespace

QString MgbaEmulator::name() const
{
    return QStringLiteral("mGBA");
}

QString MgbaEmulator::colour(const QString &sixBitColour)
{
    const int rgb = sixBitColour.mid(1).toInt(nullptr, 16);
    int colour = 0;
    for (int shift : {16, 8, 0}) {
        const int channel = (rgb >> shift) & 0xFF;
        colour = colour << 8 | int(std::lround(qMin(channel, 63) * 255.0 / 63));
    }
    return QString::number(colour);
}

QStringList MgbaEmulator::argumentsFor(const SettingsFile &settings, const LaunchFiles &files,
                                       const QByteArray &romStart)
{
    QStringList arguments;
    if (settings.read(Keys::Tipo) == 0) {
        addOption(arguments, QStringLiteral("mute=1"));
    } else {
        // A mute left in mGBA's own settings would silence the launch otherwise.
        addOption(arguments, QStringLiteral("mute=0"));
        const int volume =
            qBound(AudioVideoOptions::MinVolume, settings.read(Keys::Volumen), AudioVideoOptions::MaxVolume);
        addOption(
            arguments,
            QStringLiteral("volume=%1").arg(std::lround(double(volume) * FullVolume / AudioVideoOptions::MaxVolume)));
    }

    const int frequency = settings.read(Keys::ScreenUpdateFrequency);
    arguments << QStringLiteral("-s") << QString::number(kFrameSkip[frequency >= 0 && frequency <= 2 ? frequency : 0]);

    const int scheme = settings.read(Keys::Color);
    if (scheme >= 1 && scheme < AudioVideoOptions::colourSchemes().size()) {
        // "-dcs k #c0 #c1 #c2 #c3": the four colours from the lightest to the darkest.
        const QStringList parts = AudioVideoOptions::paletteLine(scheme).split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < 4 && i + 2 < parts.size(); ++i)
            addOption(arguments, QStringLiteral("gb.pal[%1]=%2").arg(i).arg(colour(parts[i + 2])));
    }

    static const char *const kModels[] = {nullptr, nullptr, "CGB", "DMG", "SGB"};
    const int model = settings.read(Keys::GBmodos);
    if (model >= 2 && model <= 4) {
        for (const QString &key : modelKeys(romStart))
            addOption(arguments, key + u'=' + QLatin1String(kModels[model]));
    }

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

QStringList MgbaEmulator::modelKeys(const QByteArray &romStart)
{
    if (romStart.size() < CartridgeHeader::Size)
        return {QStringLiteral("gb.model"), QStringLiteral("sgb.model"), QStringLiteral("cgb.model"),
                QStringLiteral("cgb.hybridModel"), QStringLiteral("cgb.sgbModel")};
    const auto byte = [&romStart](int offset) { return quint8(romStart[offset]); };
    // mGBA compares the colour flag whole: a game with another value counts as one for the original Game Boy,
    // although it runs in colour. The Super Game Boy flag counts only with the licensee code the Super Game Boy
    // itself asks for.
    const bool colourOnly = byte(ColourFlagOffset) == 0xC0;
    const bool colour = colourOnly || byte(ColourFlagOffset) == 0x80;
    const bool superGameBoy = byte(SuperGameBoyFlagOffset) == 0x03 && byte(OldLicenseeOffset) == 0x33;
    if (colour && superGameBoy)
        return {QStringLiteral("cgb.sgbModel")};
    if (colour)
        return {colourOnly ? QStringLiteral("cgb.model") : QStringLiteral("cgb.hybridModel")};
    return {superGameBoy ? QStringLiteral("sgb.model") : QStringLiteral("gb.model")};
}

std::optional<QStringList> MgbaEmulator::arguments(LaunchContext &launch) const
{
    LaunchFiles files = launch.files();
    if (launch.holdsCode())
        files.cheats = launch.writeMgbaCheats();
    // The header is read only when a model is forced: the keys to pass depend on it.
    QByteArray romStart;
    if (const int model = launch.settings.read(Keys::GBmodos); model >= 2 && model <= 4)
        romStart = CartridgeHeader::romOf(launch.rom).value_or(QByteArray()).left(CartridgeHeader::Size);
    return argumentsFor(launch.settings, files, romStart);
}

bool MgbaEmulator::isShotOf(QStringView fileName, QStringView romStem) const
{
    // mGBA names them "<stem>-<n>.png", n counting up from 0 past the highest already there. Compared as the file
    // system does, letter case included: mGBA writes the stem as the ROM has it.
    static constexpr qsizetype Shortest = 6; // "-0.png"
    if (romStem.isEmpty() || fileName.size() < romStem.size() + Shortest || !fileName.startsWith(romStem) ||
        !fileName.endsWith(u".png"))
        return false;
    const QStringView rest = fileName.sliced(romStem.size(), fileName.size() - romStem.size() - 4);
    if (rest.front() != u'-')
        return false;
    return std::all_of(rest.begin() + 1, rest.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QStringList MgbaEmulator::usedOptions(const QString &dialog, const QString &) const
{
    if (dialog == u"TForm3") // sound type, volume, frames skipped, colour scheme
        return {QStringLiteral("Label8"), QStringLiteral("Label1"), QStringLiteral("Label3"), QStringLiteral("Label6")};
    if (dialog == u"TForm5") // the Game Boy model
        return {QStringLiteral("GroupBox3")};
    if (dialog == u"TForm12") // the save folder
        return {QStringLiteral("CheckBox2")};
    return {};
}

QString MgbaEmulator::optionsNote(const QString &dialog, const QString &) const
{
    return dialog == u"TForm5" ? messageTable().text(EmulatorText::MgbaModelNote) : QString();
}

QString MgbaEmulator::codesUse(const QString &) const
{
    return messageTable().text(EmulatorText::CodesToMgba);
}
