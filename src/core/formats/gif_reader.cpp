#include "core/formats/gif_reader.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "core/picture/byte_order.h"
#include "core/formats/reader_block.h"
#include "core/picture/reader_progress.h"

namespace lumora {
namespace {


// The logical screen descriptor follows the 6-byte signature.
constexpr size_t kScreenDescriptorEnd = 13;
constexpr size_t kReadAhead = 65536;

// giflib asks for a byte or a 255-byte block at a time; reading those from
// the disk one call each would cost a system call per block.
class BufferedInput {
public:
    explicit BufferedInput(ByteSource& source) : source_(source), buffer_(kReadAhead) {}

    int Read(uint8_t* out, int count)
    {
        int moved = 0;
        while (moved < count) {
            if (next_ == filled_ && !Refill())
                break;
            const size_t n = std::min<size_t>(static_cast<size_t>(count - moved), filled_ - next_);
            std::memcpy(out + moved, buffer_.data() + next_, n);
            next_ += n;
            moved += static_cast<int>(n);
        }
        return moved;
    }

private:
    bool Refill()
    {
        filled_ = source_.Read(buffer_.data(), buffer_.size());
        next_ = 0;
        return filled_ > 0;
    }

    ByteSource& source_;
    std::vector<uint8_t> buffer_;
    size_t next_ = 0;
    size_t filled_ = 0;
};

int ReadForGiflib(GifFileType* gif, GifByteType* out, int count)
{
    if (count <= 0)
        return 0;
    return static_cast<BufferedInput*>(gif->UserData)->Read(out, count);
}

struct GifCloser {
    void operator()(GifFileType* gif) const
    {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

// What the picture is built from: the screen size, the depth announced by
// the global colour table field (present or not) and the background index.
struct ScreenDescriptor {
    uint32_t width = 0;
    uint32_t height = 0;
    int bitsPerPixel = 0;
    uint8_t background = 0;
};

ReadError ErrorOfGiflib(int error)
{
    switch (error) {
    case D_GIF_ERR_OPEN_FAILED: return ReadError::NotFound;
    case D_GIF_ERR_NOT_GIF_FILE: return ReadError::NotThisType;
    case D_GIF_ERR_NOT_ENOUGH_MEM: return ReadError::OutOfMemory;
    case 0: return ReadError::Unsupported;
    default: return ReadError::Damaged;
    }
}

// Reads the descriptor ahead of giflib, which keeps the table size only
// when the table is present; the source is put back where it was.
bool PeekScreenDescriptor(ByteSource& source, ScreenDescriptor& screen)
{
    const uint64_t start = source.Position();
    uint8_t bytes[kScreenDescriptorEnd];
    const bool complete = source.ReadExactly(bytes, sizeof bytes);
    if (!source.SeekTo(start) || !complete)
        return false;
    screen.width = ReadLE16(bytes + 6);
    screen.height = ReadLE16(bytes + 8);
    screen.bitsPerPixel = (bytes[10] & 0x07) + 1;
    screen.background = bytes[11];
    return true;
}

// Rows of the logical screen, top first. An 8-bit screen is the picture
// itself (rows bottom-up); 1- and 4-bit screens are a byte-per-pixel buffer
// packed into the picture at the end.
struct ScreenRows {
    uint8_t* top = nullptr;
    int64_t step = 0;
    uint8_t* Row(uint32_t y) const { return top + int64_t(y) * step; }
};

class GifComposer {
public:
    GifComposer(GifFileType* gif, const ScreenDescriptor& screen, ReaderProgress& progress,
                const ReadOptions& options)
        : gif_(gif), screen_(screen), progress_(progress), options_(options)
    {
    }

    // The composed picture, or a failure with the decoder's error number in
    // `error` (left alone for an unsupported table size, a picture too
    // large for the options' limit or a stop).
    ReadResult Compose(int& error)
    {
        // Tables of 2 and 3 bits fit a 4-bit picture, those of 5 to 7 bits an
        // 8-bit one. Without a global table the first image's local table,
        // of any size, gives the colours: the picture is 8-bit then.
        const int announced = screen_.bitsPerPixel;
        const int bits = !gif_->SColorMap ? 8 : announced == 1 ? 1 : announced <= 4 ? 4 : 8;
        if (uint64_t{screen_.width} * screen_.height > kMaxPixelBytes) {
            error = D_GIF_ERR_NOT_ENOUGH_MEM;
            return options_.TooLarge(screen_.width, screen_.height);
        }
        ReadResult made = AllocPictureToFill(int32_t(screen_.width), int32_t(screen_.height), bits, options_);
        if (!made) {
            if (made.error != ReadError::TooLarge)
                error = D_GIF_ERR_NOT_ENOUGH_MEM;
            return made;
        }
        Picture dib = std::move(made.picture);
        const uint64_t stride = PictureRowBytes(screen_.width, bits);
        uint8_t* pixels = dib.Pixels();
        if (bits == 8) {
            rows_ = {pixels + (screen_.height - 1) * stride, -int64_t(stride)};
        } else {
            buffer_.resize(size_t{screen_.width} * screen_.height);
            rows_ = {buffer_.data(), int64_t{screen_.width}};
        }
        // Pixels no image covers show the background colour.
        for (uint32_t y = 0; y < screen_.height; ++y) {
            std::memset(rows_.Row(y), screen_.background, screen_.width);
            if (bits == 8)
                std::memset(rows_.Row(y) + screen_.width, 0, stride - screen_.width);
        }
        if (!PaintAll(error))
            return ReadFailed(stopped_ ? ReadError::Stopped : ErrorOfGiflib(error));
        WriteColorTable(dib.Data(), bits);
        if (bits != 8)
            PackRows(pixels, stride, bits);
        return dib;
    }

private:
    bool PaintAll(int& error)
    {
        for (;;) {
            GifRecordType record;
            if (DGifGetRecordType(gif_, &record) == GIF_ERROR)
                return Fail(error);
            switch (record) {
            case IMAGE_DESC_RECORD_TYPE:
                if (!PaintImage(error))
                    return false;
                break;
            case EXTENSION_RECORD_TYPE:
                if (!SkipExtension())
                    return Fail(error);
                break;
            case TERMINATE_RECORD_TYPE:
                return true;
            default:
                error = D_GIF_ERR_WRONG_RECORD;
                return false;
            }
        }
    }

    bool Fail(int& error) const
    {
        error = gif_->Error ? gif_->Error : D_GIF_ERR_READ_FAILED;
        return false;
    }

    bool PaintImage(int& error)
    {
        if (DGifGetImageDesc(gif_) == GIF_ERROR)
            return Fail(error);
        const GifImageDesc& image = gif_->Image;
        if (firstLocal_.empty() && image.ColorMap && image.ColorMap->Colors && image.ColorMap->ColorCount > 0)
            firstLocal_.assign(image.ColorMap->Colors, image.ColorMap->Colors + std::min(image.ColorMap->ColorCount, 256));
        if (image.Left < 0 || image.Top < 0 || image.Width < 0 || image.Height < 0 ||
            uint64_t(image.Left) + uint64_t(image.Width) > screen_.width ||
            uint64_t(image.Top) + uint64_t(image.Height) > screen_.height) {
            error = D_GIF_ERR_DATA_TOO_BIG;
            return false;
        }
        if (image.Width == 0 || image.Height == 0)
            return SkipImageData() || Fail(error);

        const int height = image.Height;
        int done = 0;
        auto readRow = [&](int row) {
            if (options_.StopRequested()) {
                stopped_ = true;
                return false;
            }
            uint8_t* target = rows_.Row(uint32_t(image.Top + row)) + image.Left;
            if (DGifGetLine(gif_, target, image.Width) == GIF_ERROR)
                return false;
            progress_.Step(++done, height);
            return true;
        };
        if (image.Interlace) {
            constexpr int kStart[] = {0, 4, 2, 1};
            constexpr int kStep[] = {8, 8, 4, 2};
            for (int pass = 0; pass < 4; ++pass)
                for (int row = kStart[pass]; row < height; row += kStep[pass])
                    if (!readRow(row))
                        return stopped_ ? false : Fail(error);
        } else {
            for (int row = 0; row < height; ++row)
                if (!readRow(row))
                    return stopped_ ? false : Fail(error);
        }
        return true;
    }

    // An image without pixels still carries its (empty) coded data.
    bool SkipImageData()
    {
        int codeSize = 0;
        GifByteType* block = nullptr;
        if (DGifGetCode(gif_, &codeSize, &block) == GIF_ERROR)
            return false;
        while (block) {
            if (DGifGetCodeNext(gif_, &block) == GIF_ERROR)
                return false;
        }
        return true;
    }

    bool SkipExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_, &code, &block) == GIF_ERROR)
            return false;
        while (block) {
            if (DGifGetExtensionNext(gif_, &block) == GIF_ERROR)
                return false;
        }
        return true;
    }

