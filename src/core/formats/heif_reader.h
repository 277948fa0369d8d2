#pragma once
// HEIF files (extensions HEIC, HEIF and AVIF: the photos of today's phones),
// decoded by libheif into a 24-bit picture. The primary image is shown,
// turned and mirrored as the file asks; transparency is laid over white;
// samples deeper than eight bits are reduced to eight.
#include <cstdint>
#include <span>
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

// No picture when the file cannot be opened, is no HEIF file, is damaged,
// too large, or uses a compression no installed decoder handles (Unsupported).
ReadResult ReadHEIFFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadHEIFFile(const PictureFile& file, const ReadOptions& options = {});
ReadResult ReadHEIFFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

}  // namespace lumora
