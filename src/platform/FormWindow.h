#pragma once

#include <QDialog>
#include <initializer_list>

class QHBoxLayout;

// Gives a control its component name, by which the language applier, tests and accessibility tools find it.
template <typename T> T *named(T *object, const char *name)
{
    object->setObjectName(QString::fromLatin1(name));
    return object;
}

// A dialog's row of buttons, kept to the right as the window widens.
QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons);

// A window of the program: created once at start-up, hidden until shown, named after its class so the
// language applier and tests find it, with a fixed dialog frame.
class FormWindow : public QDialog
{
    Q_OBJECT
public:
    FormWindow(const char *className, const QString &caption, QWidget *parent = nullptr);
};
