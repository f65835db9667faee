#include "emulator/AudioVideoOptions.h"

#include "emulator/ConfigTemplate.h"
#include "platform/Places.h"
#include "platform/TextEncoding.h"
#include "settings/SettingsFile.h"

#include <QDir>
#include <algorithm>
#include <array>

namespace {

enum : int
{
    SoundSlot = 4,
    UpdatePeriodSlot = 5,
    StereoSlot = 12,
    VolumeSlot = 13,
    VideoSlot = 14,
    PaletteSlot = 15,
    FirstColourSlot = 16,     // 16 to 19
    FirstBrightnessSlot = 20, // 20 to 23
    RecordingSlot = 46,
};

// The emulator takes one colour scheme and one brightness for each of its four picture layers.
constexpr std::array<const char *, 4> kColourOptions{"-cs ", "-bcs ", "-scs ", "-wcs "};
constexpr std::array<const char *, 4> kBrightnessOptions{"-bbr ", "-sbr ", "-wbr ", "-br "};

// The fifth scheme's first colour has five digits; the emulator has always been given it so.
constexpr std::array<const char *, 7> kPalettes{
    " ",
    "-dcs 1 #37372D #323228 #2D2D23 #28281E",
    "-dcs 2 #1C3B3F #12283F #0F1938 #06061F",
    "-dcs 3 #3f1212 #320c0c #250606 #1f0606",
    "-dcs 4 #3f3819 #382512 #25190c #191200",
    "-dcs 5 #93f19 #093209 #062506 #001600",
    "-dcs 6 #3f3f3f #323232 #2c2c2c #1f1f1f",
};

// A stored list index outside the list reads as the key's default, as a value that is not a number does.
int readIndex(const SettingsFile &settings, const IntKey &key, const QStringList &items)
{
    const int index = settings.read(key);
    return index >= 0 && index < items.size() ? index : key.def;
}

bool inList(int index, const QStringList &items)
{
    return index >= 0 && index < items.size();
}

QString number(int value)
{
    return QString::number(value);
}

} // namespace

const QStringList &AudioVideoOptions::soundTypes()
{
    static const QStringList items{"No Sound", "-Sound 1", "-Sound 2", "-Sound 3"};
    return items;
}

const QStringList &AudioVideoOptions::stereoModes()
{
    static const QStringList items{"Mono", "Stereo", "Stereo Reversed"};
    return items;
}

const QStringList &AudioVideoOptions::updateFrequencies()
{
    static const QStringList items{"60 fps", "30 fps", "15 fps"};
    return items;
}

const QStringList &AudioVideoOptions::resolutions()
{
    static const QStringList items{"320x200 c/t", "320x200 s/t", "360x144", "180x144", "256x200 c/t", "256x200 s/t"};
    return items;
}

const QStringList &AudioVideoOptions::colourSchemes()
{
    static const QStringList items{"Estandar", "Real", "Azul", "Verde Claro", "Verde Oscuro", "Dorado", "Gris"};
    return items;
}

QString AudioVideoOptions::paletteLine(int scheme)
{
    return scheme >= 0 && scheme < int(kPalettes.size()) ? QString::fromLatin1(kPalettes[scheme]) : QString();
}

AudioVideoOptions::AudioVideoOptions(ConfigTemplate &configTemplate, QString storedPalette)
    : m_template(configTemplate), m_storedPalette(std::move(storedPalette))
{
}

void AudioVideoOptions::load()
{
    const SettingsFile settings;
    // 1. The values, as the controls take them.
    m_volume = std::clamp(settings.read(Keys::Volumen), MinVolume, MaxVolume);
    m_stereoMode = readIndex(settings, Keys::Stereo, stereoModes());
    m_brightness = std::clamp(settings.read(Keys::Brillo), MinBrightness, MaxBrightness);
    m_resolution = readIndex(settings, Keys::Resolucion, resolutions());
    m_updateFrequency = readIndex(settings, Keys::ScreenUpdateFrequency, updateFrequencies());
    m_colourScheme = readIndex(settings, Keys::Color, colourSchemes());
    m_soundType = readIndex(settings, Keys::Tipo, soundTypes());
    // 2. Sound. With sound off the volume and stereo lines are blank, and the sound line keeps a trailing blank.
    if (m_soundType != 0) {
        m_template.replace(SoundSlot, "-sound " + number(m_soundType));
        m_template.replace(VolumeSlot, "-vol " + number(m_volume));
        m_template.replace(StereoSlot, "-stereo " + number(m_stereoMode));
    } else {
        m_template.replace(SoundSlot, QStringLiteral("-sound 0 "));
        m_template.replace(VolumeSlot, QStringLiteral(" "));
        m_template.replace(StereoSlot, QStringLiteral(" "));
    }
    // 3.
    m_template.replace(UpdatePeriodSlot, "-uperiod " + number(m_updateFrequency));
    m_template.replace(VideoSlot, "-video " + number(m_resolution));
    // 4. The palette line as stored, a comment line when none is.
    m_template.replace(PaletteSlot, m_storedPalette);
    // 5. The standard scheme leaves the colour lines as they are.
    if (m_colourScheme != 0) {
        for (int i = 0; i < int(kColourOptions.size()); ++i)
            m_template.replace(FirstColourSlot + i, kColourOptions[i] + number(m_colourScheme));
    }
    // 6.
    for (int i = 0; i < int(kBrightnessOptions.size()); ++i)
        m_template.replace(FirstBrightnessSlot + i, kBrightnessOptions[i] + number(m_brightness));
}

