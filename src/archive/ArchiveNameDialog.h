#pragma once

#include "platform/FormWindow.h"

// Asks for the name of a new archive.
class ArchiveNameDialog : public FormWindow
{
public:
    explicit ArchiveNameDialog(QWidget *parent = nullptr)
        : FormWindow("TForm9", QString::fromUtf8("Escriba nombre del archivo a comprimir"), parent)
    {
    }
};
