#pragma once

#include "platform/FormWindow.h"

// The folders given to the emulator and the screenshot options.
class TForm12 : public FormWindow
{
public:
    explicit TForm12(QWidget *parent = nullptr)
        : FormWindow("TForm12", QString::fromUtf8("Otras Configuraciones 2"), parent)
    {
    }
};
