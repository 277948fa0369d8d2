#pragma once
// HEIF files (extensions HEIC, HEIF and AVIF: the photos of today's phones),
// decoded by libheif into a 24-bit picture. The primary image is shown,
// turned and mirrored as the file asks; transparency is laid over white;
// samples deeper than eight bits are reduced to eight.
#include <cstdint>
#include <span>
#include <string>

#include "core/picture/picture.h"

namespace lumora {

// Empty when the file cannot be opened, is damaged, too large, or uses a
// compression no installed decoder handles.
Picture ReadHEIFFile(const std::string& path);
Picture ReadHEIFFromMemory(std::span<const uint8_t> bytes);

}  // namespace lumora
