// GIF files from anywhere: the reader must refuse or decode them, never read
// or write out of bounds; what it returns must survive every conversion the
// program applies to pictures.
#include <cstddef>
#include <cstdint>

#include "imaging/gif_reader.h"
#include "imaging/dib_rgb.h"
#include "imaging/dither16.h"
#include "imaging/halftone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    // The logical screen is allocated whole before any image is read; keep
    // each run small (the size limit itself is covered by the tests).
    if (size >= 10 && uint64_t(data[6] | data[7] << 8) * uint64_t(data[8] | data[9] << 8) > (1u << 22))
        return 0;
    MemorySource source({data, size});
    HDIB dib = ReadGIFFromSource(source);
    if (!dib)
        return 0;
    if (!IsValidDIB(dib.Bytes()))
        __builtin_trap();  // the reader must only hand out well-formed blocks
    const uint32_t width = DIBPixelWidth(dib.Data());
    const uint32_t height = DIBPixelHeight(dib.Data());
    if (uint64_t{width} * height > (1u << 22))
        return 0;
    (void)ConvertToAppPalette(dib, AppPalette());
    (void)ResizeToAppPalette(dib, 17, 11, AppPalette());
    (void)DitherTo16(dib);
    (void)DitherPalettedTo16(dib);
    (void)DIBToRGB32TopDown(dib);
    return 0;
}
