#include "core/picture/load_settings.h"

namespace lumora {

ImageLoadSettings& LoadSettings()
{
    static ImageLoadSettings settings;
    return settings;
}

}  // namespace lumora
