#pragma once

#include "platform/FormWindow.h"

// The audio and video options.
class TForm3 : public FormWindow
{
public:
    explicit TForm3(QWidget *parent = nullptr)
        : FormWindow("TForm3", QString::fromUtf8("Configuracion     Audio / Video"), parent)
    {
    }
};
