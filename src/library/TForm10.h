#pragma once

#include "platform/FormWindow.h"

// Changes the title shown for a game.
class TForm10 : public FormWindow
{
public:
    explicit TForm10(QWidget *parent = nullptr) : FormWindow("TForm10", QString::fromUtf8("Cambiar Título"), parent) {}
};
