#pragma once

#include "platform/FormWindow.h"

// The keyboard options.
class KeyboardDialog : public FormWindow
{
public:
    explicit KeyboardDialog(QWidget *parent = nullptr)
        : FormWindow("TForm4", QString::fromUtf8("Configuración de Teclado"), parent)
    {
    }
};
