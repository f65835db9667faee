#pragma once

#include "platform/FormWindow.h"

// Asks for the name of a new archive.
class TForm9 : public FormWindow
{
public:
    explicit TForm9(QWidget *parent = nullptr)
        : FormWindow("TForm9", QString::fromUtf8("Escriba nombre del archivo a comprimir"), parent)
    {
    }
};