void AudioVideoOptions::chooseSoundType(int index)
{
    if (!inList(index, soundTypes()))
        return;
    m_soundType = index;
    SettingsFile().write(Keys::Tipo, index);
    // The volume and stereo lines keep their text until those controls change.
    m_template.replace(SoundSlot, "-sound " + number(index));
}

bool AudioVideoOptions::typeSoundType(const QString &text)
{
    const QString typed = text.trimmed();
    for (int i = 0; i < soundTypes().size(); ++i) {
        if (typed.compare(soundTypes()[i], Qt::CaseInsensitive) == 0) {
            if (i != m_soundType)
                chooseSoundType(i);
            return true;
        }
    }
    return false;
}

void AudioVideoOptions::chooseStereoMode(int index)
{
    if (!inList(index, stereoModes()))
        return;
    m_stereoMode = index;
    SettingsFile().write(Keys::Stereo, index);
    m_template.replace(StereoSlot, "-stereo " + number(index));
}

void AudioVideoOptions::setVolume(int position)
{
    m_volume = std::clamp(position, MinVolume, MaxVolume);
    SettingsFile().write(Keys::Volumen, m_volume);
    m_template.replace(VolumeSlot, "-vol " + number(m_volume));
}

void AudioVideoOptions::chooseUpdateFrequency(int index)
{
    if (!inList(index, updateFrequencies()))
        return;
    m_updateFrequency = index;
    SettingsFile().write(Keys::ScreenUpdateFrequency, index);
    m_template.replace(UpdatePeriodSlot, "-uperiod " + number(index));
}

void AudioVideoOptions::chooseResolution(int index)
{
    if (!inList(index, resolutions()))
        return;
    m_resolution = index;
    SettingsFile().write(Keys::Resolucion, index);
    m_template.replace(VideoSlot, "-video " + number(index));
}

void AudioVideoOptions::chooseColourScheme(int index)
{
    if (!inList(index, colourSchemes()))
        return;
    m_colourScheme = index;
    SettingsFile settings;
    settings.write(Keys::Color, index);
    for (int i = 0; i < int(kColourOptions.size()); ++i)
        m_template.replace(FirstColourSlot + i, index != 0 ? kColourOptions[i] + number(index) : QStringLiteral(" "));
    settings.write(Keys::Dcs, paletteLine(index));
    m_template.replace(PaletteSlot, paletteLine(index));
}

void AudioVideoOptions::setBrightness(int position)
{
    m_brightness = std::clamp(position, MinBrightness, MaxBrightness);
    SettingsFile().write(Keys::Brillo, m_brightness);
    for (int i = 0; i < int(kBrightnessOptions.size()); ++i)
        m_template.replace(FirstBrightnessSlot + i, kBrightnessOptions[i] + number(m_brightness));
}

void AudioVideoOptions::setRecording(bool on)
{
    m_recording = on;
    writeRecordingLine();
}

void AudioVideoOptions::setRecordingName(const QString &name)
{
    m_recordingName = name;
    writeRecordingLine();
}

void AudioVideoOptions::writeRecordingLine()
{
    // One level only; a drive root that cannot take it costs nothing but the emulator's recording.
    QDir().mkdir(recordingFolder());
    m_template.replace(RecordingSlot, m_recording ? recordingLine(m_recordingName) : QString());
}

QString AudioVideoOptions::recordingFolder()
{
    return Places::driveRoot() + QStringLiteral("sndfiles");
}

QString AudioVideoOptions::recordingFileName(const QString &name)
{
    // Refused in file names where the emulator runs (Windows), and so also in its compatibility layers.
    static const QString refused = QStringLiteral("/\\:*?\"<>|");
    QString file;
    for (const char32_t c : name.left(RecordingNameLength).toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        // The emulator reads Zibo.cfg as Windows-1252: a character without a byte there is no use to it either.
        if (c == u' ' || c < 0x20 || c == 0x7f || refused.contains(character) ||
            !TextEncoding::fitsWindows1252(character))
            file += u'_';
        else
            file += character;
    }
    return file;
}

QString AudioVideoOptions::recordingLine(const QString &name)
{
    const QString file = recordingFolder() + u'/' + recordingFileName(name) + QStringLiteral(".snd");
    return "-logsnd " + QDir::toNativeSeparators(file) + u' ';
}
