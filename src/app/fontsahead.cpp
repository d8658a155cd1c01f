#include "fontsahead.h"

#ifdef VANTREL_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

std::future<void> readFontsAhead()
{
#ifdef VANTREL_HAS_FONTCONFIG
    // The configuration is the library's own, made once; the font database then finds it.
    return std::async(std::launch::async, [] { FcInit(); });
#else
    return {};
#endif
}
