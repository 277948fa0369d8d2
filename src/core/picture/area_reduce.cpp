#include "core/picture/area_reduce.h"

#include <algorithm>
#include <vector>

namespace lumora {
namespace {

// The source pixels under each of `newSize` cells and how much of each the
// cell covers: weights in 1/kOne, summing to kOne for every cell.
constexpr uint32_t kOne = 1u << 12;

struct Tap {
    uint32_t index;
    uint32_t weight;
};
struct Cell {
    size_t firstTap = 0, tapCount = 0;
};

void Coverage(int32_t newSize, uint32_t sourceSize, std::vector<Cell>& cells, std::vector<Tap>& taps)
{
    cells.resize(static_cast<size_t>(newSize));
    // Positions in units of 1 / newSize of a source pixel.
    const uint64_t n = static_cast<uint64_t>(newSize);
    for (uint64_t i = 0; i < n; ++i) {
        const uint64_t start = i * sourceSize, end = (i + 1) * sourceSize;  // x n
        Cell& cell = cells[i];
        cell.firstTap = taps.size();
        uint32_t given = 0;
        for (uint64_t p = start / n; p * n < end && p < sourceSize; ++p) {
            const uint64_t from = std::max(start, p * n), to = std::min(end, (p + 1) * n);
            const auto weight = static_cast<uint32_t>((to - from) * kOne / sourceSize);
            taps.push_back({static_cast<uint32_t>(p), weight});
            given += weight;
        }
        // Rounding leftovers go to the largest share.
        Tap* largest = &taps[cell.firstTap];
        for (size_t t = cell.firstTap; t < taps.size(); ++t)
            if (taps[t].weight > largest->weight)
                largest = &taps[t];
        largest->weight += kOne - given;
        cell.tapCount = taps.size() - cell.firstTap;
    }
}

// One source row as blue, green, red bytes.
void ExpandRow(const uint8_t* row, int bitCount, uint32_t width,
               const std::vector<ColorTriple>& table, uint8_t* bgr)
{
    if (bitCount == 24) {
        std::copy(row, row + uint64_t{width} * 3, bgr);
        return;
    }
    for (uint32_t x = 0; x < width; ++x, bgr += 3) {
        unsigned index = 0;
        switch (bitCount) {
        case 1: index = (row[x >> 3] >> (7 - (x & 7))) & 1u; break;
        case 4: index = (x & 1) ? row[x >> 1] & 0x0Fu : row[x >> 1] >> 4u; break;
        default: index = row[x]; break;
        }
        const ColorTriple& c = table[index];
        bgr[0] = c.blue;
        bgr[1] = c.green;
        bgr[2] = c.red;
    }
}

// A 24-bit picture halved exactly in both directions: each new pixel the
// rounded mean of its 2 x 2 block. The general path gives the same bytes
// (four taps of a half each way), with far more work per pixel.
void HalveTrueColor(const uint8_t* srcPixels, uint64_t srcStride, uint8_t* dstPixels, uint64_t dstStride,
                    int32_t newWidth, int32_t newHeight)
{
    for (int32_t y = 0; y < newHeight; ++y) {
        const uint8_t* top = srcPixels + static_cast<uint64_t>(y) * 2 * srcStride;
        const uint8_t* bottom = top + srcStride;
        uint8_t* out = dstPixels + static_cast<uint64_t>(y) * dstStride;
        for (int32_t x = 0; x < newWidth * 3; x += 3) {
            const int32_t from = x * 2;
            for (int32_t c = 0; c < 3; ++c)
                out[x + c] = static_cast<uint8_t>((top[from + c] + top[from + 3 + c] + bottom[from + c] +
                                                   bottom[from + 3 + c] + 2) >> 2);
        }
    }
}

}  // namespace

Picture ReduceToTrueColor(const Picture& source, int32_t newWidth, int32_t newHeight)
{
    if (!source || !IsValidPicture(source.Bytes()) || newWidth <= 0 || newHeight <= 0)
        return {};
    const PictureSpan src = source.Span();
    const int bitCount = src.BitCount();
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return {};
    if (PictureRowBytes(static_cast<uint64_t>(newWidth), 24) * static_cast<uint64_t>(newHeight) >
        kMaxPixelBytes)
        return {};
    Picture result = Picture::Make(newWidth, newHeight, 24);
    if (!result)
        return {};

    const uint32_t width = src.Width(), height = src.Height();
    std::vector<ColorTriple> table;
    if (bitCount != 24) {
        table.resize(size_t{1} << bitCount);
        for (unsigned i = 0; i < table.size(); ++i) {
            // One-bit pictures are black and white whatever their table says,
            // as on the halftoned previews.
            const uint8_t v = i ? 255 : 0;
            table[i] = bitCount == 1 ? ColorTriple{v, v, v} : src.Color(i);
        }
    }
    std::vector<Cell> columns, rows;
    std::vector<Tap> columnTaps, rowTaps;
    Coverage(newWidth, width, columns, columnTaps);
    Coverage(newHeight, height, rows, rowTaps);
    const uint8_t* srcPixels = src.Pixels();
    const uint64_t srcStride = PictureRowBytes(width, static_cast<uint64_t>(bitCount));
    uint8_t* dstPixels = result.Pixels();
    const uint64_t dstStride = PictureRowBytes(static_cast<uint64_t>(newWidth), 24);

    if (bitCount == 24 && width == 2 * static_cast<uint32_t>(newWidth) &&
        height == 2 * static_cast<uint32_t>(newHeight)) {
        HalveTrueColor(srcPixels, srcStride, dstPixels, dstStride, newWidth, newHeight);
        return result;
    }

    std::vector<uint8_t> bgr(uint64_t{width} * 3);
    std::vector<uint32_t> sums(uint64_t{width} * 3);
    // Rows are stored bottom-up in both pictures, so rows map alike.
    for (int32_t y = 0; y < newHeight; ++y) {
        const Cell& rowCell = rows[static_cast<size_t>(y)];
        std::fill(sums.begin(), sums.end(), 0u);
        for (size_t t = rowCell.firstTap; t < rowCell.firstTap + rowCell.tapCount; ++t) {
            ExpandRow(srcPixels + rowTaps[t].index * srcStride, bitCount, width, table, bgr.data());
            const uint32_t weight = rowTaps[t].weight;
            for (size_t i = 0; i < bgr.size(); ++i)
                sums[i] += bgr[i] * weight;
        }
        uint8_t* out = dstPixels + static_cast<uint64_t>(y) * dstStride;
        for (int32_t x = 0; x < newWidth; ++x, out += 3) {
            const Cell& colCell = columns[static_cast<size_t>(x)];
            uint64_t b = 0, g = 0, r = 0;
            for (size_t t = colCell.firstTap; t < colCell.firstTap + colCell.tapCount; ++t) {
                const uint64_t c = columnTaps[t].index, weight = columnTaps[t].weight;
                b += sums[c * 3] * weight;
                g += sums[c * 3 + 1] * weight;
                r += sums[c * 3 + 2] * weight;
            }
            constexpr uint64_t kScale = uint64_t{kOne} * kOne;
            out[0] = static_cast<uint8_t>((b + kScale / 2) / kScale);
            out[1] = static_cast<uint8_t>((g + kScale / 2) / kScale);
            out[2] = static_cast<uint8_t>((r + kScale / 2) / kScale);
        }
    }
    return result;
}

}  // namespace lumora
