#include "app/CartlingApplication.h"

#include "platform/ErrorHandler.h"

CartlingApplication::CartlingApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Cartling"));
    setApplicationDisplayName(QStringLiteral("Cartling"));
    setApplicationVersion(QStringLiteral("1.7"));
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
