#include "platform/FontWarmUp.h"

#ifdef CARTLING_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>

namespace {

// What Qt's font database asks first: the configuration, and the match and fallback list of the default
// face (fontconfig keeps what these load: the configuration, its caches and the matched fonts' data).
void loadFontConfiguration()
{
    if (!FcInit())
        return;
    FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>("Sans Serif"));
    if (!pattern)
        return;
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern *match = FcFontMatch(nullptr, pattern, &result))
        FcPatternDestroy(match);
    if (FcFontSet *fallbacks = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result))
        FcFontSetDestroy(fallbacks);
    FcPatternDestroy(pattern);
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
