// JPEG bytes from anywhere: libjpeg's errors must come back to the reader
// (no exit, no leak), in both colour modes, and whatever it returns must be
// a well-formed picture that survives the program's conversions; likewise
// when it is decoded reduced for a preview box, by halvings or in eighths.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "fuzz_picture.h"
#include "core/picture/area_reduce.h"
#include "core/picture/exif_orientation.h"
#include "core/formats/jpeg_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    // The orientation reader sees the same bytes, as an EXIF segment and as
    // a bare TIFF structure.
    const int orientation = ExifOrientation({data, size});
    if (orientation < 1 || orientation > 8 || TiffStructureOrientation({data, size}) < 1)
        __builtin_trap();
    for (const bool jpeg256 : {true, false}) {
        ReadOptions options;
        options.jpeg256 = jpeg256;
        fuzz::ExercisePicture(ReadJPEGFromMemory({data, size}, options));
    }
    // Decoded for a preview box: reduced by libjpeg, then averaged.
    const JpegBoxRead read = ReadJPEGForBox({data, size}, [](uint32_t w, uint32_t h) {
        return NeededSize{std::min<uint32_t>(w, 185), std::min<uint32_t>(h, 140)};
    });
    if (read.picture) {
        fuzz::ExercisePicture(read.picture);
        fuzz::ExercisePicture(ReduceToTrueColor(read.picture, 185, 140));
    }
    // Decoded in eighths, as the viewer's copies for the screen are.
    const JpegBoxRead eighths = ReadJPEGForBox({data, size}, [](uint32_t w, uint32_t h) {
        return NeededSize{w * 5 / 8, h * 5 / 8, true};
    });
    if (eighths.picture)
        fuzz::ExercisePicture(eighths.picture);
    return 0;
}
