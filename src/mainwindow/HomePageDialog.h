#pragma once

#include "platform/FormWindow.h"

// The home-page window: the product's logo, credit and links to its own documentation.
class HomePageDialog : public FormWindow
{
    Q_OBJECT
public:
    explicit HomePageDialog(QWidget *parent = nullptr);
};
