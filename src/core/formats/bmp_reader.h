#pragma once
// Windows bitmap files (extensions BMP, DIB and RLE).
#include <cstdint>
#include <span>
#include <string>

#include "core/formats/byte_source.h"
#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

// Reads a bitmap file; a file that cannot be opened gives NotFound with the
// picture library's "File Not Found!" to show, every other failure no text. The result always has a 40-byte
// header, compression 0, a positive height and 1, 4, 8 or 24 bits: RLE8 is
// expanded, 16- and 32-bit files become 24-bit pictures and top-down files
// are turned bottom-up.
ReadResult ReadDIBFromFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadDIBFromFile(const PictureFile& file, const ReadOptions& options = {});

// The same from any byte source positioned at the file header.
ReadResult ReadDIBFromSource(ByteSource& source, const ReadOptions& options = {});

}  // namespace lumora
