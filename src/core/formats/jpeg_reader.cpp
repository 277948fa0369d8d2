#include "core/formats/jpeg_reader.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/formats/jpeg_dc_image.h"
#include "core/formats/jpeg_error_trap.h"
#include "core/picture/exif_orientation.h"
#include "core/picture/row_progress.h"

#include <jerror.h>

namespace lumora {
namespace {

// Leaves the twenty colours a 256-colour display keeps for itself free.
constexpr int kQuantizedColors = 236;

// What libjpeg produces and how rows reach the picture.
enum class Output {
    Indexed,     // quantised colour indices, straight into 8-bit rows
    Bgr,         // blue, green, red, straight into 24-bit rows
    Cmyk,        // four inks per pixel, converted to 24-bit rows
    Unsupported,
};

// Where the compressed bytes come from: an open file or a memory block.
struct JpegInput {
    std::FILE* file = nullptr;
    std::span<const uint8_t> bytes;
};

Output ChooseOutput(const jpeg_decompress_struct& info, bool jpeg256)
{
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK)
        return info.num_components == 4 ? Output::Cmyk : Output::Unsupported;
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1;
    const bool colour = (info.jpeg_color_space == JCS_YCbCr || info.jpeg_color_space == JCS_RGB) &&
                        info.num_components == 3;
    if (!grey && !colour)
        return Output::Unsupported;
    return jpeg256 ? Output::Indexed : Output::Bgr;
}

// One ink value to one light value. Adobe applications write inverted
// values (0 = full ink), which every file carrying their marker has.
inline uint8_t InkToLight(unsigned ink, unsigned black, bool inverted)
{
    if (!inverted) {
        ink = 255 - ink;
        black = 255 - black;
    }
    return static_cast<uint8_t>((ink * black + 127) / 255);
}

void CmykRowToBgr(const JSAMPLE* cmyk, uint8_t* bgr, uint32_t width, bool inverted)
{
    for (uint32_t x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
        bgr[0] = InkToLight(cmyk[2], cmyk[3], inverted);
        bgr[1] = InkToLight(cmyk[1], cmyk[3], inverted);
        bgr[2] = InkToLight(cmyk[0], cmyk[3], inverted);
    }
}

// One decompression. Every method that calls libjpeg catches the library's
// fatal errors with its own setjmp and then owns nothing with a destructor.
class JpegDecoder {
public:
    JpegDecoder() { cinfo_.err = SetUpJpegErrorTrap(trap_); }
    ~JpegDecoder() { jpeg_destroy_decompress(&cinfo_); }
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    const jpeg_decompress_struct& Info() const { return cinfo_; }

    // What the last failure means: bytes that do not begin as a JPEG's,
    // a memory refused by libjpeg, or a damaged stream.
    ReadError Failure() const
    {
        if (stopped_)
            return ReadError::Stopped;
        switch (trap_.manager.msg_code) {
        case JERR_NO_SOI: return ReadError::NotThisType;
        case JERR_OUT_OF_MEMORY: return ReadError::OutOfMemory;
        case JERR_NOT_COMPILED:
        case JERR_ARITH_NOTIMPL: return ReadError::Unsupported;
        default: return ReadError::Damaged;
        }
    }

    bool ReadHeader(JpegInput input)
    {
        if (setjmp(trap_.jump))
            return false;
        jpeg_create_decompress(&cinfo_);
        if (input.file)
            jpeg_stdio_src(&cinfo_, input.file);
        else
            jpeg_mem_src(&cinfo_, input.bytes.data(), static_cast<unsigned long>(input.bytes.size()));
        jpeg_save_markers(&cinfo_, JPEG_APP0 + 1, 0xFFFF);  // EXIF, for the orientation
        return jpeg_read_header(&cinfo_, TRUE) == JPEG_HEADER_OK;
    }

