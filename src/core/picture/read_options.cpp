#include "core/picture/read_options.h"

#include "core/platform/preferences.h"

namespace lumora {

ReadOptions ReadOptionsFromPreferences(const Preferences& preferences)
{
    return {.jpeg256 = preferences.jpeg256, .photoCDSize = preferences.photoCDSize, .progress = true};
}

}  // namespace lumora
