#pragma once
#include <string>

#include "imaging/dib.h"

namespace lumora {

// Reads a PCX file into a packed DIB; empty when the file yields no picture.
HDIB ReadPCXFile(const std::string& path);

}  // namespace lumora
