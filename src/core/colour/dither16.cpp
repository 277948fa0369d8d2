#include "core/colour/dither16.h"

#include <array>

#include "core/picture/app_palette.h"

namespace lumora {
namespace {

// Index 4 x blue + 2 x green + red (each "above the threshold") picks
// black or one of the seven bright colours of the sixteen-colour table.
constexpr uint8_t kEightColorSlots[8] = {0, 9, 10, 11, 12, 13, 14, 15};

inline uint8_t DitherSlot(ColorTriple c, int x, int y)
{
    const int t = kDitherMatrixB[x & 7][y & 7];
    const int index = 4 * (c.blue > t) + 2 * (c.green > t) + (c.red > t);
    return kEightColorSlots[index];
}

// Runs `colorAt(row, x)` over every source pixel and packs two 4-bit
// slots per byte, even columns in the high nibble.
template <typename ColorAt>
Picture Dither(const Picture& source, int sourceBits, ColorAt colorAt)
{
    if (!source || !IsValidPicture(source.Bytes()) || source.BitCount() != sourceBits)
        return {};
    const PictureSpan src = source.Span();
    const auto width = static_cast<int32_t>(src.Width());
    const auto height = static_cast<int32_t>(src.Height());
    Picture result = Picture::Make(width, height, 4);
    if (!result)
        return {};
    const uint64_t srcStride = PictureRowBytes(static_cast<uint64_t>(width), static_cast<uint64_t>(sourceBits));
    const uint64_t dstStride = PictureRowBytes(static_cast<uint64_t>(width), 4);
    const uint8_t* srcPixels = src.Pixels();
    uint8_t* dstPixels = result.Pixels();
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* row = srcPixels + static_cast<uint64_t>(y) * srcStride;
        uint8_t* out = dstPixels + static_cast<uint64_t>(y) * dstStride;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t slot = DitherSlot(colorAt(row, x), x, y);
            if (x % 2 == 0)
                out[x / 2] = static_cast<uint8_t>(slot << 4);
            else
                out[x / 2] |= slot;
        }
    }
    return result;
}

}  // namespace

Picture DitherTo16(const Picture& source)
{
    return Dither(source, 24, [](const uint8_t* row, int32_t x) {
        const uint8_t* p = row + x * 3;
        return ColorTriple{p[2], p[1], p[0]};
    });
}

Picture DitherPalettedTo16(const Picture& source)
{
    std::array<ColorTriple, 256> colors{};
    if (source && IsValidPicture(source.Bytes()))
        for (unsigned i = 0; i < colors.size(); ++i)
            colors[i] = source.Color(i);
    return Dither(source, 8, [&colors](const uint8_t* row, int32_t x) { return colors[row[x]]; });
}

}  // namespace lumora
