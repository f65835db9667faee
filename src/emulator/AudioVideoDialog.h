#pragma once

#include "platform/FormWindow.h"

// The audio and video options.
class AudioVideoDialog : public FormWindow
{
public:
    explicit AudioVideoDialog(QWidget *parent = nullptr)
        : FormWindow("TForm3", QString::fromUtf8("Configuracion     Audio / Video"), parent)
    {
    }
};
