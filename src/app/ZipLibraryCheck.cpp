#include "app/ZipLibraryCheck.h"

#include "archive/ZipLibrary.h"
#include "platform/ErrorHandler.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

ZipLibraryCheck::ZipLibraryCheck(QWidget &window) : QObject(&window)
{
    window.windowHandle()->installEventFilter(this); // the window is shown, so it has one
}

bool ZipLibraryCheck::eventFilter(QObject *watched, QEvent *event)
{
    // Qt paints the window while it handles its first expose; the check comes right after.
    if (event->type() == QEvent::Expose) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { check(); });
    }
    return false;
}

void ZipLibraryCheck::check()
{
    if (const auto failure = checkZipLibrary())
        endRun(*failure);
}
