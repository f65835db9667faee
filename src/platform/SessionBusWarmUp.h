#pragma once

#include <QString>

#include <thread>

// Connects to the desktop's session bus on a second thread while the main window is built. Qt's accessibility
// bridge connects to that bus when the first control gets its text, and the connection (a round trip to the bus,
// or where there is none, the attempt to start one) would otherwise hold up the main thread for about two
// milliseconds of a start-up. Only where Qt has that bridge: on X11 and Wayland. Make it after the application
// object and let it end before that object does.
class SessionBusWarmUp
{
public:
    SessionBusWarmUp(); // for the platform the application runs on
    explicit SessionBusWarmUp(const QString &platform);
    ~SessionBusWarmUp();

    bool started() const { return m_thread.joinable(); }

    SessionBusWarmUp(const SessionBusWarmUp &) = delete;
    SessionBusWarmUp &operator=(const SessionBusWarmUp &) = delete;

private:
    std::thread m_thread;
};
