#pragma once

#include "emulator/ControlsOptions.h"
#include "platform/FormWindow.h"

class QCheckBox;
class QRadioButton;

// The controls dialog: joystick use and which player takes the keyboard, shown from ControlsOptions.
// "Aceptar", Escape and the close box close it.
class ControlsDialog : public FormWindow
{
    Q_OBJECT
public:
    // Shows the program's options, which ran their creation steps at start-up.
    explicit ControlsDialog(ControlsOptions &options, QWidget *parent = nullptr);

    const ControlsOptions &options() const { return m_options; }

private:
    void build();
    void loadFromRules();

    ControlsOptions &m_options;
    QCheckBox *m_useJoystick = nullptr;
    QRadioButton *m_keyboardFirst = nullptr;
    QRadioButton *m_joystickFirst = nullptr;
};
