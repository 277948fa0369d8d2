#include "core/platform/screen.h"

#include <cstdlib>
#include <cstring>

namespace lumora {

int ScreenDepth()
{
    const char* forced = std::getenv("LUMORA_SCREEN_DEPTH");
    if (forced) {
        if (std::strcmp(forced, "4") == 0)
            return 4;
        if (std::strcmp(forced, "8") == 0)
            return 8;
    }
    return 24;
}

bool Jpeg256ByDefault(int screenDepth)
{
    return screenDepth <= 8;
}

}  // namespace lumora
