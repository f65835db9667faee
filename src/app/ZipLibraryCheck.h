#pragma once

#include <QObject>

class QWidget;

// Makes sure the ZIP library can be used once the main window has painted its first frame, and ends the program
// with the library's message when it cannot: loading the library before the window showed cost every start a
// tenth of its time, and a start without it is a broken installation, not a case to wait for.
class ZipLibraryCheck : public QObject
{
    Q_OBJECT
public:
    // Call after the window is shown.
    explicit ZipLibraryCheck(QWidget &window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void check();
};