    // The global colour table, else the first image's local one, else
    // black throughout.
    void WriteColorTable(uint8_t* dib, int bits) const
    {
        const ColorMapObject* map = gif_->SColorMap;
        const GifColorType* colors = map ? map->Colors : firstLocal_.data();
        const int available = map ? map->ColorCount : static_cast<int>(firstLocal_.size());
        if (!colors)
            return;
        const unsigned count = std::min<unsigned>(1u << bits, unsigned(std::max(available, 0)));
        uint8_t* table = dib + kInfoHeaderSize;
        for (unsigned i = 0; i < count; ++i) {
            table[i * 4 + 0] = colors[i].Blue;
            table[i * 4 + 1] = colors[i].Green;
            table[i * 4 + 2] = colors[i].Red;
        }
    }

    // 4 bits: two pixels a byte, the first in the high nibble, each taken
    // modulo 16. 1 bit: a pixel sets its bit (leftmost in the top bit) when
    // its index is not 0.
    void PackRows(uint8_t* pixels, uint64_t stride, int bits) const
    {
        const uint32_t width = screen_.width;
        for (uint32_t y = 0; y < screen_.height; ++y) {
            const uint8_t* in = rows_.Row(y);
            uint8_t* out = pixels + (screen_.height - 1 - y) * stride;
            std::memset(out, 0, stride);
            if (bits == 4) {
                for (uint32_t x = 0; x < width; x += 2) {
                    const uint8_t second = x + 1 < width ? in[x + 1] & 0x0F : 0;
                    out[x / 2] = static_cast<uint8_t>((in[x] & 0x0F) << 4 | second);
                }
            } else {
                for (uint32_t x = 0; x < width; ++x)
                    if (in[x])
                        out[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
            }
        }
    }

    GifFileType* gif_;
    ScreenDescriptor screen_;
    ReaderProgress& progress_;
    const ReadOptions& options_;
    bool stopped_ = false;
    ScreenRows rows_;
    std::vector<uint8_t> buffer_;
    std::vector<GifColorType> firstLocal_;
};

}  // namespace

GifRead DecodeGIF(ByteSource& source, const ReadOptions& options)
{
    ScreenDescriptor screen;
    if (!PeekScreenDescriptor(source, screen))
        return {ReadFailed(ReadError::Damaged), D_GIF_ERR_READ_FAILED};
    BufferedInput input(source);
    int error = 0;
    GifHandle gif(DGifOpen(&input, ReadForGiflib, &error));
    if (!gif) {
        error = error ? error : D_GIF_ERR_OPEN_FAILED;
        return {ReadFailed(ErrorOfGiflib(error)), error};
    }
    ReaderProgress progress(options.progress);
    GifRead read;
    read.result = GifComposer(gif.get(), screen, progress, options).Compose(error);
    if (!read.result)
        read.error = error;
    return read;
}

GifRead DecodeGIFFile(const std::string& path, const ReadOptions& options)
{
    const PictureFile file = PictureFile::Open(path);
    if (!file)
        return {ReadFailed(file.Error()), D_GIF_ERR_OPEN_FAILED};
    PictureFileSource source(file);
    return DecodeGIF(source, options);
}

ReadResult ReadGIFFile(const std::string& path, const ReadOptions& options)
{
    return std::move(DecodeGIFFile(path, options).result);
}

ReadResult ReadGIFFile(const PictureFile& file, const ReadOptions& options)
{
    PictureFileSource source(file);
    return std::move(DecodeGIF(source, options).result);
}

Picture ReadGIFResource(std::span<const uint8_t> bytes)
{
    MemorySource source(bytes);
    return std::move(DecodeGIF(source).result.picture);
}

}  // namespace lumora