    // `averagedAfter`: the picture is reduced again once decoded, so the
    // fastest inverse transform and plain chroma upsampling (merged with
    // the colour conversion) lose nothing that shows. A reduced picture
    // always is.
    bool Start(Output output, int scaleDenominator = 1, int scaleNumerator = 1, bool averagedAfter = false)
    {
        if (setjmp(trap_.jump))
            return false;
        cinfo_.scale_num = static_cast<unsigned>(scaleNumerator);
        cinfo_.scale_denom = static_cast<unsigned>(scaleDenominator);
        if (averagedAfter || scaleDenominator > scaleNumerator) {
            cinfo_.dct_method = JDCT_IFAST;
            cinfo_.do_fancy_upsampling = FALSE;
        }
        // Whole-image buffers (progressive files, two-pass quantising) stay
        // within the size allowed for a picture; beyond it the read fails.
        cinfo_.mem->max_memory_to_use = static_cast<long>(kMaxPixelBytes);
        switch (output) {
        case Output::Indexed:
            cinfo_.quantize_colors = TRUE;
            cinfo_.dither_mode = JDITHER_FS;
            cinfo_.desired_number_of_colors = kQuantizedColors;
            break;
        case Output::Bgr:
            cinfo_.out_color_space = JCS_EXT_BGR;  // greyscale too: grey becomes b = g = r
            break;
        case Output::Cmyk:
            cinfo_.out_color_space = JCS_CMYK;  // YCCK is turned into CMYK by libjpeg
            break;
        case Output::Unsupported:
            return false;
        }
        return jpeg_start_decompress(&cinfo_) == TRUE;
    }

    // Rows come top first; the DIB keeps them bottom-up. With a placer that
    // turns, each row goes through one row buffer to its upright place.
    bool ReadRows(uint8_t* pixels, uint64_t stride, Output output, const RowProgress& progress,
                  UprightRowPlacer* placer, const ReadOptions& options)
    {
        if (setjmp(trap_.jump))
            return false;
        const JDIMENSION width = cinfo_.output_width, height = cinfo_.output_height;
        JSAMPARRAY inks = nullptr;
        if (output == Output::Cmyk)
            inks = (*cinfo_.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo_), JPOOL_IMAGE,
                                               width * cinfo_.output_components, 1);
        const bool turning = placer && placer->Turns();
        JSAMPARRAY turned = nullptr;
        if (turning)
            turned = (*cinfo_.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo_), JPOOL_IMAGE,
                                                 static_cast<JDIMENSION>(stride), 1);
        const bool inverted = cinfo_.saw_Adobe_marker;
        while (cinfo_.output_scanline < height) {
            if (options.StopRequested()) {
                stopped_ = true;
                return false;
            }
            const JDIMENSION r = cinfo_.output_scanline;
            uint8_t* destination = turning ? turned[0] : pixels + (height - 1 - r) * stride;
            JSAMPROW row = inks ? inks[0] : destination;
            if (jpeg_read_scanlines(&cinfo_, &row, 1) != 1)
                return false;
            if (inks)
                CmykRowToBgr(inks[0], destination, width, inverted);
            if (turning)
                placer->Place(r, destination);
            progress.Step(static_cast<long>(r) + 1, static_cast<long>(height));
        }
        return true;
    }

    // The quantiser's colours, while they exist (until Finish).
    void CopyColorMap(uint8_t* dib) const
    {
        uint8_t* table = dib + kInfoHeaderSize;
        const int count = std::min(cinfo_.actual_number_of_colors, 256);
        const int last = cinfo_.out_color_components - 1;  // 0 for greys, 2 for colours
        for (int i = 0; i < count; ++i, table += 4) {
            table[0] = cinfo_.colormap[std::min(2, last)][i];
            table[1] = cinfo_.colormap[std::min(1, last)][i];
            table[2] = cinfo_.colormap[0][i];
            table[3] = 0;
        }
    }

    // The camera's orientation from the first EXIF segment; 1 without one.
    int Orientation() const
    {
        for (jpeg_saved_marker_ptr m = cinfo_.marker_list; m; m = m->next)
            if (m->marker == JPEG_APP0 + 1 && m->data_length >= 6 && m->data[0] == 'E')
                return ExifOrientation({m->data, m->data_length});
        return kOrientationNormal;
    }

    bool Finish()
    {
        if (setjmp(trap_.jump))
            return false;
        return jpeg_finish_decompress(&cinfo_) == TRUE;
    }

