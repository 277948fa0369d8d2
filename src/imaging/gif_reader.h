#pragma once
// GIF pictures: files on disk and the program's own pictures held in memory.
// Every image of the file is painted, in file order, onto the logical
// screen, and the screen becomes a 1-, 4- or 8-bit picture coloured by the
// global colour table (local tables are not used). Failures show nothing:
// the result is empty and LastGIFError() tells what went wrong.
#include <cstdint>
#include <span>
#include <string>

#include "imaging/byte_source.h"
#include "imaging/dib.h"

namespace lumora {

HDIB ReadGIFFile(const std::string& path);

// One of the program's own pictures, handed over as the bytes of a GIF file.
HDIB ReadGIFResource(std::span<const uint8_t> bytes);

// The same from any byte source positioned at the "GIF" signature.
HDIB ReadGIFFromSource(ByteSource& source);

// The error number of the last load the decoder failed (giflib's
// D_GIF_ERR_* values: 101 open failed, 102 read failed, 103 not a GIF file,
// 107 wrong record type, 108 data too big or an image beyond the screen,
// 109 not enough memory or an absurd screen); 0 until a load fails. An
// unsupported colour-table size leaves it alone. Never shown to the user.
int LastGIFError();

}  // namespace lumora
