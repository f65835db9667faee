#include "emulator/ControlsDialog.h"

#include "emulator/EmulatorUseLine.h"
#include "platform/ErrorHandler.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

ControlsDialog::ControlsDialog(ControlsOptions &options, QWidget *parent)
    : FormWindow("TForm7", QStringLiteral("Configuración de Controles"), parent), m_options(options)
{
    build();
}

void ControlsDialog::build()
{
    setModal(true);
    m_useJoystick = named(new QCheckBox(QStringLiteral("Usar Joystick"), this), "CheckBox1");
    m_useJoystick->setToolTip(QStringLiteral("El activar el uso de Joystick puede\nbajar la velocidad de Emulacion."));
    m_useJoystick->setStatusTip(QStringLiteral("Puede bajar velocidad de Emulacion"));

    auto *players = named(new QGroupBox(QStringLiteral("Configurar Player 1 y 2"), this), "GroupBox2");
    m_keyboardFirst =
        named(new QRadioButton(QStringLiteral("Player 1Teclado / Player 2 Joystick"), players), "RadioButton2");
    m_joystickFirst =
        named(new QRadioButton(QStringLiteral("Player 1 Joystick / Player 2 Teclado"), players), "RadioButton1");
    auto *playersLayout = new QVBoxLayout(players);
    playersLayout->addWidget(m_keyboardFirst);
    playersLayout->addWidget(m_joystickFirst);

    auto *close = named(new QPushButton(QStringLiteral("Aceptar"), this), "Button1");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_useJoystick);
    layout->addWidget(players);
    layout->addWidget(new EmulatorUseLine(this));
    layout->addWidget(close, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    loadFromRules();
    connect(m_useJoystick, &QCheckBox::toggled, this, [this](bool on) {
        guarded([this, on] { m_options.setUseJoystick(on); })();
        loadFromRules();
    });
    for (QRadioButton *button : {m_keyboardFirst, m_joystickFirst}) {
        const int choice = button == m_keyboardFirst ? ControlsOptions::KeyboardFirst : ControlsOptions::JoystickFirst;
        connect(button, &QRadioButton::toggled, this, [this, choice](bool on) {
            if (!on)
                return;
            guarded([this, choice] { m_options.choosePlayers(choice); })();
            loadFromRules();
        });
    }
}

void ControlsDialog::loadFromRules()
{
    const QSignalBlocker blockBox(m_useJoystick);
    m_useJoystick->setChecked(m_options.useJoystick());
    QRadioButton *chosen = m_options.players() == ControlsOptions::JoystickFirst ? m_joystickFirst : m_keyboardFirst;
    const QSignalBlocker blockChoice(chosen);
    chosen->setChecked(true);
}
