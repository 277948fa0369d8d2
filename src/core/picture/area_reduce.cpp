#include "core/picture/area_reduce.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace lumora {
namespace {

// The two loops that do the work are compiled twice on x86-64, for the
// processors with AVX2 (32-bit vector multiplies, wider vectors) and for
// the rest; the loader picks one.
#if defined(__x86_64__) && defined(__ELF__) && (!defined(__clang__) || __clang_major__ >= 14)
#define LUMORA_WITH_AVX2_CLONE __attribute__((target_clones("avx2", "default")))
#else
#define LUMORA_WITH_AVX2_CLONE
#endif

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

// One row of 1-, 4- or 8-bit pixels as blue, green, red bytes (24-bit rows
// are read in place).
void ExpandRow(const uint8_t* row, int bitCount, uint32_t width,
               const std::vector<ColorTriple>& table, uint8_t* bgr)
{
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

// sums[i] (+)= row[i] x weight, sixteen values at a time so that the
// compiler turns each block into vector instructions.
LUMORA_WITH_AVX2_CLONE void AddWeightedRow(const uint8_t* __restrict row, uint32_t weight, bool first,
                                           uint32_t* __restrict sums, size_t count)
{
    constexpr size_t kBlock = 16;
    size_t i = 0;
    if (first) {
        for (; i + kBlock <= count; i += kBlock)
            for (size_t k = 0; k < kBlock; ++k)
                sums[i + k] = row[i + k] * weight;
        for (; i < count; ++i)
            sums[i] = row[i] * weight;
        return;
    }
    for (; i + kBlock <= count; i += kBlock)
        for (size_t k = 0; k < kBlock; ++k)
            sums[i + k] += row[i + k] * weight;
    for (; i < count; ++i)
        sums[i] += row[i] * weight;
}

// The column cells with the same number of taps each, so that the loop
// across a row runs alike for every cell (a count changing from cell to
// cell costs more in mispredicted branches than the work itself). A cell
// with fewer taps gets weights of zero; near the right edge its window is
// moved left to stay inside the row.
struct EvenTaps {
    size_t count = 0;
    std::vector<uint32_t> first;    // per cell, its first source column
    std::vector<uint32_t> weights;  // `count` per cell
};

EvenTaps EvenColumnTaps(const std::vector<Cell>& cells, const std::vector<Tap>& taps, uint32_t sourceSize)
{
    EvenTaps even;
    for (const Cell& cell : cells)
        even.count = std::max(even.count, cell.tapCount);
    even.first.resize(cells.size());
    even.weights.assign(cells.size() * even.count, 0);
    for (size_t c = 0; c < cells.size(); ++c) {
        const Cell& cell = cells[c];
        const uint32_t first = std::min<uint32_t>(taps[cell.firstTap].index,
                                                  sourceSize - static_cast<uint32_t>(even.count));
        even.first[c] = first;
        for (size_t t = 0; t < cell.tapCount; ++t) {
            const Tap& tap = taps[cell.firstTap + t];
            even.weights[c * even.count + (tap.index - first)] = tap.weight;
        }
    }
    return even;
}

// One row of column sums reduced across to the new width. A cell's weights
// add up to kOne each way, so a total is at most 255 x kOne x kOne: it
// fits in 32 bits.
constexpr uint32_t kHalf = kOne * kOne / 2;
constexpr int kShift = 24;
static_assert(uint64_t{1} << kShift == uint64_t{kOne} * kOne);
static_assert(uint64_t{255} * kOne * kOne + kHalf <= UINT32_MAX);

// A pixel's three sums (and the next one's first, weighed but unused) as
// one vector, so that each tap is one multiply-add.
using PixelLanes = uint32_t __attribute__((vector_size(16)));

[[gnu::always_inline]] inline PixelLanes LoadPixelLanes(const uint32_t* sums)
{
    PixelLanes lanes;
    std::memcpy(&lanes, sums, sizeof lanes);
    return lanes;
}

// `sums` holds one value past the row for the last pixel's fourth lane.
template <size_t kTaps>
[[gnu::always_inline]] inline void ReduceAcrossBy(const uint32_t* sums, const EvenTaps& even, size_t count,
                                                  uint8_t* out)
{
    const uint32_t* weights = even.weights.data();
    for (size_t c = 0; c < even.first.size(); ++c, out += 3, weights += count) {
        const uint32_t* s = sums + size_t{even.first[c]} * 3;
        PixelLanes total = PixelLanes{} + kHalf;
        for (size_t t = 0; t < (kTaps ? kTaps : count); ++t)
            total += LoadPixelLanes(s + t * 3) * weights[t];
        total >>= kShift;
        out[0] = static_cast<uint8_t>(total[0]);
        out[1] = static_cast<uint8_t>(total[1]);
        out[2] = static_cast<uint8_t>(total[2]);
    }
}

LUMORA_WITH_AVX2_CLONE void ReduceAcross(const uint32_t* sums, const EvenTaps& even, uint8_t* out)
{
    switch (even.count) {
    case 1: ReduceAcrossBy<1>(sums, even, 1, out); break;
    case 2: ReduceAcrossBy<2>(sums, even, 2, out); break;
    case 3: ReduceAcrossBy<3>(sums, even, 3, out); break;
    case 4: ReduceAcrossBy<4>(sums, even, 4, out); break;
    default: ReduceAcrossBy<0>(sums, even, even.count, out); break;
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

    std::vector<uint8_t> bgr(bitCount == 24 ? 0 : uint64_t{width} * 3);
    std::vector<uint32_t> sums(uint64_t{width} * 3 + 1);
    const EvenTaps across = EvenColumnTaps(columns, columnTaps, width);
    // Rows are stored bottom-up in both pictures, so rows map alike.
    for (int32_t y = 0; y < newHeight; ++y) {
        const Cell& rowCell = rows[static_cast<size_t>(y)];
        for (size_t t = rowCell.firstTap; t < rowCell.firstTap + rowCell.tapCount; ++t) {
            const uint8_t* row = srcPixels + rowTaps[t].index * srcStride;
            if (bitCount != 24) {
                ExpandRow(row, bitCount, width, table, bgr.data());
                row = bgr.data();
            }
            AddWeightedRow(row, rowTaps[t].weight, t == rowCell.firstTap, sums.data(), uint64_t{width} * 3);
        }
        ReduceAcross(sums.data(), across, dstPixels + static_cast<uint64_t>(y) * dstStride);
    }
    return result;
}

}  // namespace lumora
