#include "core/formats/reader_block.h"

#include "core/picture/picture_limits.h"

namespace lumora {
Picture AllocPictureToFill(int32_t width, int32_t height, int bitCount)
{
    if (!CheckPictureSize(width > 0 ? uint64_t(width) : 0, height > 0 ? uint64_t(height) : 0))
        return {};
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return {};
    return Picture::Make(width, height, bitCount, {ColourTable::Black, false, true});
}

}  // namespace lumora
