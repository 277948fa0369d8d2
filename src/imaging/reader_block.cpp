#include "imaging/reader_block.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>

namespace lumora {
namespace {

constexpr uint64_t kHugePage = uint64_t{2} << 20;

// A large picture is written once, row after row, right after it is
// allocated: every 4 KB page of it costs a fault on first touch. Asking for
// huge pages over the block lets one fault serve 2 MB. Only advice: where
// the system has none to give, nothing changes.
void AdviseHugePages(uint8_t* block, size_t bytes)
{
    if (bytes < 2 * kHugePage)
        return;
    const auto start = (reinterpret_cast<uintptr_t>(block) + kHugePage - 1) & ~(kHugePage - 1);
    const auto end = (reinterpret_cast<uintptr_t>(block) + bytes) & ~(kHugePage - 1);
    if (end > start)
        madvise(reinterpret_cast<void*>(start), end - start, MADV_HUGEPAGE);
}

}  // namespace

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
    AdviseHugePages(dib.Data(), dib.Size());
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
