#pragma once

#include "emulator/AudioVideoOptions.h"
#include "platform/FormWindow.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;

// The audio and video options: sound, recording, screen and colours for the monochrome Game Boy. Every change
// is stored and reaches the emulator's configuration at once; "Aceptar" and Escape only close.
class AudioVideoDialog : public FormWindow
{
    Q_OBJECT
public:
    // Shows the program's options, which ran their creation steps at start-up.
    explicit AudioVideoDialog(AudioVideoOptions &options, QWidget *parent = nullptr);

    AudioVideoOptions &options() { return m_options; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void build();
    void createLayout();
    void connectLayout();
    // Fills the controls from the options; no handler runs.
    void loadFromOptions();
    // The chosen sound type in its box, in place of any text typed there.
    void showSoundType();
    // Volume and stereo mode take input only with sound on.
    void showSoundControls();

    AudioVideoOptions &m_options;
    QComboBox *m_soundType = nullptr;
    QComboBox *m_stereo = nullptr;
    QSlider *m_volume = nullptr;
    QCheckBox *m_recording = nullptr;
    QLineEdit *m_recordingName = nullptr;
    QComboBox *m_frequency = nullptr;
    QComboBox *m_resolution = nullptr;
    QComboBox *m_colours = nullptr;
    QSlider *m_brightness = nullptr;
    QLabel *m_brightnessValue = nullptr;
    QPushButton *m_close = nullptr;
};
