#include "core/formats/tga_reader.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "core/picture/byte_order.h"
#include "core/formats/reader_block.h"
#include "core/picture/reader_progress.h"
#include "core/formats/tga_input.h"

namespace lumora {
namespace {

constexpr size_t kHeaderSize = 18;
constexpr uint8_t kTopOriginBit = 0x20;
constexpr unsigned kLongestPacket = 128;

// Five-bit colour components of plain 16-bit pixels and colour-map entries
// stretched to 0..255.
constexpr std::array<uint8_t, 32> kExpand5 = {0,   8,   16,  24,  32,  41,  49,  57,  65,  74,  82,
                                              90,  98,  106, 115, 123, 131, 139, 148, 156, 164, 172,
                                              180, 189, 197, 205, 213, 222, 230, 238, 246, 255};

enum class Kind { Indexed, TrueColor, Grey };

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t mapType = 0;
    uint8_t imageType = 0;
    uint16_t mapLength = 0;
    uint8_t mapEntryBits = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    unsigned pixelBytes = 0;
    uint8_t descriptor = 0;

    static TgaHeader Parse(const uint8_t* b)
    {
        TgaHeader h;
        h.idLength = b[0];
        h.mapType = b[1];
        h.imageType = b[2];
        h.mapLength = ReadLE16(b + 5);
        h.mapEntryBits = b[7];
        h.width = ReadLE16(b + 12);
        h.height = ReadLE16(b + 14);
        const unsigned depth = b[16] == 15 ? 16 : b[16];
        h.pixelBytes = depth / 8;
        h.descriptor = b[17];
        return h;
    }

    bool RunLength() const { return imageType >= 9; }
    Kind PictureKind() const
    {
        switch (imageType) {
        case 1: case 9: return Kind::Indexed;
        case 2: case 10: return Kind::TrueColor;
        default: return Kind::Grey;
        }
    }
    bool Accepted() const
    {
        switch (imageType) {
        case 1: case 9: return pixelBytes == 1 || pixelBytes == 2;
        case 2: case 10: return pixelBytes >= 2 && pixelBytes <= 4;
        case 3: case 11: return pixelBytes == 1;
        default: return false;
        }
    }
    bool HasColorMap() const { return mapType != 0 && mapLength != 0; }
    // 15-bit entries take two bytes, like 15-bit pixels.
    unsigned MapEntryBytes() const { return (mapEntryBits + 7u) / 8u; }
    uint64_t MapBytes() const { return HasColorMap() ? uint64_t{mapLength} * MapEntryBytes() : 0; }
};

// Turns `pixels` file pixels into DIB pixels (one index or blue, green, red).
using SpanConverter = void (*)(const uint8_t* in, uint8_t* out, size_t pixels);

void CopyBytes(const uint8_t* in, uint8_t* out, size_t pixels) { std::memcpy(out, in, pixels); }
void CopyTriples(const uint8_t* in, uint8_t* out, size_t pixels) { std::memcpy(out, in, pixels * 3); }

void TakeLowBytes(const uint8_t* in, uint8_t* out, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i)
        out[i] = in[i * 2];
}

void DropFourthBytes(const uint8_t* in, uint8_t* out, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, in += 4, out += 3) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
    }
}

// Plain 16-bit pixels go through the expansion table (white stays 255)...
void Expand16(const uint8_t* in, uint8_t* out, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, in += 2, out += 3) {
        const unsigned v = ReadLE16(in);
        out[0] = kExpand5[v & 31];
        out[1] = kExpand5[(v >> 5) & 31];
        out[2] = kExpand5[(v >> 10) & 31];
    }
}

// ...run-length ones are only shifted, so their white is 248, 248, 248.
void Shift16(const uint8_t* in, uint8_t* out, size_t pixels)
{
    for (size_t i = 0; i < pixels; ++i, in += 2, out += 3) {
        const unsigned v = ReadLE16(in);
        out[0] = static_cast<uint8_t>((v & 31) << 3);
        out[1] = static_cast<uint8_t>(((v >> 5) & 31) << 3);
        out[2] = static_cast<uint8_t>(((v >> 10) & 31) << 3);
    }
}

SpanConverter ConverterFor(const TgaHeader& h)
{
    if (h.PictureKind() != Kind::TrueColor)
        return h.pixelBytes == 1 ? CopyBytes : TakeLowBytes;
    switch (h.pixelBytes) {
    case 2: return h.RunLength() ? Shift16 : Expand16;
    case 3: return CopyTriples;
    default: return DropFourthBytes;
    }
}

// The colours an 8-bit picture gets: the file's colour map, or for grey
// files a ramp. Entries the file leaves out are black.
using ColorStore = std::array<ColorTriple, 256>;

class TgaReader {
public:
    TgaReader(ByteSource& source, const TgaHeader& header)
        : input_(source), h_(header), convert_(ConverterFor(header))
    {
    }

