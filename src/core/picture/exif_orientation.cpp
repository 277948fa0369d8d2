#include "core/picture/exif_orientation.h"

#include <cstring>
#include <utility>

namespace lumora {
namespace {

constexpr uint16_t kOrientationTag = 0x0112;
constexpr uint16_t kTypeShort = 3;

struct Reader {
    std::span<const uint8_t> bytes;
    bool bigEndian = false;

    bool Has(uint64_t offset, uint64_t count) const { return offset <= bytes.size() && count <= bytes.size() - offset; }
    uint16_t U16(uint64_t at) const
    {
        return bigEndian ? static_cast<uint16_t>(bytes[at] << 8 | bytes[at + 1])
                         : static_cast<uint16_t>(bytes[at + 1] << 8 | bytes[at]);
    }
    uint32_t U32(uint64_t at) const
    {
        return bigEndian ? (uint32_t{U16(at)} << 16 | U16(at + 2)) : (uint32_t{U16(at + 2)} << 16 | U16(at));
    }
};

}  // namespace

int TiffStructureOrientation(std::span<const uint8_t> tiff)
{
    Reader r{tiff};
    if (!r.Has(0, 8))
        return kOrientationNormal;
    if (tiff[0] == 'M' && tiff[1] == 'M')
        r.bigEndian = true;
    else if (!(tiff[0] == 'I' && tiff[1] == 'I'))
        return kOrientationNormal;
    if (r.U16(2) != 42)
        return kOrientationNormal;
    const uint64_t directory = r.U32(4);
    if (!r.Has(directory, 2))
        return kOrientationNormal;
    const uint16_t count = r.U16(directory);
    for (uint32_t i = 0; i < count; ++i) {
        const uint64_t entry = directory + 2 + uint64_t{i} * 12;
        if (!r.Has(entry, 12))
            break;
        if (r.U16(entry) != kOrientationTag)
            continue;
        if (r.U16(entry + 2) != kTypeShort || r.U32(entry + 4) < 1)
            break;
        const int value = r.U16(entry + 8);
        return value >= 1 && value <= 8 ? value : kOrientationNormal;
    }
    return kOrientationNormal;
}

int ExifOrientation(std::span<const uint8_t> app1)
{
    static constexpr uint8_t kExif[6] = {'E', 'x', 'i', 'f', 0, 0};
    if (app1.size() < sizeof kExif || std::memcmp(app1.data(), kExif, sizeof kExif) != 0)
        return kOrientationNormal;
    return TiffStructureOrientation(app1.subspan(sizeof kExif));
}

namespace {

// One pixel's bits read or written at column x of a row, whatever the depth.
inline unsigned GetIndex(const uint8_t* row, uint32_t x, unsigned bits)
{
    switch (bits) {
    case 1: return (row[x >> 3] >> (7 - (x & 7))) & 1u;
    case 4: return (x & 1) ? (row[x >> 1] & 0x0F) : (row[x >> 1] >> 4);
    default: return row[x];
    }
}

inline void SetIndex(uint8_t* row, uint32_t x, unsigned bits, unsigned value)
{
    switch (bits) {
    case 1: {
        const uint8_t bit = static_cast<uint8_t>(0x80u >> (x & 7));
        row[x >> 3] = static_cast<uint8_t>(value ? row[x >> 3] | bit : row[x >> 3] & ~bit);
        break;
    }
    case 4:
        row[x >> 1] = static_cast<uint8_t>((x & 1) ? (row[x >> 1] & 0xF0) | value : (row[x >> 1] & 0x0F) | (value << 4));
        break;
    default: row[x] = static_cast<uint8_t>(value);
    }
}

}  // namespace

Picture ApplyOrientation(Picture dib, int orientation)
{
    if (!dib || orientation < 2 || orientation > 8)
        return dib;
    const PictureSpan source = dib.Span();
    const uint32_t width = source.Width(), height = source.Height();
    const unsigned bits = source.BitCount();
    if (source.HeaderSize() != kInfoHeaderSize || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return dib;
    const bool quarter = orientation >= 5;
    const uint32_t outWidth = quarter ? height : width, outHeight = quarter ? width : height;
    const size_t offset = source.PixelOffset();
    Picture result = Picture::Block(offset + PictureRowBytes(outWidth, bits) * outHeight, true);
    if (!result)
        return {};
    std::memcpy(result.Data(), source.Data(), offset);  // header and colour table
    BitmapInfoHeader header = BitmapInfoHeader::Read(source.Data());
    header.width = static_cast<int32_t>(outWidth);
    header.height = static_cast<int32_t>(outHeight);
    header.sizeImage = 0;
    if (quarter)
        std::swap(header.xPelsPerMeter, header.yPelsPerMeter);
    header.Write(result.Data());

    // Rows are kept bottom-up: top-down row y is stored row (height - 1 - y).
    const uint64_t inStride = PictureRowBytes(width, bits), outStride = PictureRowBytes(outWidth, bits);
    const uint8_t* in = source.Pixels();
    uint8_t* out = result.Pixels();
    for (uint32_t dy = 0; dy < outHeight; ++dy) {
        uint8_t* outRow = out + uint64_t{outHeight - 1 - dy} * outStride;
        for (uint32_t dx = 0; dx < outWidth; ++dx) {
            uint32_t sx = dx, sy = dy;
            switch (orientation) {
            case 2: sx = width - 1 - dx; break;
            case 3: sx = width - 1 - dx; sy = height - 1 - dy; break;
            case 4: sy = height - 1 - dy; break;
            case 5: sx = dy; sy = dx; break;
            case 6: sx = dy; sy = height - 1 - dx; break;
            case 7: sx = width - 1 - dy; sy = height - 1 - dx; break;
            case 8: sx = width - 1 - dy; sy = dx; break;
            default: break;
            }
            const uint8_t* inRow = in + uint64_t{height - 1 - sy} * inStride;
            if (bits == 24)
                std::memcpy(outRow + uint64_t{dx} * 3, inRow + uint64_t{sx} * 3, 3);
            else
                SetIndex(outRow, dx, bits, GetIndex(inRow, sx, bits));
        }
    }
    return result;
}

UprightSides UprightSize(uint32_t width, uint32_t height, int orientation)
{
    if (orientation >= 5 && orientation <= 8)
        return {height, width};
    return {width, height};
}

UprightRowPlacer::UprightRowPlacer(Picture& upright, uint32_t sourceWidth, uint32_t sourceHeight,
                                   int orientation)
    : pixels_(upright.Pixels()),
      width_(sourceWidth),
      height_(sourceHeight),
      outWidth_(UprightSize(sourceWidth, sourceHeight, orientation).width),
      outHeight_(UprightSize(sourceWidth, sourceHeight, orientation).height),
      bytesPerPixel_(upright.BitCount() / 8),
      outStride_(PictureRowBytes(outWidth_, upright.BitCount())),
      orientation_(orientation)
{
}

namespace {

constexpr uint32_t kBlockRows = 32;

// One pixel of 1 or 3 bytes; a call to memcpy per pixel would cost more
// than the copy.
inline void CopyPixel(uint8_t* out, const uint8_t* in, unsigned size)
{
    out[0] = in[0];
    if (size == 3) {
        out[1] = in[1];
        out[2] = in[2];
    }
}

}  // namespace

void UprightRowPlacer::Place(uint32_t sy, const uint8_t* row)
{
    if (orientation_ < 5 || orientation_ > 8) {
        PlaceRow(sy, row);
        return;
    }
    const size_t rowBytes = size_t{width_} * bytesPerPixel_;
    if (block_.empty())
        block_.resize(rowBytes * kBlockRows);
    if (blockRows_ == 0)
        blockTop_ = sy;
    std::memcpy(block_.data() + blockRows_ * rowBytes, row, rowBytes);
    if (++blockRows_ == kBlockRows || sy + 1 == height_)
        PlaceBlock();
}

// Orientations 2 to 4 keep rows whole: each goes to one upright row.
void UprightRowPlacer::PlaceRow(uint32_t sy, const uint8_t* row)
{
    const bool mirrored = orientation_ == 2 || orientation_ == 3;
    const uint32_t dy = orientation_ == 3 || orientation_ == 4 ? height_ - 1 - sy : sy;
    uint8_t* out = pixels_ + uint64_t{outHeight_ - 1 - dy} * outStride_;
    const unsigned size = bytesPerPixel_;
    if (!mirrored) {
        std::memcpy(out, row, size_t{width_} * size);
        return;
    }
    for (uint32_t sx = 0; sx < width_; ++sx)
        CopyPixel(out + uint64_t{width_ - 1 - sx} * size, row + uint64_t{sx} * size, size);
}

// Quarter turns: source column sx becomes upright row dy, and the block's
// consecutive source rows become a run of consecutive upright columns,
// forwards (5, 8) or backwards (6, 7).
void UprightRowPlacer::PlaceBlock()
{
    const unsigned size = bytesPerPixel_;
    const size_t rowBytes = size_t{width_} * size;
    const bool forwards = orientation_ == 5 || orientation_ == 8;
    const bool columnsInOrder = orientation_ == 5 || orientation_ == 6;
    const uint32_t firstColumn = forwards ? blockTop_ : height_ - 1 - blockTop_;
    for (uint32_t sx = 0; sx < width_; ++sx) {
        const uint32_t dy = columnsInOrder ? sx : width_ - 1 - sx;
        uint8_t* out = pixels_ + uint64_t{outHeight_ - 1 - dy} * outStride_;
        const uint8_t* in = block_.data() + uint64_t{sx} * size;
        for (uint32_t k = 0; k < blockRows_; ++k, in += rowBytes) {
            const uint32_t dx = forwards ? firstColumn + k : firstColumn - k;
            CopyPixel(out + uint64_t{dx} * size, in, size);
        }
    }
    blockRows_ = 0;
}

}  // namespace lumora
