#pragma once

#include <QDialog>

// A window of the program: created once at start-up, hidden until shown, named after its class so the
// language applier and tests find it, with a fixed dialog frame.
class FormWindow : public QDialog
{
    Q_OBJECT
public:
    FormWindow(const char *className, const QString &caption, QWidget *parent = nullptr);
};
