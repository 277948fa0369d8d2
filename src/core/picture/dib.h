#pragma once
// Packed device-independent bitmaps: a 40-byte information header (or a
// 12-byte OS/2 core header for blocks built elsewhere), the colour table,
// then the pixel rows bottom-up, each padded to a multiple of 4 bytes.
// Every picture in memory has this form, whatever file it came from.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace lumora {

constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionRLE8 = 1;
constexpr uint32_t kCompressionRLE4 = 2;
constexpr uint32_t kCompressionBitFields = 3;

// No picture's pixel area may exceed this; larger ones are refused.
constexpr uint64_t kMaxPixelBytes = uint64_t{1} << 30;

// The 40-byte Windows bitmap information header, field for field.
struct BitmapInfoHeader {
    uint32_t size = kInfoHeaderSize;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 1;
    uint16_t bitCount = 0;
    uint32_t compression = kCompressionNone;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;

    static BitmapInfoHeader Read(const uint8_t* bytes);  // 40 bytes
    void Write(uint8_t* bytes) const;                     // 40 bytes
};

// One owning handle to a packed DIB block; empty means "no picture".
// Move-only: copies are explicit (Clone) because pictures are large.
namespace detail {
// Hands a picture block back to the picture-memory pool.
struct BlockReturner {
    size_t capacity = 0;
    void operator()(uint8_t* bytes) const noexcept;
};
}  // namespace detail

class HDIB {
public:
    HDIB() noexcept = default;
    HDIB(std::nullptr_t) noexcept {}
    HDIB(HDIB&& other) noexcept;
    HDIB& operator=(HDIB&& other) noexcept;
    HDIB(const HDIB&) = delete;
    HDIB& operator=(const HDIB&) = delete;
    ~HDIB() = default;

    // A block of `bytes` bytes, zero-filled or not; empty when memory fails.
    static HDIB Allocate(size_t bytes, bool zeroFill = true);
    static HDIB FromBytes(std::span<const uint8_t> bytes);

    explicit operator bool() const noexcept { return bytes_ != nullptr; }
    uint8_t* Data() noexcept { return bytes_.get(); }
    const uint8_t* Data() const noexcept { return bytes_.get(); }
    size_t Size() const noexcept { return size_; }
    std::span<const uint8_t> Bytes() const noexcept { return {bytes_.get(), size_}; }

    // Grows or shrinks the block, keeping its leading bytes; new bytes are
    // zero. False (block unchanged) when memory fails.
    bool Resize(size_t bytes);
    HDIB Clone() const;
    void Reset() noexcept;

private:
    std::unique_ptr<uint8_t[], detail::BlockReturner> bytes_;
    size_t size_ = 0;
};

// Bytes in one pixel row: (bitCount x width + 31) rounded down to 32 bits.
constexpr uint64_t DIBRowBytes(uint64_t width, uint64_t bitCount)
{
    return ((bitCount * width + 31) & ~uint64_t{31}) / 8;
}

// Measuring a locked block (header already known to be valid).
uint16_t DIBColorCount(const uint8_t* dib);
uint32_t DIBColorTableSize(const uint8_t* dib);
uint32_t DIBPixelWidth(const uint8_t* dib);
uint32_t DIBPixelHeight(const uint8_t* dib);
uint16_t DIBBitCount(const uint8_t* dib);
uint32_t DIBHeaderSize(const uint8_t* dib);
size_t DIBPixelOffset(const uint8_t* dib);
uint8_t* DIBPixels(uint8_t* dib);
const uint8_t* DIBPixels(const uint8_t* dib);

// Colour-table entry i as red, green, blue (for either header kind).
struct ColorTriple {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const ColorTriple&, const ColorTriple&) = default;
};
ColorTriple DIBColor(const uint8_t* dib, unsigned index);

// Colour count of a picture; 0 for none.
uint16_t DIBColorCountOf(const HDIB& dib);

// True when the block's header describes a picture that fits in the block:
// header of 12 or 40 bytes, positive size, 1/4/8/24 bits uncompressed, the
// colour table and all rows inside the block. Blocks from outside (files,
// the clipboard) are checked with this before any other operation.
bool IsValidDIB(std::span<const uint8_t> block);

// A zero-filled block with a 40-byte header and the given size; the bit
// count is normalised to 1, 4, 8 or 24 (anything above 24 becomes 4).
// 4- and 8-bit blocks get the sixteen-colour table (repeated for 8 bits);
// 1-bit blocks keep an all-black table. Empty for a non-positive size or a
// pixel area above kMaxPixelBytes.
HDIB AllocDIB(int32_t width, int32_t height, int bitCount);

// A block of 1, 4, 8 or 24 bits with its 40-byte header (colours used
// filled in for 4 and 8 bits) and a black colour table; the pixels are
// zero-filled or left for the caller to write. Empty for other bit counts,
// a non-positive size or a pixel area above kMaxPixelBytes.
HDIB AllocateDIBBlock(int32_t width, int32_t height, int bitCount, bool zeroFill);

// Frees the block; returns the empty handle.
HDIB DestroyDIB(HDIB& dib);

}  // namespace lumora
