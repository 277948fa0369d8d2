#pragma once
// WebP files (extension WEBP), lossy or lossless, decoded by libwebp into a
// 24-bit picture; transparent pixels are laid over white and an animation
// shows its first frame.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/picture/picture.h"

namespace lumora {

// Empty when the file cannot be opened, is damaged or too large.
Picture ReadWebPFile(const std::string& path);
Picture ReadWebPFromMemory(std::span<const uint8_t> bytes);

// The whole of a (compressed) picture file, for the decoders that need it in
// memory; nothing when it cannot be read or is larger than `limit` bytes.
bool ReadWholePictureFile(const std::string& path, std::vector<uint8_t>& bytes,
                          uint64_t limit = uint64_t{1} << 31);

}  // namespace lumora
