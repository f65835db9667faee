#pragma once

#include "platform/FormWindow.h"

// Changes the title shown for a game.
class TitleDialog : public FormWindow
{
public:
    explicit TitleDialog(QWidget *parent = nullptr) : FormWindow("TForm10", QString::fromUtf8("Cambiar Título"), parent)
    {
    }
};
