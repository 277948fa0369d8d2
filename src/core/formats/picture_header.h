#pragma once
// The first bytes of a picture file, read as the reader chosen for it would
// begin: enough to tell a picture from any other file given its name, and
// to know how large a picture it announces, without decoding a pixel. The
// gather uses it to let only pictures leave, and to refuse a "photo" far
// larger than the picture it claims to be.
#include <cstdint>
#include <optional>

#include "core/formats/byte_source.h"

namespace lumora {

struct PictureHeader {
    uint64_t width = 0;
    uint64_t height = 0;
};

// The size announced by the picture at the start of `source`, read as a
// picture of `format` (an ImageFormat code); nothing when the bytes are not
// the beginning of such a picture. Reads at most a few megabytes whatever
// the file says, and leaves the source at an unspecified position.
std::optional<PictureHeader> ReadPictureHeader(int format, ByteSource& source);

// The most bytes a file of `format` announcing `header` plausibly holds:
// 16 bytes per pixel (64 for GIF and TIFF, which may carry several frames
// or pages), counted at most up to the megapixel limit, plus 32 MB for
// metadata, colour profiles and thumbnails.
uint64_t PlausiblePictureFileSize(int format, const PictureHeader& header);

}  // namespace lumora