private:
    JpegErrorTrap trap_;
    jpeg_decompress_struct cinfo_{};
    bool stopped_ = false;
};

bool QuantisedOutputFits(const jpeg_decompress_struct& info)
{
    return info.out_color_components == 1 || info.out_color_components == 3;
}

ReadResult DecodeJpeg(JpegInput input, const ReadOptions& options)
{
    const RowProgress progress(options.progress);
    JpegDecoder decoder;
    if (!decoder.ReadHeader(input))
        return ReadFailed(decoder.Failure());
    const int orientation = decoder.Orientation();  // the saved segments go with the decoding
    const Output output = ChooseOutput(decoder.Info(), options.jpeg256);
    if (output == Output::Unsupported)
        return ReadFailed(ReadError::Unsupported);

    const auto width = static_cast<int32_t>(decoder.Info().image_width);
    const auto height = static_cast<int32_t>(decoder.Info().image_height);
    if (!options.SizeAllowed(decoder.Info().image_width, decoder.Info().image_height))
        return options.TooLarge(decoder.Info().image_width, decoder.Info().image_height);
    const UprightSides upright = UprightSize(decoder.Info().image_width, decoder.Info().image_height,
                                             orientation);
    Picture dib = Picture::Make(static_cast<int32_t>(upright.width), static_cast<int32_t>(upright.height),
                        output == Output::Indexed ? 8 : 24);
    if (!dib)
        return ReadFailed(ReadError::OutOfMemory);
    if (!decoder.Start(output))
        return ReadFailed(decoder.Failure());
    const jpeg_decompress_struct& info = decoder.Info();
    if (info.output_width != static_cast<JDIMENSION>(width) ||
        info.output_height != static_cast<JDIMENSION>(height) ||
        (output == Output::Indexed && !QuantisedOutputFits(info)))
        return ReadFailed(ReadError::Unsupported);

    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(width), dib.BitCount());
    UprightRowPlacer placer(dib, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                            orientation);
    if (!decoder.ReadRows(dib.Pixels(), stride, output, progress, &placer, options))
        return ReadFailed(decoder.Failure());
    if (output == Output::Indexed)
        decoder.CopyColorMap(dib.Data());
    if (!decoder.Finish())
        return ReadFailed(decoder.Failure());
    return dib;
}

// libjpeg's size of one side decoded at 1/denominator.
uint32_t ScaledSide(uint32_t side, uint32_t denominator)
{
    return static_cast<uint32_t>((uint64_t{side} + denominator - 1) / denominator);
}

}  // namespace

int JpegScaleForSize(uint32_t width, uint32_t height, uint32_t needWidth, uint32_t needHeight)
{
    for (uint32_t denominator = 8; denominator > 1; denominator /= 2)
        if (ScaledSide(width, denominator) >= needWidth && ScaledSide(height, denominator) >= needHeight)
            return static_cast<int>(denominator);
    return 1;
}

int JpegEighthsForSize(uint32_t width, uint32_t height, uint32_t needWidth, uint32_t needHeight)
{
    const auto side = [](uint32_t full, uint32_t eighths) {
        return static_cast<uint32_t>((uint64_t{full} * eighths + 7) / 8);
    };
    for (uint32_t eighths = 1; eighths < 8; ++eighths)
        if (side(width, eighths) >= needWidth && side(height, eighths) >= needHeight)
            return static_cast<int>(eighths);
    return 8;
}

