#include "core/formats/pcx_reader.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "core/formats/buffered_file.h"
#include "core/picture/byte_order.h"
#include "core/formats/reader_block.h"
#include "core/picture/reader_progress.h"

namespace lumora {
namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint8_t kSupportedVersion = 5;
constexpr uint8_t kManufacturer = 0x0A;  // the first byte of every PCX file
constexpr uint64_t kHeaderPaletteOffset = 16;
constexpr uint64_t kVgaPaletteBytes = 768;
constexpr unsigned kLongestRun = 63;

struct PcxHeader {
    uint8_t version = 0;
    uint8_t bitsPerPlane = 0;
    uint8_t planes = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t bytesPerLine = 0;

    int Bits() const { return bitsPerPlane * planes; }
    uint64_t LineBytes() const { return uint64_t{planes} * bytesPerLine; }

    static PcxHeader Parse(const uint8_t* bytes)
    {
        PcxHeader h;
        h.version = bytes[1];
        h.bitsPerPlane = bytes[3];
        h.width = int32_t{ReadLE16(bytes + 8)} - int32_t{ReadLE16(bytes + 4)} + 1;
        h.height = int32_t{ReadLE16(bytes + 10)} - int32_t{ReadLE16(bytes + 6)} + 1;
        h.planes = bytes[65];
        h.bytesPerLine = ReadLE16(bytes + 66);
        return h;
    }
};

// Header checks, including those that keep a damaged file from asking for
// a huge picture: every plane line must hold a row of pixels, and the file
// must be long enough for the coded lines (a code byte yields at most 63).
// None when the file can be read. A header of another version or depth is
// an unsupported variant when the file begins as PCX files do, else some
// other kind of file.
ReadError CheckReadable(const PcxHeader& h, uint8_t manufacturer, uint64_t fileLength)
{
    const int bits = h.Bits();
    if (h.version != kSupportedVersion || (bits != 1 && bits != 4 && bits != 8 && bits != 24))
        return manufacturer == kManufacturer ? ReadError::Unsupported : ReadError::NotThisType;
    if (h.width <= 0 || h.height <= 0)
        return ReadError::Damaged;
    if (uint64_t{h.bytesPerLine} * 8 < uint64_t(h.width) * h.bitsPerPlane)
        return ReadError::Damaged;
    const uint64_t leastCodedLine = (h.LineBytes() + kLongestRun - 1) / kLongestRun;
    if (fileLength < kHeaderSize || (fileLength - kHeaderSize) / uint64_t(h.height) < leastCodedLine)
        return ReadError::Damaged;
    return bits != 8 || fileLength >= kVgaPaletteBytes ? ReadError::None : ReadError::Damaged;
}

class PcxReader {
public:
    PcxReader(BufferedFile& file, const PcxHeader& header) : file_(file), h_(header) {}

    ReadResult Read(const ReadOptions& options)
    {
        const int bits = h_.Bits();
        // Every row is copied whole from the line buffers, padding included.
        ReadResult made = AllocPictureToFill(h_.width, h_.height, bits, options);
        if (!made)
            return made;
        dib_ = std::move(made.picture);
        stride_ = PictureRowBytes(uint64_t(h_.width), bits);

        ReaderProgress progress(options.progress);
        if (bits != 24 && !ReadPalette(bits))
            return ReadFailed(ReadError::Damaged);
        if (!file_.Seek(kHeaderSize, File::Origin::Begin))
            return ReadFailed(ReadError::Damaged);
        SizeLineBuffers(bits);
        uint8_t* pixels = dib_.Pixels();
        for (int32_t line = 0; line < h_.height; ++line) {
            if (options.StopRequested())
                return ReadFailed(ReadError::Stopped);
            DecodeLine();
            // A file that ends before its last line is damaged.
            if (file_.PastEnd())
                return ReadFailed(ReadError::Damaged);
            const uint8_t* row = ConvertLine(bits);
            std::memcpy(pixels + uint64_t(h_.height - 1 - line) * stride_, row, stride_);
            progress.Step(line + 1, h_.height);
        }
        return std::move(dib_);
    }

private:
    // 1- and 4-bit pictures take their colours from the header, 8-bit ones
    // from the 768 bytes that end the file; red, green, blue per entry.
    bool ReadPalette(int bits)
    {
        const unsigned colors = 1u << bits;
        const bool ok = bits == 8 ? file_.Seek(-int64_t(kVgaPaletteBytes), File::Origin::End)
                                  : file_.Seek(kHeaderPaletteOffset, File::Origin::Begin);
        if (!ok)
            return false;
        uint8_t* table = dib_.Data() + kInfoHeaderSize;
        for (unsigned i = 0; i < colors; ++i) {
            table[i * 4 + 2] = file_.ReadByte();
            table[i * 4 + 1] = file_.ReadByte();
            table[i * 4 + 0] = file_.ReadByte();
            table[i * 4 + 3] = 0;
        }
        // Many 1-bit files leave the header palette empty (both entries
        // equal, usually black): such a picture is black on white.
        if (bits == 1 && std::memcmp(table, table + 4, 3) == 0) {
            std::memset(table, 0, 4);
            std::memset(table + 4, 255, 3);
        }
        return !file_.PastEnd();
    }

