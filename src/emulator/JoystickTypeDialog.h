#pragma once

#include "emulator/JoystickTypeOptions.h"
#include "platform/FormWindow.h"

#include <memory>

class ConfigTemplate;
class QComboBox;

// The joystick dialog: the list of joystick types, shown from JoystickTypeOptions. "Aceptar", Escape and the
// close box close it.
class JoystickTypeDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit JoystickTypeDialog(ConfigTemplate &configTemplate, QWidget *parent = nullptr);
    // Shows the program's options, which ran their creation steps at start-up.
    explicit JoystickTypeDialog(JoystickTypeOptions &options, QWidget *parent = nullptr);

    const JoystickTypeOptions &options() const { return m_options; }

private:
    void build();
    std::unique_ptr<JoystickTypeOptions> m_owned; // the options of a dialog made on its own
    JoystickTypeOptions &m_options;
    QComboBox *m_types = nullptr;
};
