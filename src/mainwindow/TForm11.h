#pragma once

#include "platform/FormWindow.h"

// The home-page window: the product's logo, credit and links to its own documentation.
class TForm11 : public FormWindow
{
    Q_OBJECT
public:
    explicit TForm11(QWidget *parent = nullptr);
};
