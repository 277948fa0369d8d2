#include "core/picture/dib.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "core/picture/app_palette.h"
#include "core/picture/block_pool.h"
#include "core/picture/byte_order.h"

namespace lumora {

BitmapInfoHeader BitmapInfoHeader::Read(const uint8_t* b)
{
    BitmapInfoHeader h;
    h.size = ReadLE32(b);
    h.width = ReadLE32Signed(b + 4);
    h.height = ReadLE32Signed(b + 8);
    h.planes = ReadLE16(b + 12);
    h.bitCount = ReadLE16(b + 14);
    h.compression = ReadLE32(b + 16);
    h.sizeImage = ReadLE32(b + 20);
    h.xPelsPerMeter = ReadLE32Signed(b + 24);
    h.yPelsPerMeter = ReadLE32Signed(b + 28);
    h.clrUsed = ReadLE32(b + 32);
    h.clrImportant = ReadLE32(b + 36);
    return h;
}

void BitmapInfoHeader::Write(uint8_t* b) const
{
    WriteLE32(b, size);
    WriteLE32(b + 4, static_cast<uint32_t>(width));
    WriteLE32(b + 8, static_cast<uint32_t>(height));
    WriteLE16(b + 12, planes);
    WriteLE16(b + 14, bitCount);
    WriteLE32(b + 16, compression);
    WriteLE32(b + 20, sizeImage);
    WriteLE32(b + 24, static_cast<uint32_t>(xPelsPerMeter));
    WriteLE32(b + 28, static_cast<uint32_t>(yPelsPerMeter));
    WriteLE32(b + 32, clrUsed);
    WriteLE32(b + 36, clrImportant);
}

HDIB::HDIB(HDIB&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0))
{
}

HDIB& HDIB::operator=(HDIB&& other) noexcept
{
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    return *this;
}

void detail::BlockReturner::operator()(uint8_t* bytes) const noexcept
{
    GivePictureBlock({bytes, capacity});
}

HDIB HDIB::Allocate(size_t bytes, bool zeroFill)
{
    HDIB dib;
    if (bytes == 0)
        bytes = 1;  // a block always has an address, like a global block
    const PictureBlock block = TakePictureBlock(bytes);
    if (!block.bytes)
        return dib;
    if (zeroFill)
        std::memset(block.bytes, 0, bytes);
    dib.bytes_ = std::unique_ptr<uint8_t[], detail::BlockReturner>(block.bytes, detail::BlockReturner{block.capacity});
    dib.size_ = bytes;
    return dib;
}

HDIB HDIB::FromBytes(std::span<const uint8_t> bytes)
{
    HDIB dib = Allocate(bytes.size(), false);
    if (dib && !bytes.empty())
        std::memcpy(dib.Data(), bytes.data(), bytes.size());
    return dib;
}

bool HDIB::Resize(size_t bytes)
{
    HDIB bigger = Allocate(bytes, false);
    if (!bigger)
        return false;
    const size_t kept = std::min(bytes, size_);
    if (kept)
        std::memcpy(bigger.Data(), Data(), kept);
    if (bytes > kept)
        std::memset(bigger.Data() + kept, 0, bytes - kept);
    *this = std::move(bigger);
    return true;
}

HDIB HDIB::Clone() const
{
    return *this ? FromBytes(Bytes()) : HDIB{};
}

void HDIB::Reset() noexcept
{
    bytes_.reset();
    size_ = 0;
}

uint32_t DIBHeaderSize(const uint8_t* dib) { return ReadLE32(dib); }

static bool IsCoreHeader(const uint8_t* dib) { return DIBHeaderSize(dib) == kCoreHeaderSize; }

uint16_t DIBBitCount(const uint8_t* dib)
{
    return IsCoreHeader(dib) ? ReadLE16(dib + 10) : ReadLE16(dib + 14);
}

