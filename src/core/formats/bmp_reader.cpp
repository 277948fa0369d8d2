#include "core/formats/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "core/picture/byte_order.h"
#include "core/picture/dib_errors.h"
#include "core/picture/picture_limits.h"
#include "core/formats/rle8.h"

namespace lumora {
namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint16_t kSignatureBM = 0x4D42;
constexpr uint32_t kCompressionAlphaBitFields = 6;
// The file readers move at most this many bytes per read call.
constexpr size_t kReadPiece = 32767;

struct FileHeader {
    uint16_t signature;
    uint32_t pixelOffset;
};

// Stops early, setting `stopped`, when the caller's stop flag is raised.
bool ReadPieces(ByteSource& source, uint8_t* out, uint64_t count, const ReadOptions& options, bool& stopped)
{
    while (count > 0) {
        if (options.StopRequested()) {
            stopped = true;
            return false;
        }
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(count, kReadPiece));
        if (!source.ReadExactly(out, piece))
            return false;
        out += piece;
        count -= piece;
    }
    return true;
}

// One colour component described by a bit mask, scaled to 0..255.
struct MaskChannel {
    uint32_t mask = 0;
    int shift = 0;
    uint32_t max = 0;

    explicit MaskChannel(uint32_t m) : mask(m)
    {
        if (mask) {
            shift = std::countr_zero(mask);
            max = mask >> shift;
        }
    }
    uint8_t Extract(uint32_t pixel) const
    {
        if (!max)
            return 0;
        const uint64_t v = (pixel & mask) >> shift;
        return static_cast<uint8_t>((v * 255 + max / 2) / max);
    }
};

// Turns 16- or 32-bit rows (read into `raw`) into a 24-bit picture.
Picture DecodeMaskedPixels(BitmapInfoHeader header, const std::vector<uint8_t>& raw,
                        const uint32_t masks[3])
{
    const uint32_t width = static_cast<uint32_t>(header.width);
    const uint32_t height = static_cast<uint32_t>(header.height);
    Picture dib = Picture::Make(header.width, header.height, 24);
    if (!dib)
        return {};
    const MaskChannel red(masks[0]), green(masks[1]), blue(masks[2]);
    const uint64_t inStride = PictureRowBytes(width, header.bitCount);
    const uint64_t outStride = PictureRowBytes(width, 24);
    uint8_t* pixels = dib.Pixels();
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = raw.data() + y * inStride;
        uint8_t* out = pixels + y * outStride;
        for (uint32_t x = 0; x < width; ++x, out += 3) {
            const uint32_t p = header.bitCount == 16 ? ReadLE16(in + x * 2) : ReadLE32(in + x * 4);
            out[0] = blue.Extract(p);
            out[1] = green.Extract(p);
            out[2] = red.Extract(p);
        }
    }
    BitmapInfoHeader stored = BitmapInfoHeader::Read(dib.Data());
    stored.xPelsPerMeter = header.xPelsPerMeter;
    stored.yPelsPerMeter = header.yPelsPerMeter;
    stored.sizeImage = static_cast<uint32_t>(outStride * height);
    stored.Write(dib.Data());
    return dib;
}

void FlipRows(uint8_t* pixels, uint64_t stride, uint32_t height)
{
    std::vector<uint8_t> temp(stride);
    for (uint32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::memcpy(temp.data(), pixels + top * stride, stride);
        std::memcpy(pixels + top * stride, pixels + bottom * stride, stride);
        std::memcpy(pixels + bottom * stride, temp.data(), stride);
    }
}

class BitmapFileReader {
public:
    BitmapFileReader(ByteSource& source, const ReadOptions& options) : source_(source), options_(options) {}

