#pragma once

#include "platform/FormWindow.h"

// Joystick use and player assignment.
class ControlsDialog : public FormWindow
{
public:
    explicit ControlsDialog(QWidget *parent = nullptr)
        : FormWindow("TForm7", QString::fromUtf8("Configuración de Controles"), parent)
    {
    }
};
