// JPEG bytes from anywhere through the DC decoder of eighths: it must never
// read outside the bytes, and whatever it accepts libjpeg must read too, at
// the same size, with the same samples where libjpeg also takes the blocks'
// DC alone (and, through the reader, a well-formed upright picture).
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/formats/jpeg_dc_image.h"
#include "core/formats/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    ReadOptions options;
    options.maxPixels = 1u << 22;  // pictures of a few megapixels: fuzzing stays quick
    const std::optional<JpegEighth> eighth = DecodeJpegEighthFromDc({data, size}, options);
    if (!eighth)
        return 0;
    if (eighth->bgr.size() != size_t{eighth->width} * eighth->height * 3)
        __builtin_trap();
    // libjpeg's own eighth, stored rows: a picture the reader does not turn.
    const auto asEighth = [](EighthDecoding how) {
        return [how](uint32_t, uint32_t) { return NeededSize{1, 1, false, how}; };
    };
    const JpegBoxRead libjpeg = ReadJPEGForBox({data, size}, asEighth(EighthDecoding::Libjpeg), options);
    const JpegBoxRead fromDc = ReadJPEGForBox({data, size}, asEighth(EighthDecoding::DcWhenPossible), options);
    if (!libjpeg.picture || !fromDc.picture)
        __builtin_trap();  // accepted here, refused by libjpeg
    fuzz::ExercisePicture(fromDc.picture);
    const Picture& a = libjpeg.picture;
    const Picture& b = fromDc.picture;
    if (a.Width() != b.Width() || a.Height() != b.Height())
        __builtin_trap();
    if (eighth->likeLibjpeg)
        for (uint32_t y = 0; y < a.Height(); ++y)
            if (!std::equal(a.Row(y), a.Row(y) + size_t{a.Width()} * 3, b.Row(y)))
                __builtin_trap();
    return 0;
}
