#pragma once

#include "platform/FormWindow.h"

// The keyboard options.
class TForm4 : public FormWindow
{
public:
    explicit TForm4(QWidget *parent = nullptr)
        : FormWindow("TForm4", QString::fromUtf8("Configuración de Teclado"), parent)
    {
    }
};