    ReadResult Read()
    {
        if (const ReadError error = ReadHeaders(); error != ReadError::None) {
            if (error == ReadError::TooLarge)
                return options_.TooLarge(static_cast<uint64_t>(header_.width), static_cast<uint64_t>(header_.height));
            return ReadFailed(error);
        }
        Picture dib = header_.bitCount == 16 || header_.bitCount == 32 ? ReadMaskedPicture() : ReadIndexedOrRgbPicture();
        if (!dib)
            return ReadFailed(stopped_ ? ReadError::Stopped
                              : unsupported_ ? ReadError::Unsupported
                                             : ReadError::Damaged);
        return dib;
    }

private:
    ReadError ReadHeaders()
    {
        uint8_t fileHeader[kFileHeaderSize];
        uint8_t info[kInfoHeaderSize];
        if (!source_.ReadExactly(fileHeader, sizeof fileHeader) ||
            ReadLE16(fileHeader) != kSignatureBM)
            return ReadError::NotThisType;
        pixelOffset_ = ReadLE32(fileHeader + 10);
        if (!source_.ReadExactly(info, sizeof info))
            return ReadError::Damaged;
        header_ = BitmapInfoHeader::Read(info);
        // OS/2 core headers are refused; so are the short OS/2 2.x forms,
        // whose 40 bytes would take in colour-table bytes. Longer headers
        // (V4, V5) keep the fields of the first 40 bytes.
        if (header_.size < kInfoHeaderSize)
            return ReadError::Unsupported;
        if (header_.size > kInfoHeaderSize) {
            if (!source_.SeekTo(kFileHeaderSize + header_.size))
                return ReadError::Damaged;
        }
        topDown_ = header_.height < 0;
        if (header_.width <= 0 || header_.height == 0 || header_.height == INT32_MIN)
            return ReadError::Damaged;
        header_.height = topDown_ ? -header_.height : header_.height;
        if (!options_.SizeAllowed(static_cast<uint64_t>(header_.width), static_cast<uint64_t>(header_.height)))
            return ReadError::TooLarge;
        if (header_.bitCount > 32)
            return ReadError::Unsupported;
        const uint64_t pixelBytes = PictureRowBytes(static_cast<uint64_t>(header_.width),
                                                header_.bitCount) *
                                    static_cast<uint64_t>(header_.height);
        return pixelBytes <= kMaxPixelBytes ? ReadError::None : ReadError::TooLarge;
    }

    Picture ReadIndexedOrRgbPicture()
    {
        const uint16_t bits = header_.bitCount;
        const bool rle8 = header_.compression == kCompressionRLE8;
        unsupported_ = (bits != 1 && bits != 4 && bits != 8 && bits != 24) ||
                       // RLE4, JPEG, PNG and the rest are not read
                       (header_.compression != kCompressionNone && !(rle8 && bits == 8));
        if (unsupported_)
            return {};
        if (rle8 && topDown_)
            return {};  // run-length pictures cannot be top-down

        uint64_t colors = header_.clrUsed;
        if (colors == 0 && bits != 24)
            colors = uint64_t{1} << bits;
        const uint64_t colorBytes = colors * 4;
        if (colorBytes > source_.Remaining())
            return {};

        const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(header_.width), bits);
        const uint64_t pixelBytes = stride * static_cast<uint64_t>(header_.height);
        // A true-colour picture keeps no colour table, whatever the file has.
        const uint64_t keptColors = bits == 24 ? 0 : colors;
        // Uncompressed rows must all be in the file: a short file declaring a
        // large picture is refused before its memory is taken.
        if (!rle8 && pixelBytes > source_.Length())
            return {};
        Picture dib = Picture::Block(kInfoHeaderSize + keptColors * 4 + pixelBytes, rle8);
        if (!dib)
            return {};
        uint8_t* table = dib.Data() + kInfoHeaderSize;
        if (keptColors && !source_.ReadExactly(table, keptColors * 4))
            return {};
        // A true-colour file may still carry a table; without a pixel offset
        // its rows follow that table.
        if (!keptColors && colorBytes && pixelOffset_ == 0 && !source_.SeekTo(source_.Position() + colorBytes))
            return {};
        if (!SeekToPixels())
            return {};

