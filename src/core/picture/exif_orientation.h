#pragma once
// The orientation a camera records with a photo (1 to 8, as in the EXIF and
// TIFF Orientation tag): how the stored rows must be turned or mirrored to
// stand upright. A small reader of that one tag, checking every offset
// against the bytes it has.
#include <cstdint>
#include <span>
#include <vector>

#include "core/picture/picture.h"

namespace lumora {

constexpr int kOrientationNormal = 1;

// From a JPEG APP1 segment's payload ("Exif\0\0" then a TIFF structure);
// 1 when there is no valid tag.
int ExifOrientation(std::span<const uint8_t> app1);

// From a TIFF structure (byte-order mark, first directory); 1 when absent.
int TiffStructureOrientation(std::span<const uint8_t> tiff);

// The picture turned upright for orientation 2 to 8 (a new block, the size
// of the picture); the picture unchanged for 1 or an invalid value. Empty
// only when memory fails.
Picture ApplyOrientation(Picture dib, int orientation);

// Puts the rows of a picture being decoded, top row first, straight into
// their upright places, so that a reader needs a few rows of buffer rather
// than a second picture. `upright` is a DIB of 8 or 24 bits whose sides are
// those of the source turned for `orientation` (see UprightSize). For a
// quarter turn rows are gathered in blocks and written as runs across the
// upright rows: a row at a time would touch one cache line per pixel.
class UprightRowPlacer {
public:
    UprightRowPlacer(Picture& upright, uint32_t sourceWidth, uint32_t sourceHeight, int orientation);
    // Whether rows need the placer: false for orientation 1 or an invalid one.
    bool Turns() const { return orientation_ >= 2 && orientation_ <= 8; }
    // Source row `sy` (counted from the top, every row in turn), in the
    // DIB's pixel format.
    void Place(uint32_t sy, const uint8_t* row);

private:
    void PlaceRow(uint32_t sy, const uint8_t* row);
    void PlaceBlock();

    uint8_t* pixels_;
    uint32_t width_, height_, outWidth_, outHeight_;
    unsigned bytesPerPixel_;
    uint64_t outStride_;
    int orientation_;
    std::vector<uint8_t> block_;  // rows waiting for a quarter turn
    uint32_t blockTop_ = 0, blockRows_ = 0;
};

// The sides of a width x height picture once turned upright.
struct UprightSides {
    uint32_t width, height;
};
UprightSides UprightSize(uint32_t width, uint32_t height, int orientation);

}  // namespace lumora
