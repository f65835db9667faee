#pragma once

#include "platform/FormWindow.h"

// The joystick type.
class TForm6 : public FormWindow
{
public:
    explicit TForm6(QWidget *parent = nullptr) : FormWindow("TForm6", QString::fromUtf8("Configurar Joystick"), parent)
    {
    }
};
