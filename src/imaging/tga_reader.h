#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a TGA file into a packed DIB; empty when the file yields no picture.
HDIB ReadTGAFile(const std::string& path);

}  // namespace lumora
