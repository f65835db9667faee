#include "emulator/AudioVideoDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "platform/AccessibleNames.h"
#include "platform/ErrorHandler.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

QComboBox *list(QWidget *parent, const char *name, const QStringList &items)
{
    auto *combo = named(new QComboBox(parent), name);
    combo->addItems(items);
    return combo;
}

QSlider *bar(QWidget *parent, const char *name, int minimum, int maximum, int pageStep, int tickInterval)
{
    auto *slider = named(new QSlider(Qt::Horizontal, parent), name);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(1);
    slider->setPageStep(pageStep);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(tickInterval);
    slider->setMinimumWidth(150);
    return slider;
}

QLabel *label(QWidget *parent, const char *name, const QString &text, QWidget *buddy = nullptr)
{
    auto *l = named(new QLabel(text, parent), name);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

} // namespace

AudioVideoDialog::AudioVideoDialog(AudioVideoOptions &options, QWidget *parent)
    : FormWindow("TForm3", QStringLiteral("Configuracion     Audio / Video"), parent), m_options(options)
{
    build();
}

void AudioVideoDialog::build()
{
    setModal(true);
    createLayout();
    loadFromOptions();
    connectLayout();
}

void AudioVideoDialog::createLayout()
{
    auto *audio = named(new QGroupBox(QStringLiteral("Audio"), this), "GroupBox1");
    m_soundType = list(audio, "AHMAutoCombo4", AudioVideoOptions::soundTypes());
    m_soundType->setEditable(true);
    m_soundType->setInsertPolicy(QComboBox::NoInsert);
    m_soundType->setMinimumContentsLength(9); // room for the text cursor after "-Sound 1"
    auto *completer = new QCompleter(AudioVideoOptions::soundTypes(), m_soundType);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::InlineCompletion);
    m_soundType->setCompleter(completer);
    m_stereo = list(audio, "AHMAutoCombo1", AudioVideoOptions::stereoModes());
    m_stereo->setToolTip(QStringLiteral("Mono / Stereo"));
    m_volume = bar(audio, "TrackBar1", AudioVideoOptions::MinVolume, AudioVideoOptions::MaxVolume, 2, 1);
    m_recording = named(new QCheckBox(QStringLiteral("Grabar sonido"), audio), "AHMCheckbox1");
    m_recordingName = named(new QLineEdit(audio), "edit1");
    m_recordingName->setMaxLength(AudioVideoOptions::RecordingNameLength);
    m_recordingName->setMaximumWidth(m_recordingName->fontMetrics().horizontalAdvance(u'W') * 9);
    AccessibleNames::nameAfter(m_recordingName, m_recording);
    // Takes the language's "enable sound" text; the sound type list does that job, so it is never shown.
    auto *soundSwitch = named(new QCheckBox(QStringLiteral("Activar Sonido"), audio), "Check1");
    soundSwitch->hide();

    auto *audioLayout = new QGridLayout(audio);
    audioLayout->addWidget(label(audio, "Label8", QStringLiteral("Sonido : "), m_soundType), 0, 0);
    audioLayout->addWidget(m_soundType, 0, 1);
    audioLayout->addWidget(m_stereo, 0, 2, 1, 2);
    audioLayout->addWidget(label(audio, "Label1", QStringLiteral("Volumen"), m_volume), 1, 0);
    audioLayout->addWidget(m_volume, 1, 1, 1, 3);
    audioLayout->addWidget(m_recording, 2, 0, 1, 2);
    audioLayout->addWidget(m_recordingName, 2, 2);
    audioLayout->addWidget(label(audio, "Label2", QStringLiteral(".snd")), 2, 3);
    audioLayout->setColumnStretch(3, 1);

    auto *video = named(new QGroupBox(QStringLiteral("Video"), this), "GroupBox2");
    m_frequency = list(video, "autoc1", AudioVideoOptions::updateFrequencies());
    m_resolution = list(video, "AHMAutoCombo2", AudioVideoOptions::resolutions());
    auto *normal = named(new QGroupBox(QStringLiteral("Opciones para Gameboy Normal"), video), "GroupBox3");
    m_colours = list(normal, "AHMAutoCombo3", AudioVideoOptions::colourSchemes());
    m_brightness = bar(normal, "TrackBar2", AudioVideoOptions::MinBrightness, AudioVideoOptions::MaxBrightness, 10, 10);
    m_brightnessValue = label(normal, "Label7", QString());
    // Room for "-100", so the bar does not move while the value changes.
    m_brightnessValue->setMinimumWidth(m_brightnessValue->fontMetrics().horizontalAdvance(QStringLiteral("-1000")));

    auto *normalLayout = new QGridLayout(normal);
    normalLayout->addWidget(label(normal, "Label6", QStringLiteral("Color ="), m_colours), 0, 0);
    normalLayout->addWidget(m_colours, 0, 1, Qt::AlignLeft);
    normalLayout->addWidget(label(normal, "Label5", QStringLiteral("Brillo ="), m_brightness), 1, 0);
    normalLayout->addWidget(m_brightness, 1, 1);
    normalLayout->addWidget(m_brightnessValue, 1, 2);
    normalLayout->setColumnStretch(1, 1);

    auto *videoLayout = new QGridLayout(video);
    videoLayout->addWidget(label(video, "Label3", QStringLiteral("Screen update frequency = "), m_frequency), 0, 0);
    videoLayout->addWidget(m_frequency, 0, 1, Qt::AlignLeft);
    videoLayout->addWidget(label(video, "Label4", QStringLiteral("Resolucion = "), m_resolution), 1, 0);
    videoLayout->addWidget(m_resolution, 1, 1, Qt::AlignLeft);
    videoLayout->addWidget(normal, 2, 0, 1, 2);
    videoLayout->setColumnStretch(1, 1);

    m_close = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    m_close->setDefault(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(audio);
    layout->addWidget(video);
    layout->addWidget(new EmulatorUseLine(this));
    layout->addWidget(m_close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void AudioVideoDialog::connectLayout()
{
    connect(m_soundType, &QComboBox::activated, this, guarded([this](int index) {
                m_options.chooseSoundType(index);
                showSoundControls();
            }));
    // Typed text chooses an entry it names; any other text keeps the last entry chosen.
    connect(m_soundType->lineEdit(), &QLineEdit::textEdited, this, guarded([this](const QString &text) {
                if (m_options.typeSoundType(text))
                    showSoundControls();
            }));
    // Leaving the box takes a completed entry, and shows the chosen one again in place of other text.
    connect(m_soundType->lineEdit(), &QLineEdit::editingFinished, this, guarded([this] {
                m_options.typeSoundType(m_soundType->currentText());
                showSoundType();
                showSoundControls();
            }));
    connect(m_stereo, &QComboBox::activated, this, guarded([this](int index) { m_options.chooseStereoMode(index); }));
    connect(m_volume, &QSlider::valueChanged, this, guarded([this](int position) { m_options.setVolume(position); }));
    connect(m_recording, &QCheckBox::toggled, this, guarded([this](bool on) {
                m_recordingName->setEnabled(on);
                m_options.setRecording(on);
            }));
    // Typing and the language texts alike rewrite the recording line.
    connect(m_recordingName, &QLineEdit::textChanged, this,
            guarded([this](const QString &name) { m_options.setRecordingName(name); }));
    connect(m_frequency, &QComboBox::activated, this,
            guarded([this](int index) { m_options.chooseUpdateFrequency(index); }));
    connect(m_resolution, &QComboBox::activated, this,
            guarded([this](int index) { m_options.chooseResolution(index); }));
    connect(m_colours, &QComboBox::activated, this,
            guarded([this](int index) { m_options.chooseColourScheme(index); }));
    connect(m_brightness, &QSlider::valueChanged, this, guarded([this](int position) {
                m_options.setBrightness(position);
                m_brightnessValue->setText(QString::number(position));
            }));
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
}

void AudioVideoDialog::loadFromOptions()
{
    const QSignalBlocker b1(m_stereo), b2(m_volume), b3(m_recording), b4(m_recordingName), b5(m_frequency),
        b6(m_resolution), b7(m_colours), b8(m_brightness);
    m_volume->setValue(m_options.volume());
    m_stereo->setCurrentIndex(m_options.stereoMode());
    m_brightness->setValue(m_options.brightness());
    m_resolution->setCurrentIndex(m_options.resolution());
    m_frequency->setCurrentIndex(m_options.updateFrequency());
    m_colours->setCurrentIndex(m_options.colourScheme());
    m_recording->setChecked(m_options.recording());
    m_recordingName->setText(m_options.recordingName());
    m_recordingName->setEnabled(m_options.recording());
    m_brightnessValue->setText(QString::number(m_options.brightness()));
    showSoundType();
    showSoundControls();
}

void AudioVideoDialog::showSoundType()
{
    const QSignalBlocker blocker(m_soundType);
    const QSignalBlocker editBlocker(m_soundType->lineEdit());
    m_soundType->setCurrentIndex(m_options.soundType());
    m_soundType->setEditText(AudioVideoOptions::soundTypes()[m_options.soundType()]);
}

void AudioVideoDialog::showSoundControls()
{
    m_volume->setEnabled(m_options.soundEnabled());
    m_stereo->setEnabled(m_options.soundEnabled());
}

void AudioVideoDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        loadFromOptions();
    FormWindow::showEvent(event);
}
