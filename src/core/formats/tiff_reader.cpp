#include "core/formats/tiff_reader.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "core/picture/exif_orientation.h"
#include "core/picture/row_progress.h"
#include "core/formats/tiff_session.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

// One read's options and what stopped it short of a picture.
struct TiffRun {
    const ReadOptions& options;
    ReadError failure = ReadError::Damaged;

    bool Stopping()
    {
        if (!options.StopRequested())
            return false;
        failure = ReadError::Stopped;
        return true;
    }
    Picture Allocate(uint32_t width, uint32_t length, int bits)
    {
        Picture dib = Picture::Make(static_cast<int32_t>(width), static_cast<int32_t>(length), bits);
        if (!dib)
            failure = ReadError::OutOfMemory;
        return dib;
    }
};

struct TiffLayout {
    uint32_t width = 0, length = 0;
    uint16_t bitsPerSample = 1;
    uint16_t samplesPerPixel = 1;
    uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    uint16_t planar = PLANARCONFIG_CONTIG;
    bool tiled = false;

    int DIBBits() const
    {
        if (samplesPerPixel == 1)
            return bitsPerSample == 1 ? 1 : 8;
        return 24;
    }
};

bool ReadLayout(TIFF* tiff, TiffLayout& layout)
{
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &layout.bitsPerSample);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &layout.samplesPerPixel);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_PLANARCONFIG, &layout.planar);
    if (!TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &layout.width) ||
        !TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &layout.length))
        return false;
    // Without the tag, one sample is grey with black at zero, more are RGB.
    if (!TIFFGetField(tiff, TIFFTAG_PHOTOMETRIC, &layout.photometric))
        layout.photometric = layout.samplesPerPixel == 1 ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB;
    layout.tiled = TIFFIsTiled(tiff) != 0;
    return layout.width > 0 && layout.length > 0 && layout.width <= INT32_MAX &&
           layout.length <= INT32_MAX;
}

bool IsGreyOrPalette(const TiffLayout& layout)
{
    return layout.photometric != PHOTOMETRIC_RGB;
}

// Whether rows are taken one scanline at a time and converted here: untiled
// grey and palette samples of 1, 2, 4 or 8 bits, and interleaved RGB bytes.
// Every other layout goes through libtiff's composing interface.
bool ReadsRowByRow(const TiffLayout& layout)
{
    if (layout.tiled)
        return false;
    const int bits = layout.bitsPerSample;
    const int samples = layout.samplesPerPixel;
    if (layout.photometric == PHOTOMETRIC_RGB)
        return bits == 8 && (samples == 3 || samples == 4) && layout.planar == PLANARCONFIG_CONTIG;
    return layout.photometric <= PHOTOMETRIC_PALETTE && samples == 1 &&
           (bits == 1 || bits == 2 || bits == 4 || bits == 8);
}

// Bytes of one scanline the conversion below reads.
uint64_t NeededScanlineBytes(const TiffLayout& layout)
{
    return (uint64_t{layout.width} * layout.bitsPerSample * layout.samplesPerPixel + 7) / 8;
}

void SetEntry(uint8_t* table, unsigned i, uint8_t red, uint8_t green, uint8_t blue)
{
    table[i * 4] = blue;
    table[i * 4 + 1] = green;
    table[i * 4 + 2] = red;
    table[i * 4 + 3] = 0;
}

void SetGrey(uint8_t* table, unsigned i, unsigned grey)
{
    const auto g = static_cast<uint8_t>(grey);
    SetEntry(table, i, g, g, g);
}

// Uncompressed samples are stored whole: a file shorter than the pixels its
// header declares is refused before the picture's memory is taken.
bool FileCanHoldPixels(TIFF* tiff, const TiffLayout& layout)
{
    uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    // Subsampled YCbCr holds fewer samples than pixels.
    if (compression != COMPRESSION_NONE || layout.photometric == PHOTOMETRIC_YCBCR)
        return true;
    const uint64_t needed = NeededScanlineBytes(layout) * layout.length;
    const toff_t fileSize = TIFFGetSizeProc(tiff)(TIFFClientdata(tiff));
    return fileSize >= needed;
}

