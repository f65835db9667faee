#include "app/CartlingApplication.h"

#include "app/DrawnIconStyle.h"
#include "platform/ErrorHandler.h"

void nameApplication()
{
    // Only the name: with a display name set, Qt appends " — Cartling" to every title the window system shows,
    // and the captions must stand exactly as the program and its language texts give them.
    QCoreApplication::setApplicationName(QStringLiteral("Cartling"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.7"));
}

CartlingApplication::CartlingApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    nameApplication();
    setStyle(new DrawnIconStyle);
    // The menus stay in the window, as they were designed; and a menu bar that may go to the desktop asks the
    // desktop's session bus first, which costs start-up two milliseconds.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
}

bool CartlingApplication::notify(QObject *receiver, QEvent *event)
{
    // Handlers are wrapped where they are connected; this is the last stop for anything that was not.
    try {
        return QApplication::notify(receiver, event);
    } catch (const CartlingError &error) {
        reportError(error);
        return true;
    }
}
