#include "core/picture/picture.h"

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

// --- Reading a block -------------------------------------------------------

uint32_t PictureSpan::HeaderSize() const { return IsEmpty() ? 0 : ReadLE32(Data()); }

bool PictureSpan::IsCoreHeader() const { return HeaderSize() == kCoreHeaderSize; }

uint16_t PictureSpan::BitCount() const
{
    if (IsEmpty())
        return 0;
    return IsCoreHeader() ? ReadLE16(Data() + 10) : ReadLE16(Data() + 14);
}

uint16_t PictureSpan::ColorCount() const
{
    if (IsEmpty())
        return 0;
    if (!IsCoreHeader()) {
        const uint32_t used = ReadLE32(Data() + 32);
        if (used != 0)
            return static_cast<uint16_t>(used);
    }
    switch (BitCount()) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

uint32_t PictureSpan::ColorTableSize() const
{
    return ColorCount() * (IsCoreHeader() ? 3u : 4u);
}

uint32_t PictureSpan::Width() const
{
    if (IsEmpty())
        return 0;
    return IsCoreHeader() ? ReadLE16(Data() + 4) : ReadLE32(Data() + 4);
}

uint32_t PictureSpan::Height() const
{
    if (IsEmpty())
        return 0;
    return IsCoreHeader() ? ReadLE16(Data() + 6) : ReadLE32(Data() + 8);
}

size_t PictureSpan::PixelOffset() const
{
    if (IsEmpty())
        return 0;
    // Bit-field pictures keep three 32-bit masks where the table would be.
    if (!IsCoreHeader() && ReadLE32(Data() + 16) == kCompressionBitFields)
        return HeaderSize() + 12;
    return HeaderSize() + ColorTableSize();
}

const uint8_t* PictureSpan::Pixels() const
{
    return IsEmpty() ? nullptr : Data() + PixelOffset();
}

ColorTriple PictureSpan::Color(unsigned index) const
{
    if (index >= ColorCount())
        return {};
    const uint8_t* entry = Data() + HeaderSize() + index * (IsCoreHeader() ? 3u : 4u);
    return {entry[2], entry[1], entry[0]};
}

bool IsValidPicture(std::span<const uint8_t> block)
{
    if (block.size() < 4)
        return false;
    const PictureSpan picture(block);
    const uint8_t* bytes = block.data();
    const uint32_t headerSize = picture.HeaderSize();
    if ((headerSize != kInfoHeaderSize && headerSize != kCoreHeaderSize) ||
        block.size() < headerSize)
        return false;
    const bool core = headerSize == kCoreHeaderSize;
    const int64_t width = core ? ReadLE16(bytes + 4) : ReadLE32Signed(bytes + 4);
    const int64_t height = core ? ReadLE16(bytes + 6) : ReadLE32Signed(bytes + 8);
    const uint16_t bits = picture.BitCount();
    if (width <= 0 || height <= 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return false;
    if (!core && ReadLE32(bytes + 16) != kCompressionNone)
        return false;
    if (!core && ReadLE32(bytes + 32) > 0xFFFF)
        return false;
    const uint64_t pixelBytes = PictureRowBytes(static_cast<uint64_t>(width), bits) *
                                static_cast<uint64_t>(height);
    if (pixelBytes > kMaxPixelBytes)
        return false;
    return uint64_t{picture.PixelOffset()} + pixelBytes <= block.size();
}

// --- Owning a block --------------------------------------------------------

Picture::Picture(Picture&& other) noexcept
    : bytes_(std::move(other.bytes_)), size_(std::exchange(other.size_, 0))
{
}

Picture& Picture::operator=(Picture&& other) noexcept
{
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    return *this;
}

void detail::BlockReturner::operator()(uint8_t* bytes) const noexcept
{
    GivePictureBlock({bytes, capacity});
}

Picture Picture::Block(size_t bytes, bool zeroFill)
{
    Picture picture;
    if (bytes == 0)
        bytes = 1;  // a block always has an address, like a global block
    const PictureBlock block = TakePictureBlock(bytes);
    if (!block.bytes)
        return picture;
    if (zeroFill)
        std::memset(block.bytes, 0, bytes);
    picture.bytes_ = std::unique_ptr<uint8_t[], detail::BlockReturner>(
        block.bytes, detail::BlockReturner{block.capacity});
    picture.size_ = bytes;
    return picture;
}

Picture Picture::FromBytes(std::span<const uint8_t> bytes)
{
    Picture picture = Block(bytes.size(), false);
    if (picture && !bytes.empty())
        std::memcpy(picture.Data(), bytes.data(), bytes.size());
    return picture;
}

static int NormalisedBitCount(int bitCount)
{
    if (bitCount < 2)
        return 1;
    if (bitCount < 5)
        return 4;
    if (bitCount < 9)
        return 8;
    if (bitCount < 25)
        return 24;
    return 4;
}

static void FillSixteenColours(uint8_t* table, int bitCount)
{
    for (uint32_t i = 0; i < (1u << bitCount); ++i) {
        const ColorTriple c = kSixteenColors[i % 16];
        table[i * 4] = c.blue;
        table[i * 4 + 1] = c.green;
        table[i * 4 + 2] = c.red;
        table[i * 4 + 3] = 0;
    }
}

Picture Picture::Make(int32_t width, int32_t height, int bitCount, NewPicture how)
{
    bitCount = NormalisedBitCount(bitCount);
    if (width <= 0 || height <= 0)
        return {};
    const uint64_t pixelBytes = PictureRowBytes(static_cast<uint64_t>(width),
                                                static_cast<uint64_t>(bitCount)) *
                                static_cast<uint64_t>(height);
    if (pixelBytes > kMaxPixelBytes)
        return {};
    const uint32_t colors = bitCount == 24 ? 0u : (1u << bitCount);
    Picture picture = Block(kInfoHeaderSize + colors * 4 + pixelBytes, how.zeroPixels);
    if (!picture)
        return {};
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.bitCount = static_cast<uint16_t>(bitCount);
    header.clrUsed = bitCount == 4 ? 16 : bitCount == 8 ? 256 : 0;
    if (how.recordImageSize)  // readers count on the image size being filled in
        header.sizeImage = static_cast<uint32_t>(pixelBytes);
    header.Write(picture.Data());
    uint8_t* table = picture.Data() + kInfoHeaderSize;
    if (how.table == ColourTable::SixteenColours && colors > 2)
        FillSixteenColours(table, bitCount);
    else if (!how.zeroPixels)
        std::memset(table, 0, colors * 4);
    return picture;
}

bool Picture::Resize(size_t bytes)
{
    Picture bigger = Block(bytes, false);
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

Picture Picture::Clone() const
{
    return *this ? FromBytes(Bytes()) : Picture{};
}

void Picture::Reset() noexcept
{
    bytes_.reset();
    size_ = 0;
}

}  // namespace lumora