    // Runs are cut at lineLength_, the larger of a DIB row and a coded line;
    // the buffers themselves are long enough for every plane the
    // conversion reads, so malformed lines cannot take it out of bounds.
    void SizeLineBuffers(int bits)
    {
        lineLength_ = std::max<uint64_t>(stride_, h_.LineBytes());
        uint64_t planeSpan = h_.LineBytes();
        if (bits == 4)
            planeSpan = 4 * uint64_t{h_.bytesPerLine};
        else if (bits == 24)
            planeSpan = 3 * uint64_t{h_.bytesPerLine};
        line_.assign(std::max(lineLength_, planeSpan), 0);
        converted_.assign(std::max<uint64_t>(stride_, 4 * uint64_t{h_.bytesPerLine}), 0);
    }

    void DecodeLine()
    {
        uint8_t* line = line_.data();
        const uint64_t wanted = h_.LineBytes();
        uint64_t filled = 0;
        while (filled < wanted) {
            const uint8_t code = file_.ReadByte();
            if ((code & 0xC0) != 0xC0) {
                line[filled++] = code;  // filled < wanted <= lineLength_
                continue;
            }
            const uint64_t count = code & 0x3F;
            const uint8_t value = file_.ReadByte();
            if (file_.PastEnd())
                break;
            const uint64_t kept = std::min(count, lineLength_ - filled);
            for (uint64_t i = 0; i < kept; ++i)
                line[filled + i] = value;
            filled += count;
        }
        // What the line did not fill reads as zeros.
        const uint64_t end = std::min(filled, lineLength_);
        std::memset(line + end, 0, line_.size() - end);
    }

    const uint8_t* ConvertLine(int bits)
    {
        if (bits == 4) {
            SpreadPlanesToNibbles();
            return converted_.data();
        }
        if (bits == 24) {
            InterleaveRgbPlanes();
            return converted_.data();
        }
        return line_.data();
    }

    // Four 1-bit planes (plane 3 the high bit) become two pixels a byte.
    void SpreadPlanesToNibbles()
    {
        const uint32_t bpl = h_.bytesPerLine;
        const uint8_t* p0 = line_.data();
        const uint8_t* p1 = p0 + bpl;
        const uint8_t* p2 = p1 + bpl;
        const uint8_t* p3 = p2 + bpl;
        uint8_t* out = converted_.data();
        for (uint32_t i = 0; i < bpl; ++i) {
            for (int pair = 0; pair < 4; ++pair) {
                const int high = 7 - 2 * pair, low = high - 1;
                auto pixel = [&](int bit) {
                    return ((p3[i] >> bit) & 1) << 3 | ((p2[i] >> bit) & 1) << 2 |
                           ((p1[i] >> bit) & 1) << 1 | ((p0[i] >> bit) & 1);
                };
                *out++ = static_cast<uint8_t>(pixel(high) << 4 | pixel(low));
            }
        }
    }

    // Red, green and blue planes become blue, green, red pixels.
    void InterleaveRgbPlanes()
    {
        const uint32_t bpl = h_.bytesPerLine;
        const uint8_t* red = line_.data();
        const uint8_t* green = red + bpl;
        const uint8_t* blue = green + bpl;
        uint8_t* out = converted_.data();
        for (int32_t x = 0; x < h_.width; ++x, out += 3) {
            out[0] = blue[x];
            out[1] = green[x];
            out[2] = red[x];
        }
    }

    BufferedFile& file_;
    PcxHeader h_;
    Picture dib_;
    uint64_t stride_ = 0;
    uint64_t lineLength_ = 0;
    std::vector<uint8_t> line_;
    std::vector<uint8_t> converted_;
};

ReadResult ReadFrom(BufferedFile& file, const ReadOptions& options)
{
    if (!file.IsOpen())
        return ReadFailed(ReadError::NotFound);
    uint8_t raw[kHeaderSize];
    for (uint8_t& byte : raw)
        byte = file.ReadByte();
    if (file.PastEnd())
        return ReadFailed(raw[0] == kManufacturer ? ReadError::Damaged : ReadError::NotThisType);
    const PcxHeader header = PcxHeader::Parse(raw);
    if (const ReadError error = CheckReadable(header, raw[0], file.Length()); error != ReadError::None)
        return ReadFailed(error);
    return PcxReader(file, header).Read(options);
}

}  // namespace

ReadResult ReadPCXFromSource(ByteSource& source, const ReadOptions& options)
{
    BufferedFile file(source);
    return ReadFrom(file, options);
}

ReadResult ReadPCXFile(const PictureFile& file, const ReadOptions& options)
{
    PictureFileSource source(file);
    return ReadPCXFromSource(source, options);
}

ReadResult ReadPCXFile(const std::string& path, const ReadOptions& options)
{
    const PictureFile file = PictureFile::Open(path);
    if (!file)
        return ReadFailed(file.Error());
    return ReadPCXFile(file, options);
}

}  // namespace lumora
