#pragma once
// A baseline JPEG's eighth made from the blocks' DC coefficients alone.
//
// An eighth of a JPEG is one sample per 8 x 8 block, the block's mean,
// which is its DC coefficient; libjpeg decodes every AC coefficient on the
// way to it all the same, and that is nearly all of the time a reduced
// decode takes. This decoder reads the DC differences and only steps over
// the AC codes (one table look-up gives a code's length and its magnitude
// bits together), then upsamples the chroma by repeating it and converts
// YCbCr to RGB with libjpeg's own arithmetic.
//
// It reads only what it is sure of: baseline or extended sequential
// Huffman files (SOF0, SOF1) of 8-bit samples, grey or YCbCr, all the
// components in one scan, with or without restart intervals, ending at
// EOI right after the scan. Anything else - progressive or arithmetic
// files, 12-bit samples, CMYK, RGB, several scans, missing tables, a
// marker it does not expect, a code no table has, data cut short or a
// restart marker out of turn - is "not handled", and the caller decodes
// the file with libjpeg, which decides what it is worth.
//
// The picture is libjpeg's at scale 1/8 sample for sample where libjpeg
// itself takes the blocks' DC alone: grey files, 4:4:4 and chroma halved
// in one direction only (4:2:2, 4:1:1, 4:4:0). Where the chroma is halved
// both ways (4:2:0, 4:1:0) libjpeg rebuilds it from a 2 x 2 transform of
// each chroma block; here it is the chroma block's mean repeated: the
// lightness is libjpeg's within a level, the colours have half its detail
// (as much as the file's own chroma has at full size) and, in saturated
// colours, where libjpeg clips each pixel, the means differ more.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/picture/read_options.h"

namespace lumora {

struct JpegEighth {
    // Each side of the file divided by 8, rounded up, as libjpeg gives it;
    // rows as stored in the file (not turned by any orientation).
    uint32_t width = 0, height = 0;
    bool grey = false;
    // libjpeg too takes each component's DC alone at this scale (no chroma
    // halved both ways): the picture is libjpeg's sample for sample.
    bool likeLibjpeg = false;
    std::vector<uint8_t> bgr;  // top row first, blue, green, red, no padding
};

// Empty when the file is not one this decoder reads (see above), when its
// eighth is beyond `options.maxPixels`, or when `options.stop` is raised.
std::optional<JpegEighth> DecodeJpegEighthFromDc(std::span<const uint8_t> bytes,
                                                 const ReadOptions& options = {});

}  // namespace lumora
