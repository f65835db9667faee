#pragma once

#include "platform/FormWindow.h"

// The other options: emulator switches, compression, Game Boy mode, background.
class TForm5 : public FormWindow
{
public:
    explicit TForm5(QWidget *parent = nullptr)
        : FormWindow("TForm5", QString::fromUtf8("Otras configuraciones"), parent)
    {
    }
};