// Maps whose values all fit in a byte hold 8-bit colours (a common
// writers' mistake); otherwise values are 16-bit.
bool ReadColorMap(TIFF* tiff, unsigned n, uint8_t* table)
{
    uint16_t *red = nullptr, *green = nullptr, *blue = nullptr;
    if (!TIFFGetField(tiff, TIFFTAG_COLORMAP, &red, &green, &blue) || !red || !green || !blue)
        return false;
    bool sixteenBit = false;
    for (unsigned i = 0; i < n; ++i)
        sixteenBit = sixteenBit || red[i] >= 256 || green[i] >= 256 || blue[i] >= 256;
    const auto scale = [sixteenBit](uint16_t v) {
        return static_cast<uint8_t>(sixteenBit ? uint32_t{v} * 255 / 65535 : v & 0xFF);
    };
    for (unsigned i = 0; i < n; ++i)
        SetEntry(table, i, scale(red[i]), scale(green[i]), scale(blue[i]));
    return true;
}

bool WriteColorTable(TIFF* tiff, const TiffLayout& layout, uint8_t* dib)
{
    uint8_t* table = dib + kInfoHeaderSize;
    const unsigned n = 1u << layout.bitsPerSample;
    if (n == 2) {
        // Bilevel: black then white. Where white is zero the bits are
        // inverted as rows are read (ConvertRow), so that every consumer,
        // previews included, sees the same picture whatever table it heeds.
        SetGrey(table, 0, 0);
        SetGrey(table, 1, 255);
        return true;
    }
    switch (layout.photometric) {
    case PHOTOMETRIC_MINISWHITE:
        for (unsigned i = 0; i < n; ++i)
            SetGrey(table, i, 255 - i * 255 / n);
        return true;
    case PHOTOMETRIC_MINISBLACK:
        for (unsigned i = 0; i < n; ++i)
            SetGrey(table, i, i * 255 / n);
        return true;
    case PHOTOMETRIC_PALETTE:
        return ReadColorMap(tiff, n, table);
    default:
        return true;  // RGB pictures have no table
    }
}

void ExpandTwoBitRow(const uint8_t* in, uint8_t* out, uint32_t width)
{
    for (uint32_t x = 0; x < width; ++x)
        out[x] = (in[x >> 2] >> (6 - 2 * (x & 3))) & 0x03;
}

