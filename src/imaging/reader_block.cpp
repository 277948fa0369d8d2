#include "imaging/reader_block.h"

#include <cstring>

namespace lumora {
HDIB AllocPictureToFill(int32_t width, int32_t height, int bitCount)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return {};
    if (width <= 0 || height <= 0)
        return {};
    const uint64_t stride = DIBRowBytes(uint64_t(width), uint64_t(bitCount));
    const uint64_t pixelBytes = stride * uint64_t(height);
    if (pixelBytes > kMaxPixelBytes)
        return {};
    const uint32_t colors = bitCount == 24 ? 0 : 1u << bitCount;
    HDIB dib = HDIB::Allocate(kInfoHeaderSize + colors * 4 + pixelBytes, false);
    if (!dib)
        return {};
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(bitCount);
    header.sizeImage = static_cast<uint32_t>(pixelBytes);
    header.clrUsed = bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
    header.Write(dib.Data());
    std::memset(dib.Data() + kInfoHeaderSize, 0, colors * 4);
    return dib;
}

}  // namespace lumora
