#pragma once

#include "emulator/JoystickTypeOptions.h"
#include "platform/FormWindow.h"

class QComboBox;

// The joystick dialog: the list of joystick types, shown from JoystickTypeOptions. "Aceptar", Escape and the
// close box close it.
class JoystickTypeDialog : public FormWindow
{
    Q_OBJECT
public:
    // Shows the program's options, which ran their creation steps at start-up.
    explicit JoystickTypeDialog(JoystickTypeOptions &options, QWidget *parent = nullptr);

    const JoystickTypeOptions &options() const { return m_options; }

private:
    void build();
    JoystickTypeOptions &m_options;
    QComboBox *m_types = nullptr;
};