        uint8_t* pixels = table + keptColors * 4;
        if (rle8) {
            if (!ReadRLE8(pixels, pixelBytes, stride))
                return {};
        } else {
            if (pixelBytes > source_.Remaining() || !ReadPieces(source_, pixels, pixelBytes, options_, stopped_))
                return {};
            if (topDown_)
                FlipRows(pixels, stride, static_cast<uint32_t>(header_.height));
        }

        BitmapInfoHeader stored = header_;
        stored.size = kInfoHeaderSize;
        stored.planes = 1;
        stored.compression = kCompressionNone;
        stored.sizeImage = static_cast<uint32_t>(pixelBytes);
        stored.clrUsed = static_cast<uint32_t>(keptColors);
        stored.Write(dib.Data());
        return dib;
    }

    bool ReadRLE8(uint8_t* pixels, uint64_t pixelBytes, uint64_t stride)
    {
        uint64_t encodedBytes = header_.sizeImage;
        if (encodedBytes == 0 || encodedBytes > source_.Remaining())
            encodedBytes = source_.Remaining();
        std::vector<uint8_t> encoded(encodedBytes);
        if (!ReadPieces(source_, encoded.data(), encodedBytes, options_, stopped_))
            return false;
        ExpandRLE8(encoded, {pixels, pixelBytes}, static_cast<uint32_t>(stride));
        return true;
    }

    Picture ReadMaskedPicture()
    {
        uint32_t masks[3];
        if (header_.compression == kCompressionNone) {
            if (header_.bitCount == 16) {
                masks[0] = 0x7C00, masks[1] = 0x03E0, masks[2] = 0x001F;
            } else {
                masks[0] = 0xFF0000, masks[1] = 0x00FF00, masks[2] = 0x0000FF;
            }
        } else if (header_.compression == kCompressionBitFields ||
                   header_.compression == kCompressionAlphaBitFields) {
            // The masks follow the 40 header bytes, inside a longer header
            // or right after a 40-byte one.
            uint8_t raw[12];
            if (!source_.SeekTo(kFileHeaderSize + kInfoHeaderSize) ||
                !source_.ReadExactly(raw, sizeof raw))
                return {};
            masks[0] = ReadLE32(raw), masks[1] = ReadLE32(raw + 4), masks[2] = ReadLE32(raw + 8);
        } else {
            unsupported_ = true;
            return {};
        }
        if (!SeekToPixels())
            return {};
        const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(header_.width), header_.bitCount);
        const uint64_t rawBytes = stride * static_cast<uint64_t>(header_.height);
        if (rawBytes > source_.Remaining())
            return {};
        std::vector<uint8_t> raw(rawBytes);
        if (!ReadPieces(source_, raw.data(), rawBytes, options_, stopped_))
            return {};
        if (topDown_)
            FlipRows(raw.data(), stride, static_cast<uint32_t>(header_.height));
        return DecodeMaskedPixels(header_, raw, masks);
    }

    bool SeekToPixels()
    {
        return pixelOffset_ == 0 || source_.SeekTo(pixelOffset_);
    }

    ByteSource& source_;
    const ReadOptions& options_;
    BitmapInfoHeader header_;
    bool unsupported_ = false;
    bool stopped_ = false;
    uint32_t pixelOffset_ = 0;
    bool topDown_ = false;
};

}  // namespace

ReadResult ReadDIBFromSource(ByteSource& source, const ReadOptions& options)
{
    return BitmapFileReader(source, options).Read();
}

ReadResult ReadDIBFromFile(const PictureFile& file, const ReadOptions& options)
{
    PictureFileSource source(file);
    return ReadDIBFromSource(source, options);
}

ReadResult ReadDIBFromFile(const std::string& path, const ReadOptions& options)
{
    const PictureFile file = PictureFile::Open(path);
    if (!file)
        return file.Error() == ReadError::NotFound
                   ? ReadFailedSaying(ReadError::NotFound, DIBErrorText(DIBError::FileNotFound))
                   : ReadFailed(file.Error());
    return ReadDIBFromFile(file, options);
}

}  // namespace lumora
