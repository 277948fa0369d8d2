#pragma once
// WebP files (extension WEBP), lossy or lossless, decoded by libwebp into a
// 24-bit picture; transparent pixels are laid over white and an animation
// shows its first frame.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

// NotThisType without the RIFF/WEBP signature; NotFound, Damaged,
// Unsupported, TooLarge, OutOfMemory or Stopped otherwise.
ReadResult ReadWebPFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadWebPFile(const PictureFile& file, const ReadOptions& options = {});
ReadResult ReadWebPFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

}  // namespace lumora
