#pragma once

#include "archive/CompressionOptions.h"
#include "emulator/OptionStore.h"

#include <QString>

class ConfigTemplate;

// The rules of the other-options dialog: three emulator switches, the compression options, the Game Boy
// model, the background picture and the title option. Holds their live values, stores each change at once and
// writes the emulator's lines (slots 24, 25, 26, 28 and 29).
class OtherOptions
{
public:
    enum Model
    {
        Autodetect = 1,
        ForceColor = 2,
        ForceNormal = 3,
        ForceSuper = 4,
    };

    // Runs the creation steps: the controls set from the settings file, their handlers run as a click's would.
    explicit OtherOptions(ConfigTemplate &configTemplate);

    // Each setter is the control's click or edit: nothing happens when the value is already the one given.
    void setDelayRefresh(bool on);
    void setDisableSync(bool on);
    void setCheckCrc(bool on);
    void setLevel(const QString &text); // stored as it stands, also empty or not a digit
    void setDeleteRom(bool on);
    void setLeaveOutFolders(bool on);
    void setAskName(bool on);
    void chooseModel(int model); // 1 to 4; any other value changes nothing
    void setUseBackground(bool on);
    // A picture confirmed in the picker: shown, stored and, with the box ticked, passed to the emulator. A path
    // that Zibo.cfg cannot carry (a line break, a character outside Windows-1252) is refused with a message
    // (false) and nothing changes; one stored earlier is left out of Zibo.cfg.
    bool choosePicture(const QString &path);
    void setReplaceTitles(bool on);

    bool delayRefresh() const { return m_delay; }
    bool disableSync() const { return m_disableSync; }
    bool checkCrc() const { return m_checkCrc; }
    int model() const { return m_model; }
    bool useBackground() const { return m_useBackground; }
    const QString &picture() const { return m_picture; }

    // The live values that compressing and the title lists read.
    CompressionOptions compression() const { return m_compression; }
    bool replaceTitles() const { return m_replaceTitles; }

private:
    void runCreationSteps();
    void writePictureSlot();

    ConfigTemplate &m_template;
    OptionStore m_store;
    // The controls' design state.
    bool m_delay = false;
    bool m_disableSync = false;
    bool m_checkCrc = false;
    CompressionOptions m_compression; // "No incluir directorios" ticked by design, as its stored default
    int m_model = Autodetect;
    bool m_useBackground = false;
    QString m_picture;
    bool m_replaceTitles = false;
};
