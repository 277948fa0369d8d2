#include "core/picture/dib_rgb.h"

#include <array>

namespace lumora {
namespace {

constexpr uint32_t PackRGB32(uint8_t red, uint8_t green, uint8_t blue)
{
    return 0xFF000000u | (uint32_t{red} << 16) | (uint32_t{green} << 8) | blue;
}

std::array<uint32_t, 256> ColorTableRGB32(PictureSpan dib)
{
    std::array<uint32_t, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        const ColorTriple c = dib.Color(i);
        table[i] = PackRGB32(c.red, c.green, c.blue);
    }
    return table;
}

void ExpandRow(const uint8_t* row, int bits, uint32_t width,
               const std::array<uint32_t, 256>& table, uint32_t* out)
{
    switch (bits) {
    case 24:
        for (uint32_t x = 0; x < width; ++x, row += 3)
            out[x] = PackRGB32(row[2], row[1], row[0]);
        break;
    case 8:
        for (uint32_t x = 0; x < width; ++x)
            out[x] = table[row[x]];
        break;
    case 4:
        for (uint32_t x = 0; x < width; ++x)
            out[x] = table[(x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4];
        break;
    case 1:
        for (uint32_t x = 0; x < width; ++x)
            out[x] = table[(row[x >> 3] >> (7 - (x & 7))) & 1];
        break;
    default:
        break;
    }
}

}  // namespace

void DIBRowToRGB32(PictureSpan dib, uint32_t memoryRow, uint32_t* out)
{
    const int bits = dib.BitCount();
    const uint32_t width = dib.Width();
    const uint8_t* row = dib.Pixels() + memoryRow * PictureRowBytes(width, static_cast<uint64_t>(bits));
    ExpandRow(row, bits, width, ColorTableRGB32(dib), out);
}

std::vector<uint32_t> DIBToRGB32TopDown(const Picture& dib)
{
    if (!dib || !IsValidPicture(dib.Bytes()))
        return {};
    const PictureSpan block = dib.Span();
    const int bits = block.BitCount();
    const uint32_t width = block.Width();
    const uint32_t height = block.Height();
    const uint64_t stride = PictureRowBytes(width, static_cast<uint64_t>(bits));
    const auto table = ColorTableRGB32(block);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    for (uint32_t y = 0; y < height; ++y)
        ExpandRow(block.Pixels() + (height - 1 - y) * stride, bits, width, table,
                  pixels.data() + static_cast<size_t>(y) * width);
    return pixels;
}

}  // namespace lumora
