#pragma once

#include "platform/FormWindow.h"

// The joystick type.
class JoystickTypeDialog : public FormWindow
{
public:
    explicit JoystickTypeDialog(QWidget *parent = nullptr)
        : FormWindow("TForm6", QString::fromUtf8("Configurar Joystick"), parent)
    {
    }
};
