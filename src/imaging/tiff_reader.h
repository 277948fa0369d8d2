#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a TIFF file into a packed DIB; empty when the file yields no picture.
HDIB ReadTIFFFile(const std::string& path);

}  // namespace lumora
