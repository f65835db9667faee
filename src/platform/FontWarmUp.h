#pragma once

#include <system_error>
#include <thread>

// Loads the system's font configuration on a second thread while the application object starts, so that the
// first text the window measures does not wait for it: on Linux, reading fontconfig's configuration and caches
// takes several milliseconds, about a fifth of a start-up. Does nothing where Qt does not use fontconfig.
class FontWarmUp
{
public:
    FontWarmUp();
    // Waits for the thread: call before the first window is made, so Qt finds the configuration loaded
    // instead of loading a second copy of it.
    void finish();
    ~FontWarmUp();

    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread m_thread;
};
