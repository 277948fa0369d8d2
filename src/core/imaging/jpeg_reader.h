#pragma once
// JPEG files (extension JPG), decoded by libjpeg.
#include <cstdint>
#include <span>
#include <string>

#include "core/imaging/dib.h"

namespace lumora {

// Reads a JPEG file into a packed DIB; empty when the file cannot be opened
// or libjpeg reports an error (damaged file, unsupported process). Warnings
// do not fail the read.
//
// With LoadSettings().jpeg256 on, colour and greyscale files give 8-bit
// pictures of at most 236 colours chosen by libjpeg (Floyd-Steinberg
// dithering); off, 24-bit pictures. CMYK and YCCK files are converted to
// 24-bit RGB in both modes. The progress gauge runs while
// LoadSettings().loadProgressOn is set.
HDIB ReadJPEGFile(const std::string& path);

// The same from bytes in memory.
HDIB ReadJPEGFromMemory(std::span<const uint8_t> bytes);

}  // namespace lumora
