// JPEG bytes from anywhere: libjpeg's errors must come back to the reader
// (no exit, no leak), in both colour modes, and whatever it returns must be
// a well-formed picture that survives the program's conversions.
#include <cstddef>
#include <cstdint>

#include "imaging/dib_rgb.h"
#include "imaging/halftone.h"
#include "imaging/jpeg_reader.h"
#include "imaging/load_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    for (const bool jpeg256 : {true, false}) {
        LoadSettings().jpeg256 = jpeg256;
        HDIB dib = ReadJPEGFromMemory({data, size});
        if (!dib)
            continue;
        if (!IsValidDIB(dib.Bytes()))
            __builtin_trap();
        const uint64_t pixels = uint64_t{DIBPixelWidth(dib.Data())} * DIBPixelHeight(dib.Data());
        if (pixels > (1u << 20))
            continue;  // keep each run fast
        (void)ConvertToAppPalette(dib, AppPalette());
        (void)DIBToRGB32TopDown(dib);
    }
    return 0;
}
