#include "core/colour/halftone.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "core/picture/app_palette.h"

namespace lumora {
namespace {

// The dither is a 64-cell pattern: cell = (y mod 8) x 8 + (x mod 8).
constexpr int kCells = 64;

// Each component's contribution to the cube index for every dither cell and
// component value: level = v / 51, plus one when A[x][y] < v mod 51.
struct CubeContributions {
    uint8_t red[kCells][256];
    uint8_t green[kCells][256];
    uint8_t blue[kCells][256];
};

CubeContributions BuildContributions()
{
    CubeContributions t;
    for (int cell = 0; cell < kCells; ++cell) {
        const int threshold = kDitherMatrixA[cell % 8][cell / 8];
        for (int v = 0; v < 256; ++v) {
            const int level = v / kCubeStep + (threshold < v % kCubeStep ? 1 : 0);
            t.red[cell][v] = static_cast<uint8_t>(level);
            t.green[cell][v] = static_cast<uint8_t>(level * 6);
            t.blue[cell][v] = static_cast<uint8_t>(level * 36);
        }
    }
    return t;
}

const CubeContributions& Contributions()
{
    static const CubeContributions tables = BuildContributions();
    return tables;
}

uint8_t SlotFor(const CubeContributions& t, int cell, ColorTriple c)
{
    return kCubeSlot[t.red[cell][c.red] + t.green[cell][c.green] + t.blue[cell][c.blue]];
}

// For paletted sources every (cell, colour index) pair has one answer:
// compute those once instead of per pixel.
std::vector<uint8_t> SlotsForColorTable(PictureSpan dib, int bitCount)
{
    const CubeContributions& t = Contributions();
    const int colors = 1 << bitCount;
    std::vector<uint8_t> slots(static_cast<size_t>(kCells) * colors);
    for (int index = 0; index < colors; ++index) {
        ColorTriple c;
        if (bitCount == 1) {
            // One-bit pictures are black and white whatever their table says.
            const uint8_t v = index ? 255 : 0;
            c = {v, v, v};
        } else {
            c = dib.Color(static_cast<unsigned>(index));
        }
        for (int cell = 0; cell < kCells; ++cell)
            slots[static_cast<size_t>(cell) * colors + index] = SlotFor(t, cell, c);
    }
    return slots;
}

inline unsigned PaletteIndexAt(const uint8_t* row, int bitCount, uint32_t column)
{
    switch (bitCount) {
    case 1: return (row[column >> 3] >> (7 - (column & 7))) & 1u;
    case 4: return (column & 1) ? row[column >> 1] & 0x0Fu : row[column >> 1] >> 4;
    default: return row[column];
    }
}

// The shared loop: destination pixel (x, y) takes source pixel
// (columns[x], rows[y]).
Picture Halftone(const Picture& source, const std::vector<uint32_t>& columns,
              const std::vector<uint32_t>& rows, const Palette& palette)
{
    const PictureSpan src = source.Span();
    const int bitCount = src.BitCount();
    const auto width = static_cast<int32_t>(columns.size());
    const auto height = static_cast<int32_t>(rows.size());
    Picture result = Picture::Make(width, height, 8);
    if (!result)
        return {};
    FillColorTableFromPalette(result.Data(), &palette, ColorTableMode::Rgb);

    const uint8_t* srcPixels = src.Pixels();
    const uint64_t srcStride = PictureRowBytes(src.Width(), static_cast<uint64_t>(bitCount));
    uint8_t* dstPixels = result.Pixels();
    const uint64_t dstStride = PictureRowBytes(static_cast<uint64_t>(width), 8);

    if (bitCount == 24) {
        const CubeContributions& t = Contributions();
        for (int32_t y = 0; y < height; ++y) {
            const uint8_t* srcRow = srcPixels + rows[y] * srcStride;
            uint8_t* out = dstPixels + static_cast<uint64_t>(y) * dstStride;
            const int rowCell = (y % 8) * 8;
            for (int32_t x = 0; x < width; ++x) {
                const uint8_t* p = srcRow + columns[x] * 3;
                const int cell = rowCell + (x & 7);
                out[x] = kCubeSlot[t.blue[cell][p[0]] + t.green[cell][p[1]] + t.red[cell][p[2]]];
            }
        }
        return result;
    }

    const std::vector<uint8_t> slots = SlotsForColorTable(src, bitCount);
    const size_t colors = size_t{1} << bitCount;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* srcRow = srcPixels + rows[y] * srcStride;
        uint8_t* out = dstPixels + static_cast<uint64_t>(y) * dstStride;
        const uint8_t* rowSlots = slots.data() + static_cast<size_t>((y % 8) * 8) * colors;
        for (int32_t x = 0; x < width; ++x)
            out[x] = rowSlots[(x & 7) * colors + PaletteIndexAt(srcRow, bitCount, columns[x])];
    }
    return result;
}

bool IsHalftoneSource(const Picture& source)
{
    if (!source || !IsValidPicture(source.Bytes()))
        return false;
    const int bits = source.BitCount();
    return bits == 1 || bits == 4 || bits == 8 || bits == 24;
}

// Nearest-neighbour sampling positions, clamped to the last column or row.
std::vector<uint32_t> SamplePositions(int32_t newSize, uint32_t sourceSize)
{
    std::vector<uint32_t> positions(static_cast<size_t>(newSize));
    for (int32_t i = 0; i < newSize; ++i) {
        const int64_t p = MulDiv(i, static_cast<int32_t>(sourceSize), newSize);
        positions[i] = static_cast<uint32_t>(p < 0 ? 0 : p >= sourceSize ? sourceSize - 1 : p);
    }
    return positions;
}

}  // namespace

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = int64_t{a} * b;
    const int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

Picture ConvertToAppPalette(const Picture& source, const Palette& palette)
{
    if (!IsHalftoneSource(source))
        return {};
    const uint32_t width = source.Width();
    const uint32_t height = source.Height();
    // A 1-bit source may be far smaller than its 8-bit result and the tables.
    if (PictureRowBytes(width, 8) * height > kMaxPixelBytes)
        return {};
    std::vector<uint32_t> columns(width), rows(height);
    for (uint32_t i = 0; i < width; ++i)
        columns[i] = i;
    for (uint32_t i = 0; i < height; ++i)
        rows[i] = i;
    return Halftone(source, columns, rows, palette);
}

Picture ResizeToAppPalette(const Picture& source, int32_t newWidth, int32_t newHeight,
                        const Palette& palette)
{
    if (!IsHalftoneSource(source) || newWidth <= 0 || newHeight <= 0)
        return {};
    if (PictureRowBytes(static_cast<uint64_t>(newWidth), 8) * static_cast<uint64_t>(newHeight) >
        kMaxPixelBytes)
        return {};
    return Halftone(source, SamplePositions(newWidth, source.Width()),
                    SamplePositions(newHeight, source.Height()), palette);
}

}  // namespace lumora
