#pragma once

#include "platform/FormWindow.h"

// The other options: emulator switches, compression, Game Boy mode, background.
class OtherOptionsDialog : public FormWindow
{
public:
    explicit OtherOptionsDialog(QWidget *parent = nullptr)
        : FormWindow("TForm5", QString::fromUtf8("Otras configuraciones"), parent)
    {
    }
};
