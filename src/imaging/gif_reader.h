#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a GIF file into a packed DIB; empty when the file yields no picture.
HDIB ReadGIFFile(const std::string& path);

}  // namespace lumora