void ExpandNibbleRow(const uint8_t* in, uint8_t* out, uint32_t width)
{
    for (uint32_t x = 0; x < width; ++x)
        out[x] = (x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4;
}

void RgbRowToBgr(const uint8_t* in, uint8_t* out, uint32_t width, unsigned samples)
{
    for (uint32_t x = 0; x < width; ++x, in += samples, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void ConvertRow(const TiffLayout& layout, const uint8_t* in, uint8_t* out)
{
    const uint32_t width = layout.width;
    if (!IsGreyOrPalette(layout)) {
        RgbRowToBgr(in, out, width, layout.samplesPerPixel);
        return;
    }
    switch (layout.bitsPerSample) {
    case 1:
        if (layout.photometric == PHOTOMETRIC_MINISWHITE) {
            for (uint32_t i = 0; i < (width + 7) / 8; ++i)
                out[i] = static_cast<uint8_t>(~in[i]);
            // Bits past the width stay clear.
            if (width % 8)
                out[(width - 1) / 8] &= static_cast<uint8_t>(0xFF << (8 - width % 8));
        } else {
            std::memcpy(out, in, (width + 7) / 8);
        }
        break;
    case 2: ExpandTwoBitRow(in, out, width); break;
    case 4: ExpandNibbleRow(in, out, width); break;
    default: std::memcpy(out, in, width); break;
    }
}

Picture ReadScanlines(TIFF* tiff, const TiffLayout& layout, TiffRun& run)
{
    const tmsize_t scanlineSize = TIFFScanlineSize(tiff);
    if (scanlineSize <= 0 || static_cast<uint64_t>(scanlineSize) < NeededScanlineBytes(layout))
        return {};
    Picture dib = run.Allocate(layout.width, layout.length, layout.DIBBits());
    if (!dib || !WriteColorTable(tiff, layout, dib.Data()))
        return {};

    std::vector<uint8_t> scanline(static_cast<size_t>(scanlineSize));
    const RowProgress progress(run.options.progress);
    const uint64_t stride = PictureRowBytes(layout.width, layout.DIBBits());
    uint8_t* pixels = dib.Pixels();
    const long total = static_cast<long>(layout.length);
    for (uint32_t r = 0; r < layout.length; ++r) {
        if (run.Stopping())
            return {};
        if (TIFFReadScanline(tiff, scanline.data(), r, 0) < 0)
            return {};
        ConvertRow(layout, scanline.data(), pixels + (layout.length - 1 - r) * stride);
        progress.Step(static_cast<long>(r) + 1, total);
    }
    return dib;
}

// Frees a libtiff composing state however the read ends.
struct RgbaImage {
    TIFFRGBAImage image{};
    bool begun = false;
    ~RgbaImage()
    {
        if (begun)
            TIFFRGBAImageEnd(&image);
    }
};

// Rows composed at a time: whole strips or rows of tiles, at least 64 rows.
// A band that ends inside a strip would make libtiff decode that strip again
// for the next band (and some decoders, old-style JPEG among them, cannot
// read a tile twice).
uint32_t BandRows(TIFF* tiff, const TiffLayout& layout)
{
    uint32_t unit = 0;
    if (layout.tiled)
        TIFFGetField(tiff, TIFFTAG_TILELENGTH, &unit);
    else
        TIFFGetFieldDefaulted(tiff, TIFFTAG_ROWSPERSTRIP, &unit);
    unit = std::clamp<uint32_t>(unit, 1, layout.length);
    constexpr uint32_t kLeastRows = 64;
    const uint64_t rows = (uint64_t{kLeastRows} + unit - 1) / unit * unit;
    return static_cast<uint32_t>(std::min<uint64_t>(rows, layout.length));
}

// CMYK with 16-bit samples, interleaved in strips: libtiff composes CMYK of
// 8 bits only, so these rows are read here, each ink taken at its high byte
// and composed as libtiff composes 8-bit inks (red = (255 - C)(255 - K) / 255).
bool IsSixteenBitCmyk(TIFF* tiff, const TiffLayout& layout)
{
    uint16_t inks = INKSET_CMYK;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_INKSET, &inks);
    return layout.photometric == PHOTOMETRIC_SEPARATED && inks == INKSET_CMYK && layout.bitsPerSample == 16 &&
           layout.samplesPerPixel >= 4 && layout.planar == PLANARCONFIG_CONTIG && !layout.tiled;
}

Picture ReadSixteenBitCmyk(TIFF* tiff, const TiffLayout& layout, TiffRun& run)
{
    const uint64_t needed = NeededScanlineBytes(layout);
    const tmsize_t lineBytes = TIFFScanlineSize(tiff);
    if (lineBytes <= 0 || static_cast<uint64_t>(lineBytes) < needed)
        return {};
    Picture dib = run.Allocate(layout.width, layout.length, 24);
    if (!dib)
        return {};
    std::vector<uint8_t> line(static_cast<size_t>(lineBytes));
    const RowProgress progress(run.options.progress);
    const uint64_t stride = PictureRowBytes(layout.width, 24);
    const size_t pixelBytes = size_t{2} * layout.samplesPerPixel;
    uint8_t* pixels = dib.Pixels();
    for (uint32_t y = 0; y < layout.length; ++y) {
        if (run.Stopping())
            return {};
        if (TIFFReadScanline(tiff, line.data(), y, 0) < 0)
            return {};
        uint8_t* out = pixels + (layout.length - 1 - y) * stride;
        for (uint32_t x = 0; x < layout.width; ++x, out += 3) {
            uint16_t ink[4];
            std::memcpy(ink, line.data() + x * pixelBytes, sizeof ink);  // in host order
            const unsigned light = 255 - (ink[3] >> 8);
            out[0] = static_cast<uint8_t>(light * (255 - (ink[2] >> 8)) / 255);
            out[1] = static_cast<uint8_t>(light * (255 - (ink[1] >> 8)) / 255);
            out[2] = static_cast<uint8_t>(light * (255 - (ink[0] >> 8)) / 255);
        }
        progress.Step(static_cast<long>(y + 1), static_cast<long>(layout.length));
    }
    return dib;
}

// libtiff composes every other layout it understands (samples of 16 bits,
// 8-bit CMYK, YCbCr, JPEG-compressed and planar files...) into 32-bit ABGR
// pixels; 16-bit CMYK it refuses, read above. It is
// asked for a band of whole strips at a time, so that a band rather than a
// second picture is held beside the DIB (a file stored as one strip is
// composed whole).
Picture ReadThroughRgba(TIFF* tiff, const TiffLayout& layout, TiffRun& run)
{
    char reason[1024];
    if (!TIFFRGBAImageOK(tiff, reason)) {
        run.failure = ReadError::Unsupported;
        return {};
    }
    Picture dib = run.Allocate(layout.width, layout.length, 24);
    if (!dib)
        return {};
    RgbaImage rgba;
    if (!TIFFRGBAImageBegin(&rgba.image, tiff, 1, reason))
        return {};
    rgba.begun = true;
    rgba.image.req_orientation = ORIENTATION_TOPLEFT;

    const uint32_t bandRows = BandRows(tiff, layout);
    if (uint64_t{layout.width} * bandRows * 4 > kMaxPixelBytes)
        return {};
    std::vector<uint32_t> band(uint64_t{layout.width} * bandRows);
    const RowProgress progress(run.options.progress);
    const uint64_t stride = PictureRowBytes(layout.width, 24);
    uint8_t* pixels = dib.Pixels();
    for (uint32_t top = 0; top < layout.length; top += bandRows) {
        if (run.Stopping())
            return {};
        const uint32_t rows = std::min(bandRows, layout.length - top);
        rgba.image.row_offset = static_cast<int>(top);
        rgba.image.col_offset = 0;
        if (!TIFFRGBAImageGet(&rgba.image, band.data(), layout.width, rows))
            return {};
        for (uint32_t y = 0; y < rows; ++y) {
            const uint32_t* in = band.data() + uint64_t{y} * layout.width;
            uint8_t* out = pixels + (layout.length - 1 - top - y) * stride;
            for (uint32_t x = 0; x < layout.width; ++x, out += 3) {
                out[0] = static_cast<uint8_t>(TIFFGetB(in[x]));
                out[1] = static_cast<uint8_t>(TIFFGetG(in[x]));
                out[2] = static_cast<uint8_t>(TIFFGetR(in[x]));
            }
        }
        progress.Step(static_cast<long>(top + rows), static_cast<long>(layout.length));
    }
    return dib;
}

ReadResult ReadPicture(TIFF* tiff, const ReadOptions& options)
{
    TiffLayout layout;
    if (!ReadLayout(tiff, layout))
        return ReadFailed(ReadError::Unsupported);
    if (!options.SizeAllowed(layout.width, layout.length))
        return options.TooLarge(layout.width, layout.length);
    if (!FileCanHoldPixels(tiff, layout))
        return ReadFailed(ReadError::Damaged);
    // Rows are read as stored and turned upright afterwards; libtiff's own
    // composing path is told the rows stand upright so that it does not
    // mirror them on its own.
    uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_ORIENTATION, &orientation);
    TIFFSetField(tiff, TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TiffRun run{options};
    Picture dib = ReadsRowByRow(layout)              ? ReadScanlines(tiff, layout, run)
               : IsSixteenBitCmyk(tiff, layout) ? ReadSixteenBitCmyk(tiff, layout, run)
                                                : ReadThroughRgba(tiff, layout, run);
    if (!dib)
        return ReadFailed(run.failure);
    return ApplyOrientation(std::move(dib), orientation);
}

// The first bytes of a TIFF file: "II*\0" or "MM\0*" (BigTIFF: 43 for 42).
bool HasTiffMagic(std::span<const uint8_t> head)
{
    if (head.size() < 4)
        return false;
    if (head[0] == 'I' && head[1] == 'I')
        return (head[2] == 42 || head[2] == 43) && head[3] == 0;
    if (head[0] == 'M' && head[1] == 'M')
        return head[2] == 0 && (head[3] == 42 || head[3] == 43);
    return false;
}

// What libtiff said goes with the result, to be shown as it always was.
ReadResult WithLibraryWords(ReadResult result, const TiffMessages& messages)
{
    if (messages.HadError()) {
        result.detail.text = messages.FirstError();
        result.detail.caption = messages.FirstModule();
    }
    return result;
}

ReadResult ReadOpened(TiffHandle tiff, bool tiffMagic, const TiffMessages& messages, const ReadOptions& options)
{
    ReadResult result = tiff ? ReadPicture(tiff.get(), options)
                             : ReadFailed(tiffMagic ? ReadError::Damaged : ReadError::NotThisType);
    tiff.reset();  // libtiff may still speak while it closes
    return WithLibraryWords(std::move(result), messages);
}

}  // namespace

ReadResult ReadTIFFFile(const PictureFile& file, const ReadOptions& options)
{
    if (!file)
        return ReadFailed(file.Error());
    uint8_t head[4] = {};
    const bool magic = HasTiffMagic({head, file.ReadAt(head, sizeof head, 0)});
    const TiffMessages messages;
    return ReadOpened(OpenTiffFile(file, messages), magic, messages, options);
}

ReadResult ReadTIFFFile(const std::string& path, const ReadOptions& options)
{
    return ReadTIFFFile(PictureFile::Open(path), options);
}

ReadResult ReadTIFFFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    const TiffMessages messages;
    TiffMemory memory{bytes};
    return ReadOpened(OpenTiffMemory(memory, messages), HasTiffMagic(bytes), messages, options);
}

}  // namespace lumora
