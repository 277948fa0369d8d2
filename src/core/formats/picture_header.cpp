#include "core/formats/picture_header.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

#include "core/formats/image_format.h"
#include "core/picture/picture_limits.h"

namespace lumora {
namespace {

// However a file is built, its header is looked for within this many bytes.
constexpr uint64_t kHeaderSearchLimit = 16u << 20;

uint32_t LE16(const uint8_t* p) { return p[0] | (p[1] << 8); }
uint32_t LE24(const uint8_t* p) { return LE16(p) | (uint32_t{p[2]} << 16); }
uint32_t LE32(const uint8_t* p) { return LE24(p) | (uint32_t{p[3]} << 24); }
uint32_t BE16(const uint8_t* p) { return (p[0] << 8) | p[1]; }
uint32_t BE32(const uint8_t* p) { return (uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) | BE16(p + 2); }
uint64_t LE64(const uint8_t* p) { return LE32(p) | (uint64_t{LE32(p + 4)} << 32); }
uint64_t BE64(const uint8_t* p) { return (uint64_t{BE32(p)} << 32) | BE32(p + 4); }

// width x height, at most the largest uint64_t.
uint64_t Area(uint64_t width, uint64_t height)
{
    if (height != 0 && width > std::numeric_limits<uint64_t>::max() / height)
        return std::numeric_limits<uint64_t>::max();
    return width * height;
}

bool ReadAt(ByteSource& source, uint64_t offset, void* buffer, size_t count)
{
    return offset + count <= source.Length() && source.SeekTo(offset) && source.ReadExactly(buffer, count);
}

// Moves `at` to the next `wanted` byte within the search limit.
bool SkipToByte(ByteSource& source, uint8_t wanted, uint64_t& at)
{
    uint8_t block[4096];
    while (at < kHeaderSearchLimit && source.SeekTo(at)) {
        const size_t got = source.Read(block, sizeof block);
        if (got == 0)
            return false;
        const uint8_t* found = std::find(block, block + got, wanted);
        if (found != block + got) {
            at += static_cast<uint64_t>(found - block);
            return true;
        }
        at += got;
    }
    return false;
}

std::optional<PictureHeader> Announced(uint64_t width, uint64_t height)
{
    if (width == 0 || height == 0)
        return std::nullopt;
    return PictureHeader{width, height};
}

std::optional<PictureHeader> BitmapHeader(ByteSource& source)
{
    uint8_t bytes[26];
    if (!ReadAt(source, 0, bytes, sizeof bytes) || bytes[0] != 'B' || bytes[1] != 'M' || LE32(bytes + 14) < 40)
        return std::nullopt;
    const auto height = static_cast<int32_t>(LE32(bytes + 22));
    const auto width = static_cast<int32_t>(LE32(bytes + 18));
    if (width <= 0 || height == INT32_MIN)
        return std::nullopt;
    return Announced(static_cast<uint64_t>(width), static_cast<uint64_t>(height < 0 ? -height : height));
}

std::optional<PictureHeader> PcxHeader(ByteSource& source)
{
    uint8_t bytes[12];
    if (!ReadAt(source, 0, bytes, sizeof bytes) || bytes[0] != 0x0A || bytes[2] > 1)
        return std::nullopt;
    const uint32_t left = LE16(bytes + 4), top = LE16(bytes + 6), right = LE16(bytes + 8), bottom = LE16(bytes + 10);
    if (right < left || bottom < top)
        return std::nullopt;
    return Announced(right - left + 1, bottom - top + 1);
}

std::optional<PictureHeader> GifHeader(ByteSource& source)
{
    uint8_t bytes[10];
    if (!ReadAt(source, 0, bytes, sizeof bytes) ||
        (std::memcmp(bytes, "GIF87a", 6) != 0 && std::memcmp(bytes, "GIF89a", 6) != 0))
        return std::nullopt;
    return Announced(LE16(bytes + 6), LE16(bytes + 8));
}

// Walks the markers up to the first frame header.
std::optional<PictureHeader> JpegHeader(ByteSource& source)
{
    uint8_t start[2];
    if (!ReadAt(source, 0, start, 2) || start[0] != 0xFF || start[1] != 0xD8)
        return std::nullopt;
    uint64_t at = 2;
    while (at < kHeaderSearchLimit) {
        uint8_t marker[2];
        if (!ReadAt(source, at, marker, 2))
            return std::nullopt;
        if (marker[0] != 0xFF) {  // junk before a marker, which libjpeg skips
            if (!SkipToByte(source, 0xFF, at))
                return std::nullopt;
            continue;
        }
        if (marker[1] == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        const uint8_t code = marker[1];
        if (code == 0x01 || (code >= 0xD0 && code <= 0xD7)) {  // no length
            at += 2;
            continue;
        }
        if (code == 0xD9 || code == 0xDA)  // end of image or scan before any frame
            return std::nullopt;
        uint8_t segment[7];
        if (!ReadAt(source, at + 2, segment, 2))
            return std::nullopt;
        const uint32_t length = BE16(segment);
        if (length < 2)
            return std::nullopt;
        const bool frame = code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
        if (frame) {
            if (length < 8 || !ReadAt(source, at + 2, segment, sizeof segment))
                return std::nullopt;
            return Announced(BE16(segment + 5), BE16(segment + 3));
        }
        at += 2 + length;
    }
    return std::nullopt;
}

std::optional<PictureHeader> TargaHeader(ByteSource& source)
{
    uint8_t bytes[18];
    if (!ReadAt(source, 0, bytes, sizeof bytes))
        return std::nullopt;
    const uint8_t colourMap = bytes[1], type = bytes[2], depth = bytes[16];
    const bool knownType = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
    const bool knownDepth = depth == 8 || depth == 15 || depth == 16 || depth == 24 || depth == 32;
    if (colourMap > 1 || !knownType || !knownDepth)
        return std::nullopt;
    return Announced(LE16(bytes + 12), LE16(bytes + 14));
}

std::optional<PictureHeader> PhotoCdHeader(ByteSource& source)
{
    char signature[7];
    if (!ReadAt(source, 2048, signature, sizeof signature) || std::memcmp(signature, "PCD_IPI", 7) != 0)
        return std::nullopt;
    return PictureHeader{3072, 2048};  // the largest of a pack's pictures
}

// The first directory's ImageWidth and ImageLength, classic or BigTIFF.
std::optional<PictureHeader> TiffHeader(ByteSource& source)
{
    uint8_t head[16];
    if (!ReadAt(source, 0, head, 8))
        return std::nullopt;
    const bool little = head[0] == 'I' && head[1] == 'I';
    if (!little && !(head[0] == 'M' && head[1] == 'M'))
        return std::nullopt;
    const auto u16 = [little](const uint8_t* p) { return little ? LE16(p) : BE16(p); };
    const auto u32 = [little](const uint8_t* p) { return little ? LE32(p) : BE32(p); };
    const auto u64 = [little](const uint8_t* p) { return little ? LE64(p) : BE64(p); };
    const uint32_t version = u16(head + 2);
    const bool big = version == 43;
    if (version != 42 && !big)
        return std::nullopt;
    uint64_t directory = 0;
    if (big) {
        if (!ReadAt(source, 0, head, 16) || u16(head + 4) != 8)
            return std::nullopt;
        directory = u64(head + 8);
    } else {
        directory = u32(head + 4);
    }
    uint8_t countBytes[8];
    if (directory < 8 || !ReadAt(source, directory, countBytes, big ? 8 : 2))
        return std::nullopt;
    const uint64_t count = std::min<uint64_t>(big ? u64(countBytes) : u16(countBytes), 4096);
    const size_t entrySize = big ? 20 : 12;
    uint64_t width = 0, height = 0;
    for (uint64_t i = 0; i < count; ++i) {
        uint8_t entry[20];
        if (!ReadAt(source, directory + (big ? 8 : 2) + i * entrySize, entry, entrySize))
            return std::nullopt;
        const uint32_t tag = u16(entry), type = u16(entry + 2);
        const uint8_t* value = entry + (big ? 12 : 8);
        const uint64_t number = type == 3 ? u16(value) : type == 4 ? u32(value) : type == 16 ? u64(value) : 0;
        if (tag == 256)
            width = number;
        else if (tag == 257)
            height = number;
    }
    return Announced(width, height);
}

std::optional<PictureHeader> PngHeader(ByteSource& source)
{
    static constexpr uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    uint8_t bytes[24];
    if (!ReadAt(source, 0, bytes, sizeof bytes) || std::memcmp(bytes, kSignature, 8) != 0 ||
        std::memcmp(bytes + 12, "IHDR", 4) != 0)
        return std::nullopt;
    return Announced(BE32(bytes + 16), BE32(bytes + 20));
}

std::optional<PictureHeader> WebpHeader(ByteSource& source)
{
    uint8_t bytes[30];
    if (!ReadAt(source, 0, bytes, sizeof bytes) || std::memcmp(bytes, "RIFF", 4) != 0 ||
        std::memcmp(bytes + 8, "WEBP", 4) != 0)
        return std::nullopt;
    const uint8_t* chunk = bytes + 12;
    const uint8_t* data = bytes + 20;
    if (std::memcmp(chunk, "VP8X", 4) == 0)
        return Announced(LE24(data + 4) + uint64_t{1}, LE24(data + 7) + uint64_t{1});
    if (std::memcmp(chunk, "VP8L", 4) == 0) {
        if (data[0] != 0x2F)
            return std::nullopt;
        const uint32_t bits = LE32(data + 1);
        return Announced((bits & 0x3FFF) + uint64_t{1}, ((bits >> 14) & 0x3FFF) + uint64_t{1});
    }
    if (std::memcmp(chunk, "VP8 ", 4) == 0) {
        if (data[3] != 0x9D || data[4] != 0x01 || data[5] != 0x2A)
            return std::nullopt;
        return Announced(LE16(data + 6) & 0x3FFF, LE16(data + 8) & 0x3FFF);
    }
    return std::nullopt;
}

bool IsHeifBrand(const uint8_t* brand)
{
    static constexpr std::array<const char*, 11> kBrands = {"heic", "heix", "hevc", "hevx", "heim", "heis",
                                                            "mif1", "msf1", "avif", "avis", "mif2"};
    return std::any_of(kBrands.begin(), kBrands.end(),
                       [brand](const char* known) { return std::memcmp(brand, known, 4) == 0; });
}

// The "ftyp" box naming a HEIF brand, then the largest image extent
// ("ispe") announced in the "meta" box.
std::optional<PictureHeader> HeifHeader(ByteSource& source)
{
    uint8_t box[8];
    if (!ReadAt(source, 0, box, 8) || std::memcmp(box + 4, "ftyp", 4) != 0)
        return std::nullopt;
    const uint32_t typeSize = BE32(box);
    if (typeSize < 16 || typeSize > 4096)
        return std::nullopt;
    std::vector<uint8_t> brands(typeSize - 8);
    if (!ReadAt(source, 8, brands.data(), brands.size()))
        return std::nullopt;
    bool known = IsHeifBrand(brands.data());
    for (size_t at = 8; at + 4 <= brands.size(); at += 4)
        known = known || IsHeifBrand(brands.data() + at);
    if (!known)
        return std::nullopt;
    uint64_t at = typeSize;
    while (at < kHeaderSearchLimit && ReadAt(source, at, box, 8)) {
        const uint64_t size = BE32(box);
        if (std::memcmp(box + 4, "meta", 4) == 0) {
            if (size < 8 || size > kHeaderSearchLimit)
                return std::nullopt;
            std::vector<uint8_t> meta(size - 8);
            if (!ReadAt(source, at + 8, meta.data(), meta.size()))
                return std::nullopt;
            PictureHeader largest;
            for (size_t i = 4; i + 16 <= meta.size(); ++i) {
                if (std::memcmp(meta.data() + i, "ispe", 4) != 0)
                    continue;
                const uint64_t width = BE32(meta.data() + i + 8), height = BE32(meta.data() + i + 12);
                if (Area(width, height) > Area(largest.width, largest.height))
                    largest = {width, height};
            }
            return Announced(largest.width, largest.height);
        }
        if (size < 8)
            return std::nullopt;
        at += size;
    }
    return std::nullopt;
}

}  // namespace

std::optional<PictureHeader> ReadPictureHeader(int format, ByteSource& source)
{
    switch (format) {
    case kFormatBMP:
    case kFormatRLE:
    case kFormatDIB: return BitmapHeader(source);
    case kFormatPCX: return PcxHeader(source);
    case kFormatGIF: return GifHeader(source);
    case kFormatJPG: return JpegHeader(source);
    case kFormatPCD: return PhotoCdHeader(source);
    case kFormatTGA: return TargaHeader(source);
    case kFormatTIF: return TiffHeader(source);
    case kFormatPNG: return PngHeader(source);
    case kFormatWEBP: return WebpHeader(source);
    case kFormatHEIF: return HeifHeader(source);
    default: return std::nullopt;
    }
}

uint64_t PlausiblePictureFileSize(int format, const PictureHeader& header)
{
    constexpr uint64_t kMetadataAllowance = 32u << 20;
    const uint64_t bytesPerPixel = format == kFormatGIF || format == kFormatTIF ? 64 : 16;
    // The limit keeps the product far from overflowing.
    const uint64_t pixels = std::min(Area(header.width, header.height), MaxPicturePixels());
    return pixels * bytesPerPixel + kMetadataAllowance;
}

}  // namespace lumora
