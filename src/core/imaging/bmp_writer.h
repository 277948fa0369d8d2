#pragma once
// Writing a packed DIB as a Windows bitmap file: the 14-byte file header
// followed by the block as it is.
#include <string>
#include <vector>

#include "core/imaging/dib.h"

namespace lumora {

std::vector<uint8_t> EncodeBMPFile(const HDIB& dib);
bool WriteBMPFile(const std::string& path, const HDIB& dib);

}  // namespace lumora
