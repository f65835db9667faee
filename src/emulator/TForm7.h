#pragma once

#include "platform/FormWindow.h"

// Joystick use and player assignment.
class TForm7 : public FormWindow
{
public:
    explicit TForm7(QWidget *parent = nullptr)
        : FormWindow("TForm7", QString::fromUtf8("Configuración de Controles"), parent)
    {
    }
};
