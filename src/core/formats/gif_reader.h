#pragma once
// GIF pictures: files on disk and the program's own pictures held in memory.
// Every image of the file is painted, in file order, onto the logical
// screen, and the screen becomes a 1-, 4- or 8-bit picture coloured by the
// global colour table (local tables are not used). Failures show nothing:
// the picture is empty and the decoder's error number tells what went wrong.
#include <cstdint>
#include <span>
#include <string>

#include "core/formats/byte_source.h"
#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

// A decoded picture, or an empty one and giflib's error number (D_GIF_ERR_*
// values: 101 open failed, 102 read failed, 103 not a GIF file, 107 wrong
// record type, 108 data too big or an image beyond the screen, 109 not
// enough memory or an absurd screen; 0 for an unsupported colour-table
// size). The number is never shown to the user.
struct GifRead {
    ReadResult result;
    int error = 0;
};

// From any byte source positioned at the "GIF" signature, and from a file.
GifRead DecodeGIF(ByteSource& source, const ReadOptions& options = {});
GifRead DecodeGIFFile(const std::string& path, const ReadOptions& options = {});

// The result alone, as the readers' dispatch wants it.
ReadResult ReadGIFFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadGIFFile(const PictureFile& file, const ReadOptions& options = {});

// One of the program's own pictures, handed over as the bytes of a GIF file.
Picture ReadGIFResource(std::span<const uint8_t> bytes);

}  // namespace lumora
