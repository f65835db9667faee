#pragma once

#include "emulator/JoystickTypeOptions.h"
#include "platform/FormWindow.h"

class ConfigTemplate;
class QComboBox;

// The joystick dialog: the list of joystick types, shown from JoystickTypeOptions. "Aceptar", Escape and the
// close box close it.
class JoystickTypeDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit JoystickTypeDialog(ConfigTemplate &configTemplate, QWidget *parent = nullptr);

    const JoystickTypeOptions &options() const { return m_options; }

private:
    JoystickTypeOptions m_options;
    QComboBox *m_types = nullptr;
};
