#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a Kodak Photo CD image pack at the size chosen by the settings.
HDIB ReadPhotoCDFile(const std::string& path);

}  // namespace lumora
