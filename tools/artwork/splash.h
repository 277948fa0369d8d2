#pragma once
// The 550 x 191 start-up picture, shown with its own colour table.
#include <string>

#include "artwork/raster.h"

namespace lumora::art {

constexpr int kSplashWidth = 550, kSplashHeight = 191;

Image RenderSplash();
bool WriteSplash(const std::string& path);

}  // namespace lumora::art
