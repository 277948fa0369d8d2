#include "core/platform/preferences.h"

#include <algorithm>
#include <cstdlib>

namespace lumora {

Rgb ColorOr(const std::string& text, Rgb fallback)
{
    if (text.empty())
        return fallback;
    return static_cast<Rgb>(std::strtoul(text.c_str(), nullptr, 10));
}

void Preferences::ClampPropertiesPosition(int screenWidth, int screenHeight)
{
    if (propertiesX == -1)
        propertiesX = screenWidth - 150;
    if (propertiesY == -1)
        propertiesY = screenHeight / 3;
    propertiesX = std::max(propertiesX, 0);
    propertiesY = std::max(propertiesY, 0);
    propertiesX = std::min(propertiesX, screenWidth - 20);
    propertiesY = std::min(propertiesY, screenHeight - 20);
}

Rgb Preferences::DeskColor() const
{
    return ColorOr(standardDeskColor, kDefaultDeskColor);
}

Rgb Preferences::ViewerColor() const
{
    return ColorOr(viewerColor, kDefaultViewerColor);
}

}  // namespace lumora
