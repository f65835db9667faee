#pragma once

#include "platform/FormWindow.h"

// The folders given to the emulator and the screenshot options.
class DirectoriesDialog : public FormWindow
{
public:
    explicit DirectoriesDialog(QWidget *parent = nullptr)
        : FormWindow("TForm12", QString::fromUtf8("Otras Configuraciones 2"), parent)
    {
    }
};