namespace {

// Whether libjpeg's reading of the header leaves the file to the DC
// decoder: a sequential Huffman file of 8-bit grey or YCbCr samples. The DC
// decoder checks it all again from the bytes and may still refuse it.
bool DcDecoderMayRead(const jpeg_decompress_struct& info)
{
    const bool grey = info.jpeg_color_space == JCS_GRAYSCALE && info.num_components == 1;
    const bool colour = info.jpeg_color_space == JCS_YCbCr && info.num_components == 3;
    return (grey || colour) && !info.progressive_mode && !info.arith_code && info.data_precision == 8;
}

// The eighth made from the DC coefficients, turned upright into `read`;
// false when the DC decoder does not read the file, which libjpeg then does.
bool ReadEighthFromDc(std::span<const uint8_t> bytes, const jpeg_decompress_struct& info, int orientation,
                      const ReadOptions& options, JpegBoxRead& read)
{
    std::optional<JpegEighth> eighth = DecodeJpegEighthFromDc(bytes, options);
    if (!eighth || eighth->width != (info.image_width + 7) / 8 || eighth->height != (info.image_height + 7) / 8)
        return false;
    const UprightSides upright = UprightSize(eighth->width, eighth->height, orientation);
    Picture dib = Picture::Make(static_cast<int32_t>(upright.width), static_cast<int32_t>(upright.height), 24);
    if (!dib)
        return false;
    UprightRowPlacer placer(dib, eighth->width, eighth->height, orientation);
    const uint64_t stride = PictureRowBytes(eighth->width, 24);
    const size_t rowBytes = size_t{eighth->width} * 3;
    for (uint32_t r = 0; r < eighth->height; ++r) {
        const uint8_t* row = eighth->bgr.data() + r * rowBytes;
        if (placer.Turns())
            placer.Place(r, row);
        else
            std::copy(row, row + rowBytes, dib.Pixels() + (eighth->height - 1 - r) * stride);
    }
    read.picture = std::move(dib);
    return true;
}

JpegBoxRead DecodeJpegForBox(JpegInput input, const NeededSizeRule& needed, const ReadOptions& options)
{
    JpegBoxRead read;
    JpegDecoder decoder;
    if (!decoder.ReadHeader(input)) {
        read.error = decoder.Failure();
        return read;
    }
    const Output output = ChooseOutput(decoder.Info(), false);
    if (output == Output::Unsupported) {
        read.error = ReadError::Unsupported;
        return read;
    }
    // Sizes are given upright; the decoder works on the stored rows.
    const int orientation = decoder.Orientation();
    const uint32_t storedWidth = decoder.Info().image_width, storedHeight = decoder.Info().image_height;
    const UprightSides full = UprightSize(storedWidth, storedHeight, orientation);
    read.fullWidth = full.width;
    read.fullHeight = full.height;
    read.fullBitCount = decoder.Info().jpeg_color_space == JCS_GRAYSCALE ? 8 : 24;
    const NeededSize need = needed(full.width, full.height);
    const bool quarterTurn = orientation >= 5 && orientation <= 8;
    const uint32_t needWidth = quarterTurn ? need.height : need.width;
    const uint32_t needHeight = quarterTurn ? need.width : need.height;
    const bool eighthDecoded = need.inEighths
                                   ? JpegEighthsForSize(storedWidth, storedHeight, needWidth, needHeight) == 1
                                   : JpegScaleForSize(storedWidth, storedHeight, needWidth, needHeight) == 8;
    if (eighthDecoded && need.eighth == EighthDecoding::DcWhenPossible && !input.bytes.empty() &&
        DcDecoderMayRead(decoder.Info()) &&
        options.SizeAllowed((storedWidth + 7) / 8, (storedHeight + 7) / 8) &&
        ReadEighthFromDc(input.bytes, decoder.Info(), orientation, options, read))
        return read;
    bool started = false;
    if (need.inEighths) {
        // Between a half and the whole, libjpeg-turbo's transforms are
        // plain C, the chroma's at twice the size: slower than decoding the
        // whole picture with its vector code (and the accurate transform
        // when it keeps its own size).
        const int eighths = JpegEighthsForSize(storedWidth, storedHeight, needWidth, needHeight);
        const bool reducedAfter = needWidth < storedWidth || needHeight < storedHeight;
        started = eighths <= 4 ? decoder.Start(output, 8, eighths) : decoder.Start(output, 1, 1, reducedAfter);
    } else {
        started = decoder.Start(output, JpegScaleForSize(storedWidth, storedHeight, needWidth, needHeight));
    }
    if (!started) {
        read.error = decoder.Failure();
        return read;
    }
    const uint32_t width = decoder.Info().output_width, height = decoder.Info().output_height;
    if (!options.SizeAllowed(width, height)) {
        read.error = ReadError::TooLarge;
        return read;
    }
    const UprightSides upright = UprightSize(width, height, orientation);
    Picture dib = Picture::Make(static_cast<int32_t>(upright.width), static_cast<int32_t>(upright.height), 24);
    if (!dib) {
        read.error = ReadError::OutOfMemory;
        return read;
    }
    UprightRowPlacer placer(dib, width, height, orientation);
    const uint64_t stride = PictureRowBytes(width, 24);
    if (!decoder.ReadRows(dib.Pixels(), stride, output, RowProgress(false), &placer, options) ||
        !decoder.Finish()) {
        read.error = decoder.Failure();
        return read;
    }
    read.picture = std::move(dib);
    return read;
}

}  // namespace