uint16_t DIBColorCount(const uint8_t* dib)
{
    if (!IsCoreHeader(dib)) {
        const uint32_t used = ReadLE32(dib + 32);
        if (used != 0)
            return static_cast<uint16_t>(used);
    }
    switch (DIBBitCount(dib)) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint32_t DIBColorTableSize(const uint8_t* dib)
{
    return DIBColorCount(dib) * (IsCoreHeader(dib) ? 3u : 4u);
}

uint32_t DIBPixelWidth(const uint8_t* dib)
{
    return IsCoreHeader(dib) ? ReadLE16(dib + 4) : ReadLE32(dib + 4);
}

uint32_t DIBPixelHeight(const uint8_t* dib)
{
    return IsCoreHeader(dib) ? ReadLE16(dib + 6) : ReadLE32(dib + 8);
}

size_t DIBPixelOffset(const uint8_t* dib)
{
    // Bit-field pictures keep three 32-bit masks where the table would be.
    if (!IsCoreHeader(dib) && ReadLE32(dib + 16) == kCompressionBitFields)
        return DIBHeaderSize(dib) + 12;
    return DIBHeaderSize(dib) + DIBColorTableSize(dib);
}

uint8_t* DIBPixels(uint8_t* dib) { return dib + DIBPixelOffset(dib); }
const uint8_t* DIBPixels(const uint8_t* dib) { return dib + DIBPixelOffset(dib); }

ColorTriple DIBColor(const uint8_t* dib, unsigned index)
{
    if (index >= DIBColorCount(dib))
        return {};
    const bool core = IsCoreHeader(dib);
    const uint8_t* entry = dib + DIBHeaderSize(dib) + index * (core ? 3u : 4u);
    return {entry[2], entry[1], entry[0]};
}

uint16_t DIBColorCountOf(const HDIB& dib)
{
    return dib ? DIBColorCount(dib.Data()) : 0;
}

bool IsValidDIB(std::span<const uint8_t> block)
{
    if (block.size() < 4)
        return false;
    const uint8_t* dib = block.data();
    const uint32_t headerSize = DIBHeaderSize(dib);
    if ((headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize) ||
        block.size() < headerSize)
        return false;
    const int64_t width = IsCoreHeader(dib) ? ReadLE16(dib + 4) : ReadLE32Signed(dib + 4);
    const int64_t height = IsCoreHeader(dib) ? ReadLE16(dib + 6) : ReadLE32Signed(dib + 8);
    const uint16_t bits = DIBBitCount(dib);
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return false;
    if (!IsCoreHeader(dib) && ReadLE32(dib + 16) != kCompressionNone)
        return false;
    if (!IsCoreHeader(dib) && ReadLE32(dib + 32) > 0xFFFF)
        return false;
    const uint64_t pixelBytes = DIBRowBytes(static_cast<uint64_t>(width), bits) *
                                static_cast<uint64_t>(height);
    if (pixelBytes > kMaxPixelBytes)
        return false;
    return uint64_t{DIBPixelOffset(dib)} + pixelBytes <= block.size();
}

HDIB AllocateDIBBlock(int32_t width, int32_t height, int bitCount, bool zeroFill)
{
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 24)
        return {};
    if (width <= 0 || height <= 0)
        return {};
    const uint64_t pixelBytes = DIBRowBytes(static_cast<uint64_t>(width),
                                            static_cast<uint64_t>(bitCount)) *
                                static_cast<uint64_t>(height);
    if (pixelBytes > kMaxPixelBytes)
        return {};
    const uint32_t colors = bitCount == 24 ? 0u : (1u << bitCount);
    HDIB dib = HDIB::Allocate(kInfoHeaderSize + colors * 4 + pixelBytes, zeroFill);
    if (!dib)
        return {};
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(bitCount);
    header.clrUsed = bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
    header.Write(dib.Data());
    if (!zeroFill)
        std::memset(dib.Data() + kInfoHeaderSize, 0, colors * 4);
    return dib;
}

HDIB AllocDIB(int32_t width, int32_t height, int bitCount)
{
    if (bitCount < 2)
        bitCount = 1;
    else if (bitCount < 5)
        bitCount = 4;
    else if (bitCount < 9)
        bitCount = 8;
    else if (bitCount < 25)
        bitCount = 24;
    else
        bitCount = 4;
    HDIB dib = AllocateDIBBlock(width, height, bitCount, true);
    if (dib && (bitCount == 4 || bitCount == 8)) {
        uint8_t* table = dib.Data() + kInfoHeaderSize;
        for (uint32_t i = 0; i < (1u << bitCount); ++i) {
            const ColorTriple c = kSixteenColors[i % 16];
            table[i * 4] = c.blue;
            table[i * 4 + 1] = c.green;
            table[i * 4 + 2] = c.red;
            table[i * 4 + 3] = 0;
        }
    }
    return dib;
}

HDIB DestroyDIB(HDIB& dib)
{
    dib.Reset();
    return {};
}

}  // namespace lumora
