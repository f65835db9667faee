#include "platform/SessionBusWarmUp.h"

#include <QGuiApplication>

#ifdef CARTLING_HAVE_DBUS
#include <QDBusConnection>

#include <system_error>
#endif

SessionBusWarmUp::SessionBusWarmUp() : SessionBusWarmUp(QGuiApplication::platformName())
{
}

SessionBusWarmUp::SessionBusWarmUp([[maybe_unused]] const QString &platform)
{
#ifdef CARTLING_HAVE_DBUS
    if (platform != QLatin1String("xcb") && !platform.startsWith(QLatin1String("wayland")))
        return;
    try {
        // Qt keeps the one connection it makes; the bridge's own request then finds it made, or waits for it.
        m_thread = std::thread([] { QDBusConnection::sessionBus(); });
    } catch (const std::system_error &) {
        // No thread to spare: the bridge connects when it first needs to, as it would without this.
    }
#endif
}

SessionBusWarmUp::~SessionBusWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
}
