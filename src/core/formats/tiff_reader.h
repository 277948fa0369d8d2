#pragma once
// TIFF files (extension TIF), decoded by libtiff. Only the first image of
// a file is read.
#include <cstdint>
#include <span>
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

// Reads a TIFF file into a packed DIB; empty when the file yields no picture.
// One sample per pixel of 1 bit gives a 1-bit picture, of 2, 4 or 8 bits an
// 8-bit picture with a grey or palette colour table; three or four 8-bit
// samples (RGB) give a 24-bit picture. Tiled files and files with separate
// colour planes are read through libtiff's RGBA interface into a 24-bit
// picture. Samples of more than 8 bits, RGB samples of less than 8, grey
// and palette samples of 3, 5, 6 or 7 bits, other sample counts and
// interpretations other than white-is-zero, black-is-zero, RGB and palette
// yield no picture (Unsupported). libtiff's first error goes with the result
// as the words of its message. The progress gauge runs when options.progress asks.
ReadResult ReadTIFFFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadTIFFFile(const PictureFile& file, const ReadOptions& options = {});

// The same from bytes in memory.
ReadResult ReadTIFFFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

}  // namespace lumora
