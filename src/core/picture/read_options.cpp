#include "core/picture/read_options.h"

#include "core/platform/preferences.h"

namespace lumora {

ReadOptions ReadOptionsFromPreferences(const Preferences& preferences)
{
    ReadOptions options;
    options.jpeg256 = preferences.jpeg256;
    options.photoCDSize = preferences.photoCDSize;
    options.progress = true;
    return options;
}

}  // namespace lumora