JpegBoxRead ReadJPEGForBox(const PictureFile& file, const NeededSizeRule& needed, const ReadOptions& options)
{
    // Decoded from memory: libjpeg-turbo's fast Huffman decoding needs a
    // few kilobytes of the file ahead of it, which its stdio source (4 KB
    // at a time) seldom has, and a reduced decode is almost all Huffman
    // decoding. A file too large to hold is read through stdio instead.
    constexpr uint64_t kLargestHeld = uint64_t{256} << 20;
    JpegBoxRead failed;
    if (!file) {
        failed.error = file.Error();
        return failed;
    }
    if (file.Size() > 0 && file.Size() <= kLargestHeld) {
        std::vector<uint8_t> bytes;
        if (const ReadError error = file.ReadAll(bytes, kLargestHeld); error != ReadError::None) {
            failed.error = error;
            return failed;
        }
        return DecodeJpegForBox({nullptr, bytes}, needed, options);
    }
    const PictureStream stream = file.OpenStream();
    if (!stream) {
        failed.error = ReadError::OutOfMemory;
        return failed;
    }
    return DecodeJpegForBox({stream.get(), {}}, needed, options);
}

JpegBoxRead ReadJPEGForBox(const std::string& path, const NeededSizeRule& needed, const ReadOptions& options)
{
    return ReadJPEGForBox(PictureFile::Open(path), needed, options);
}

JpegBoxRead ReadJPEGForBox(std::span<const uint8_t> bytes, const NeededSizeRule& needed, const ReadOptions& options)
{
    return DecodeJpegForBox({nullptr, bytes}, needed, options);
}

ReadResult ReadJPEGFile(const PictureFile& file, const ReadOptions& options)
{
    if (!file)
        return ReadFailed(file.Error());
    const PictureStream stream = file.OpenStream();
    if (!stream)
        return ReadFailed(ReadError::OutOfMemory);
    return DecodeJpeg({stream.get(), {}}, options);
}

ReadResult ReadJPEGFile(const std::string& path, const ReadOptions& options)
{
    return ReadJPEGFile(PictureFile::Open(path), options);
}

ReadResult ReadJPEGFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    return DecodeJpeg({nullptr, bytes}, options);
}

}  // namespace lumora
