#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a JPEG file into a packed DIB; empty when the file yields no picture.
HDIB ReadJPEGFile(const std::string& path);

}  // namespace lumora
