#include "platform/FontWarmUp.h"

#ifdef CARTLING_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

// What Qt's font database asks first: the configuration and its caches. Matching a face here would not help:
// fontconfig keeps no matches, so Qt's own matching would only be done twice.
void loadFontConfiguration()
{
    // Below the main thread and the X server: on a machine with few cores, a warm-up that takes the core the
    // display server needs to answer the application's first requests slows the start it should speed up.
#ifdef __linux__
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 19); // on Linux, a thread's own priority
#endif
    FcInit();
}

} // namespace

FontWarmUp::FontWarmUp()
{
    try {
        m_thread = std::thread(loadFontConfiguration);
    } catch (const std::system_error &) {
        // No thread to spare: Qt loads the configuration itself when it first needs it.
    }
}
#else
FontWarmUp::FontWarmUp() = default;
#endif

void FontWarmUp::finish()
{
    if (m_thread.joinable())
        m_thread.join();
}

FontWarmUp::~FontWarmUp()
{
    finish();
}
