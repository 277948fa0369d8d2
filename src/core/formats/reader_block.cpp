#include "core/formats/reader_block.h"

#include "core/picture/byte_order.h"
#include "core/picture/picture_limits.h"

namespace lumora {
HDIB AllocPictureToFill(int32_t width, int32_t height, int bitCount)
{
    if (!CheckPictureSize(width > 0 ? uint64_t(width) : 0, height > 0 ? uint64_t(height) : 0))
        return {};
    HDIB dib = AllocateDIBBlock(width, height, bitCount, false);
    if (dib)  // readers count on the image size being filled in
        WriteLE32(dib.Data() + 20, static_cast<uint32_t>(DIBRowBytes(static_cast<uint64_t>(width),
                                                                        static_cast<uint64_t>(bitCount)) *
                                                           static_cast<uint64_t>(height)));
    return dib;
}

}  // namespace lumora
