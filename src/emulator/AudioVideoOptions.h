#pragma once

#include <QString>
#include <QStringList>

class ConfigTemplate;

// The rules of the audio and video options: each choice is stored at once in the settings file and written
// into its line of the emulator's configuration. Holds the values the dialog shows.
class AudioVideoOptions
{
public:
    static constexpr int MinVolume = 0;
    static constexpr int MaxVolume = 15;
    static constexpr int MinBrightness = -100;
    static constexpr int MaxBrightness = 100;
    static constexpr int RecordingNameLength = 8;

    static const QStringList &soundTypes();
    static const QStringList &stereoModes();
    static const QStringList &updateFrequencies();
    static const QStringList &resolutions();
    static const QStringList &colourSchemes();
    // The palette line of a colour scheme: a single blank for the standard one.
    static QString paletteLine(int scheme);

    // The palette line is the one the main window read from the settings at start-up.
    AudioVideoOptions(ConfigTemplate &configTemplate, QString storedPalette);

    // The creation steps: every setting read (the bars clamp, a list index outside its list reads as the
    // key's default) and the slots written from them. Nothing is stored.
    void load();

    int soundType() const { return m_soundType; }
    // Volume and stereo mode mean something only with sound on.
    bool soundEnabled() const { return m_soundType != 0; }
    int stereoMode() const { return m_stereoMode; }
    int volume() const { return m_volume; }
    bool recording() const { return m_recording; }
    const QString &recordingName() const { return m_recordingName; }
    int updateFrequency() const { return m_updateFrequency; }
    int resolution() const { return m_resolution; }
    int colourScheme() const { return m_colourScheme; }
    int brightness() const { return m_brightness; }

    // The user's changes. Each stores its key and rewrites its slots; a refused write raises CartlingError
    // and leaves the slots as they were. An index outside its list is ignored, a position is clamped.
    void chooseSoundType(int index);
    // Text typed into the sound-type box: an entry's text (in any case) chooses that entry when it is not
    // the chosen one already; other text keeps the last chosen entry and stores nothing. False for no match.
    bool typeSoundType(const QString &text);
    void chooseStereoMode(int index);
    void setVolume(int position);
    void chooseUpdateFrequency(int index);
    void chooseResolution(int index);
    void chooseColourScheme(int index);
    void setBrightness(int position);
    // Recording is never stored; both rewrite the recording line.
    void setRecording(bool on);
    void setRecordingName(const QString &name);

    // The folder the emulator records into: "sndfiles" on the drive root.
    static QString recordingFolder();
    // The recording file's name as the emulator gets it: at most 8 characters, blanks and every character a
    // file name cannot hold (path separators included) or Zibo.cfg cannot carry (none in Windows-1252) made "_",
    // so the file stays in the recording folder.
    static QString recordingFileName(const QString &name);
    // "-logsnd <folder>/<file>.snd " with its trailing blank.
    static QString recordingLine(const QString &name);

private:
    void writeRecordingLine();

    ConfigTemplate &m_template;
    QString m_storedPalette;
    int m_soundType = 1;
    int m_stereoMode = 1;
    int m_volume = 7;
    bool m_recording = false;
    QString m_recordingName = QStringLiteral("Nombre");
    int m_updateFrequency = 0;
    int m_resolution = 0;
    int m_colourScheme = 0;
    int m_brightness = 0;
};
