#pragma once
// A picture in memory: a packed device-independent bitmap — a 40-byte
// information header (or a 12-byte OS/2 core header for blocks built
// elsewhere), the colour table, then the pixel rows bottom-up, each padded
// to a multiple of 4 bytes — whatever file it came from. Album previews and
// clipboard blocks are these bytes exactly, so the block is the storage and
// the accessors read it.
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

// Bytes in one pixel row: (bitCount x width + 31) rounded down to 32 bits.
constexpr uint64_t PictureRowBytes(uint64_t width, uint64_t bitCount)
{
    return ((bitCount * width + 31) & ~uint64_t{31}) / 8;
}

// Colour-table entry as red, green, blue (for either header kind).
struct ColorTriple {
    uint8_t red = 0, green = 0, blue = 0;
    friend bool operator==(const ColorTriple&, const ColorTriple&) = default;
};

// True when the block's header describes a picture that fits in the block:
// header of 12 or 40 bytes, positive size, 1/4/8/24 bits uncompressed, the
// colour table and all rows inside the block. Blocks from outside (files,
// the clipboard) are checked with this before any other operation.
bool IsValidPicture(std::span<const uint8_t> block);

class Picture;

// A look at a picture's bytes that someone else owns (a stored preview, a
// block being checked, a picture passed down). Reading an empty one gives
// zeros; otherwise its header must already be known to be valid.
class PictureSpan {
public:
    constexpr PictureSpan() noexcept = default;
    constexpr explicit PictureSpan(std::span<const uint8_t> bytes) noexcept : bytes_(bytes) {}
    PictureSpan(const Picture& picture) noexcept;  // NOLINT: a picture is readable as a span

    bool IsEmpty() const noexcept { return bytes_.empty(); }
    const uint8_t* Data() const noexcept { return bytes_.data(); }
    std::span<const uint8_t> Bytes() const noexcept { return bytes_; }

    uint32_t HeaderSize() const;
    uint32_t Width() const;
    uint32_t Height() const;
    uint16_t BitCount() const;
    uint16_t ColorCount() const;      // colours in the table; 0 for none
    uint32_t ColorTableSize() const;  // bytes
    ColorTriple Color(unsigned index) const;  // black past the table
    size_t PixelOffset() const;
    uint64_t RowBytes() const { return PictureRowBytes(Width(), BitCount()); }
    const uint8_t* Pixels() const;
    // Row `memoryRow` of the pixels: 0 is the first in memory, the bottom.
    const uint8_t* Row(uint32_t memoryRow) const { return Pixels() + memoryRow * RowBytes(); }

private:
    bool IsCoreHeader() const;
    std::span<const uint8_t> bytes_;
};

namespace detail {
// Hands a picture block back to the picture-memory pool.
struct BlockReturner {
    size_t capacity = 0;
    void operator()(uint8_t* bytes) const noexcept;
};
}  // namespace detail

// How a new picture's colour table starts: black, or the sixteen standard
// colours (repeated for 8 bits), as pictures drawn into by the program do.
enum class ColourTable { Black, SixteenColours };

struct NewPicture {
    ColourTable table = ColourTable::SixteenColours;
    bool zeroPixels = true;        // false: the caller writes every pixel
    bool recordImageSize = false;  // fill in the header's image size
};

// One owning picture; empty means "no picture". Move-only: copies are
// explicit (Clone) because pictures are large. Its memory comes from the
// picture-memory pool and goes back there.
class Picture {
public:
    Picture() noexcept = default;
    Picture(std::nullptr_t) noexcept {}
    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    ~Picture() = default;

    // A new picture of 1, 4, 8 or 24 bits with its 40-byte header (colours
    // used filled in for 4 and 8 bits). Other bit counts are normalised to
    // the next of those (anything above 24 becomes 4). Empty for a
    // non-positive size, a pixel area above kMaxPixelBytes, or when memory
    // fails.
    static Picture Make(int32_t width, int32_t height, int bitCount, NewPicture how = {});
    // A copy of a block whose validity the caller checks (IsValidPicture).
    static Picture FromBytes(std::span<const uint8_t> bytes);
    // A block of `bytes` bytes whose header and table the caller writes
    // (readers that lay a picture out themselves); empty when memory fails.
    static Picture Block(size_t bytes, bool zeroFill = true);

    explicit operator bool() const noexcept { return bytes_ != nullptr; }
    uint8_t* Data() noexcept { return bytes_.get(); }
    const uint8_t* Data() const noexcept { return bytes_.get(); }
    size_t Size() const noexcept { return size_; }
    std::span<const uint8_t> Bytes() const noexcept { return {bytes_.get(), size_}; }
    PictureSpan Span() const noexcept { return PictureSpan(Bytes()); }

    uint32_t HeaderSize() const { return Span().HeaderSize(); }
    uint32_t Width() const { return Span().Width(); }
    uint32_t Height() const { return Span().Height(); }
    uint16_t BitCount() const { return Span().BitCount(); }
    uint16_t ColorCount() const { return Span().ColorCount(); }
    uint32_t ColorTableSize() const { return Span().ColorTableSize(); }
    ColorTriple Color(unsigned index) const { return Span().Color(index); }
    size_t PixelOffset() const { return Span().PixelOffset(); }
    uint64_t RowBytes() const { return Span().RowBytes(); }
    const uint8_t* Pixels() const { return Span().Pixels(); }
    uint8_t* Pixels() { return bytes_ ? Data() + PixelOffset() : nullptr; }
    const uint8_t* Row(uint32_t memoryRow) const { return Span().Row(memoryRow); }
    uint8_t* Row(uint32_t memoryRow) { return Pixels() + memoryRow * RowBytes(); }

    // Grows or shrinks the block, keeping its leading bytes; new bytes are
    // zero. False (block unchanged) when memory fails.
    bool Resize(size_t bytes);
    Picture Clone() const;
    void Reset() noexcept;

private:
    std::unique_ptr<uint8_t[], detail::BlockReturner> bytes_;
    size_t size_ = 0;
};

inline PictureSpan::PictureSpan(const Picture& picture) noexcept : bytes_(picture.Bytes()) {}

}  // namespace lumora
