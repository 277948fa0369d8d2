#include "core/imaging/load_settings.h"

namespace lumora {

ImageLoadSettings& LoadSettings()
{
    static ImageLoadSettings settings;
    return settings;
}

}  // namespace lumora
