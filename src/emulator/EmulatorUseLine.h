#pragma once

#include <QLabel>

// A line under an option dialog's controls that says which of its emulator options the chosen emulator
// uses, as its kind tells. Hidden while the emulator is Zibo, which uses them all, so the dialog then looks as it
// always has. It renews itself each time its dialog is shown, from the emulator stored at that moment.
class EmulatorUseLine : public QLabel
{
    Q_OBJECT
public:
    explicit EmulatorUseLine(QWidget *dialog);

    // Shows the line for the stored emulator.
    void renew();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