    ReadResult Read(const ReadOptions& options)
    {
        const bool eightBit = h_.PictureKind() != Kind::TrueColor;
        outBytes_ = eightBit ? 1 : 3;
        ReadResult made = AllocPictureToFill(h_.width, h_.height, eightBit ? 8 : 24, options);
        if (!made)
            return made;
        Picture dib = std::move(made.picture);
        ReaderProgress progress(options.progress);
        if (!input_.Skip(h_.idLength) || !ReadColorMap())
            return ReadFailed(ReadError::Damaged);
        if (eightBit)
            WriteColorTable(dib.Data());

        uint8_t* pixels = dib.Pixels();
        const uint64_t stride = PictureRowBytes(h_.width, eightBit ? 8 : 24);
        const size_t rowBytes = size_t{h_.width} * outBytes_;
        const bool topOrigin = (h_.descriptor & kTopOriginBit) != 0;
        for (unsigned row = 0; row < h_.height; ++row) {
            if (options.StopRequested())
                return ReadFailed(ReadError::Stopped);
            // Rows are stored bottom first unless the file says otherwise.
            const unsigned memoryRow = topOrigin ? h_.height - 1 - row : row;
            uint8_t* out = pixels + memoryRow * stride;
            std::memset(out + rowBytes, 0, stride - rowBytes);
            if (!(h_.RunLength() ? DecodeRunLengthRow(out) : DecodePlainRow(out)))
                return ReadFailed(ReadError::Damaged);
            progress.Step(row + 1, h_.height);
        }
        return dib;
    }

private:
    bool ReadColorMap()
    {
        if (!h_.HasColorMap())
            return true;
        if (h_.PictureKind() != Kind::Indexed)
            return input_.Skip(h_.MapBytes());
        const unsigned entryBytes = h_.MapEntryBytes();
        if (entryBytes < 2 || entryBytes > 4)
            return false;
        for (unsigned i = 0; i < h_.mapLength; ++i) {
            const uint8_t* entry = input_.Take(entryBytes);
            if (!entry)
                return false;
            if (i >= colors_.size())
                continue;
            if (entryBytes == 2) {
                const unsigned v = ReadLE16(entry);
                colors_[i] = {kExpand5[(v >> 10) & 31], kExpand5[(v >> 5) & 31], kExpand5[v & 31]};
            } else {
                colors_[i] = {entry[2], entry[1], entry[0]};
            }
        }
        return true;
    }

    void WriteColorTable(uint8_t* dib)
    {
        if (h_.PictureKind() == Kind::Grey)
            for (unsigned i = 0; i < colors_.size(); ++i) {
                const uint8_t level = static_cast<uint8_t>(i);
                colors_[i] = {level, level, level};
            }
        uint8_t* table = dib + kInfoHeaderSize;
        for (const ColorTriple& c : colors_) {
            *table++ = c.blue;
            *table++ = c.green;
            *table++ = c.red;
            *table++ = 0;
        }
    }

    bool DecodePlainRow(uint8_t* out)
    {
        const uint8_t* in = input_.Take(size_t{h_.width} * h_.pixelBytes);
        if (!in)
            return false;
        convert_(in, out, h_.width);
        return true;
    }

    // Packets run on from one row into the next.
    bool DecodeRunLengthRow(uint8_t* out)
    {
        const unsigned bytes = h_.pixelBytes;
        unsigned x = 0;
        while (x < h_.width) {
            if (packetLeft_ == 0 && !StartPacket())
                return false;
            const unsigned n = std::min(packetLeft_, h_.width - x);
            uint8_t* target = out + size_t{x} * outBytes_;
            if (packetIsRun_) {
                for (unsigned k = 0; k < n; ++k, target += outBytes_)
                    std::memcpy(target, runPixel_, outBytes_);
            } else {
                const uint8_t* in = input_.Take(size_t{n} * bytes);
                if (!in)
                    return false;
                convert_(in, target, n);
            }
            x += n;
            packetLeft_ -= n;
        }
        return true;
    }

    bool StartPacket()
    {
        const uint8_t* header = input_.Take(1);
        if (!header)
            return false;
        packetLeft_ = (header[0] & 0x7Fu) + 1;
        packetIsRun_ = (header[0] & 0x80) != 0;
        if (!packetIsRun_)
            return true;
        const uint8_t* pixel = input_.Take(h_.pixelBytes);
        if (!pixel)
            return false;
        convert_(pixel, runPixel_, 1);
        return true;
    }

    TgaInput input_;
    TgaHeader h_;
    SpanConverter convert_;
    ColorStore colors_{};
    unsigned outBytes_ = 1;
    unsigned packetLeft_ = 0;
    bool packetIsRun_ = false;
    uint8_t runPixel_[3] = {};
};

// A file too short for its pixels is refused before the picture is
// allocated, so that a damaged header cannot ask for a huge block. A packet
// covers at most 128 pixels.
bool FileCanHoldPixels(const TgaHeader& h, uint64_t bytesAfterHeader)
{
    const uint64_t preamble = uint64_t{h.idLength} + h.MapBytes();
    if (bytesAfterHeader < preamble)
        return false;
    const uint64_t available = bytesAfterHeader - preamble;
    const uint64_t pixels = uint64_t{h.width} * h.height;
    const uint64_t least = h.RunLength() ? (pixels + kLongestPacket - 1) / kLongestPacket * (1 + h.pixelBytes)
                                         : pixels * h.pixelBytes;
    return available >= least;
}

}  // namespace

ReadResult ReadTGAFromSource(ByteSource& source, const ReadOptions& options)
{
    // Targa files carry no signature: a header that makes no sense is taken
    // for another kind of file.
    uint8_t raw[kHeaderSize];
    if (!source.ReadExactly(raw, sizeof raw))
        return ReadFailed(ReadError::NotThisType);
    const TgaHeader header = TgaHeader::Parse(raw);
    if (!header.Accepted())
        return ReadFailed(ReadError::NotThisType);
    if (!FileCanHoldPixels(header, source.Remaining()))
        return ReadFailed(ReadError::Damaged);
    return TgaReader(source, header).Read(options);
}

ReadResult ReadTGAFile(const PictureFile& file, const ReadOptions& options)
{
    PictureFileSource source(file);
    return ReadTGAFromSource(source, options);
}

ReadResult ReadTGAFile(const std::string& path, const ReadOptions& options)
{
    const PictureFile file = PictureFile::Open(path);
    if (!file)
        return ReadFailed(file.Error());
    return ReadTGAFile(file, options);
}

}  // namespace lumora
