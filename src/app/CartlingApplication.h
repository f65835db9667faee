#pragma once

#include <QApplication>

// Gives the running application its name and version, and no display name.
void nameApplication();

// The application: its title is "Cartling", and errors of the program's run-time that escape a handler
// are shown in a message box instead of ending the program.
class CartlingApplication : public QApplication
{
    Q_OBJECT
public:
    CartlingApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
