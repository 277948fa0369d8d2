#pragma once
// WebP files (extension WEBP), lossy or lossless, decoded by libwebp into a
// 24-bit picture; transparent pixels are laid over white and an animation
// shows its first frame.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

// NotThisType without the RIFF/WEBP signature; NotFound, Damaged,
// Unsupported, TooLarge, OutOfMemory or Stopped otherwise.
ReadResult ReadWebPFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadWebPFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

// The whole of a (compressed) picture file, for the decoders that need it in
// memory; TooLarge beyond `limit` bytes.
ReadError ReadWholePictureFile(const std::string& path, std::vector<uint8_t>& bytes,
                          uint64_t limit = uint64_t{1} << 31);

}  // namespace lumora
