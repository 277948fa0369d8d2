// PCX files from anywhere: the reader must refuse or decode them, never read
// or write out of bounds; what it returns must survive every conversion the
// program applies to pictures.
#include <cstddef>
#include <cstdint>

#include "imaging/pcx_reader.h"
#include "imaging/dib_rgb.h"
#include "imaging/dither16.h"
#include "imaging/halftone.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    MemorySource source({data, size});
    HDIB dib = ReadPCXFromSource(source);
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
