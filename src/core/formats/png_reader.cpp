#include "core/formats/png_reader.h"

#include <spng.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "core/picture/alpha_blend.h"
#include "core/picture/row_progress.h"

namespace lumora {
namespace {

struct ContextFree {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using PngContext = std::unique_ptr<spng_ctx, ContextFree>;

constexpr int kColorIndexed = 3;

// Where each of the seven interlacing passes puts its pixels along a row.
constexpr uint32_t kPassStart[7] = {0, 4, 0, 2, 0, 1, 0};
constexpr uint32_t kPassStep[7] = {8, 8, 4, 4, 2, 2, 1};

struct RowSpan {
    uint32_t start = 0, step = 1;
};

RowSpan PixelsOf(const spng_ihdr& header, const spng_row_info& row)
{
    if (header.interlace_method == 0 || row.pass < 0 || row.pass > 6)
        return {};
    return {kPassStart[row.pass], kPassStep[row.pass]};
}

// Palette entries with their transparency already laid over white.
bool WritePalette(spng_ctx* ctx, uint8_t* dib)
{
    spng_plte palette{};
    if (spng_get_plte(ctx, &palette) != 0)
        return false;
    spng_trns transparency{};
    const bool hasAlpha = spng_get_trns(ctx, &transparency) == 0;
    uint8_t* table = dib + kInfoHeaderSize;
    for (uint32_t i = 0; i < 256; ++i, table += 4) {
        if (i >= palette.n_entries) {
            table[0] = table[1] = table[2] = table[3] = 0;
            continue;
        }
        const spng_plte_entry& e = palette.entries[i];
        const unsigned alpha = hasAlpha && i < transparency.n_type3_entries ? transparency.type3_alpha[i] : 255u;
        table[0] = OverWhite(e.blue, alpha);
        table[1] = OverWhite(e.green, alpha);
        table[2] = OverWhite(e.red, alpha);
        table[3] = 0;
    }
    return true;
}

// Decodes every row; `store` receives each one with the pixels it carries.
// None when every row came, else Damaged or Stopped.
template <typename Store>
ReadError DecodeRows(spng_ctx* ctx, const spng_ihdr& header, std::vector<uint8_t>& row,
                     const ReadOptions& options, Store store)
{
    const RowProgress progress(options.progress);
    long rowsDone = 0;
    const long totalRows = static_cast<long>(header.height) * (header.interlace_method ? 2 : 1);
    for (;;) {
        if (options.StopRequested())
            return ReadError::Stopped;
        spng_row_info info{};
        int status = spng_get_row_info(ctx, &info);
        if (status == SPNG_EOI)
            return ReadError::None;
        if (status != 0)
            return ReadError::Damaged;
        status = spng_decode_row(ctx, row.data(), row.size());
        if (status != 0 && status != SPNG_EOI)
            return ReadError::Damaged;
        if (info.row_num >= header.height)
            return ReadError::Damaged;
        store(info.row_num, PixelsOf(header, info));
        progress.Step(std::min(++rowsDone, totalRows), totalRows);
        if (status == SPNG_EOI)
            return ReadError::None;
    }
}

ReadResult DecodeIndexed(spng_ctx* ctx, const spng_ihdr& header, const ReadOptions& options)
{
    if (spng_decode_image(ctx, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE) != 0)
        return ReadFailed(ReadError::Damaged);
    Picture dib = Picture::Make(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), 8);
    if (!dib)
        throw std::bad_alloc();
    if (!WritePalette(ctx, dib.Data()))
        return ReadFailed(ReadError::Damaged);
    const uint32_t width = header.width, height = header.height;
    const unsigned depth = header.bit_depth;  // 1, 2, 4 or 8
    std::vector<uint8_t> row((uint64_t{width} * depth + 7) / 8);
    const uint64_t stride = PictureRowBytes(width, 8);
    uint8_t* pixels = dib.Pixels();
    const unsigned mask = (1u << depth) - 1;
    const ReadError error = DecodeRows(ctx, header, row, options, [&](uint32_t y, RowSpan span) {
        uint8_t* out = pixels + (height - 1 - y) * stride;
        for (uint32_t x = span.start; x < width; x += span.step) {
            const uint64_t bit = uint64_t{x} * depth;
            out[x] = static_cast<uint8_t>((row[bit / 8] >> (8 - depth - bit % 8)) & mask);
        }
    });
    if (error != ReadError::None)
        return ReadFailed(error);
    return dib;
}

ReadResult DecodeColour(spng_ctx* ctx, const spng_ihdr& header, const ReadOptions& options)
{
    if (spng_decode_image(ctx, nullptr, 0, SPNG_FMT_RGBA8, SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE) != 0)
        return ReadFailed(ReadError::Damaged);
    Picture dib = Picture::Make(static_cast<int32_t>(header.width), static_cast<int32_t>(header.height), 24, {ColourTable::Black, false});
    if (!dib)
        throw std::bad_alloc();
    const uint32_t width = header.width, height = header.height;
    std::vector<uint8_t> row(uint64_t{width} * 4);
    const uint64_t stride = PictureRowBytes(width, 24);
    uint8_t* pixels = dib.Pixels();
    const ReadError error = DecodeRows(ctx, header, row, options, [&](uint32_t y, RowSpan span) {
        uint8_t* out = pixels + (height - 1 - y) * stride;
        for (uint32_t x = span.start; x < width; x += span.step) {
            const uint8_t* in = &row[uint64_t{x} * 4];
            uint8_t* o = out + uint64_t{x} * 3;
            if (in[3] == 255) {
                o[0] = in[2];
                o[1] = in[1];
                o[2] = in[0];
            } else {
                o[0] = OverWhite(in[2], in[3]);
                o[1] = OverWhite(in[1], in[3]);
                o[2] = OverWhite(in[0], in[3]);
            }
        }
        // Row padding stays zero, as in every picture.
        for (uint64_t i = uint64_t{width} * 3; i < stride; ++i)
            out[i] = 0;
    });
    if (error != ReadError::None)
        return ReadFailed(error);
    return dib;
}

ReadResult DecodePng(spng_ctx* ctx, const ReadOptions& options)
{
    // Chunks beyond the image data are bounded too: a file cannot make the
    // decoder keep more than a few megabytes of text or profiles.
    spng_set_chunk_limits(ctx, 16u << 20, 64u << 20);
    spng_ihdr header{};
    if (const int status = spng_get_ihdr(ctx, &header); status != 0)
        return ReadFailed(status == SPNG_ESIGNATURE ? ReadError::NotThisType : ReadError::Damaged);
    if (header.width == 0 || header.height == 0 || header.width > INT32_MAX || header.height > INT32_MAX)
        return ReadFailed(ReadError::Damaged);
    if (!options.SizeAllowed(header.width, header.height))
        return options.TooLarge(header.width, header.height);
    return header.color_type == kColorIndexed ? DecodeIndexed(ctx, header, options)
                                               : DecodeColour(ctx, header, options);
}

}  // namespace

ReadResult ReadPNGFile(const PictureFile& file, const ReadOptions& options)
{
    if (!file)
        return ReadFailed(file.Error());
    const PictureStream stream = file.OpenStream();
    PngContext ctx(spng_ctx_new(0));
    if (!stream || !ctx || spng_set_png_file(ctx.get(), stream.get()) != 0)
        return PictureOutOfMemory(file.Path());
    try {
        return DecodePng(ctx.get(), options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory(file.Path());
    }
}

ReadResult ReadPNGFile(const std::string& path, const ReadOptions& options)
{
    return ReadPNGFile(PictureFile::Open(path), options);
}

ReadResult ReadPNGFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    PngContext ctx(spng_ctx_new(0));
    if (!ctx || spng_set_png_buffer(ctx.get(), bytes.data(), bytes.size()) != 0)
        return PictureOutOfMemory("PNG");
    try {
        return DecodePng(ctx.get(), options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory("PNG");
    }
}

}  // namespace lumora
