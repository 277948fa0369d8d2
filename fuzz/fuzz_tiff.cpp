// TIFF bytes from anywhere: the reader must refuse or decode them through
// libtiff, never read or write out of bounds; what it returns must be a
// well-formed picture that survives the program's conversions.
#include <cstddef>
#include <cstdint>

#include "imaging/dib_rgb.h"
#include "imaging/halftone.h"
#include "imaging/tiff_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    HDIB dib = ReadTIFFFromMemory({data, size});
    if (!dib)
        return 0;
    if (!IsValidDIB(dib.Bytes()))
        __builtin_trap();
    const uint64_t pixels = uint64_t{DIBPixelWidth(dib.Data())} * DIBPixelHeight(dib.Data());
    if (pixels > (1u << 20))
        return 0;  // keep each run fast
    (void)ConvertToAppPalette(dib, AppPalette());
    (void)DIBToRGB32TopDown(dib);
    return 0;
}
