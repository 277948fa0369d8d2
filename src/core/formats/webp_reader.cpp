#include "core/formats/webp_reader.h"

#include <webp/decode.h>
#include <webp/demux.h>

#include <cstring>
#include <memory>
#include <new>

#include "core/picture/alpha_blend.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

struct DemuxDeleter {
    void operator()(WebPDemuxer* demux) const { WebPDemuxDelete(demux); }
};

// The bytes of the still picture: the file itself, or its first frame.
struct Still {
    std::span<const uint8_t> bytes;
    std::unique_ptr<WebPDemuxer, DemuxDeleter> demux;  // keeps the frame's bytes described
};

bool FindStill(std::span<const uint8_t> file, const WebPBitstreamFeatures& features, Still& still)
{
    if (!features.has_animation) {
        still.bytes = file;
        return true;
    }
    const WebPData data{file.data(), file.size()};
    still.demux.reset(WebPDemux(&data));
    if (!still.demux)
        return false;
    WebPIterator frame{};
    if (!WebPDemuxGetFrame(still.demux.get(), 1, &frame))
        return false;
    still.bytes = {frame.fragment.bytes, frame.fragment.size};
    WebPDemuxReleaseIterator(&frame);
    return true;
}

// Transparent pictures are decoded with four bytes a pixel into the same
// block, then laid over white and packed to three bytes in place: row i
// (bottom-up) moves from 4 x width x i to stride x i, never ahead of what is
// still to be read.
void PackOverWhite(uint8_t* pixels, uint32_t width, uint32_t height, uint64_t stride)
{
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = pixels + uint64_t{y} * width * 4;
        uint8_t* out = pixels + y * stride;
        for (uint32_t x = 0; x < width; ++x, in += 4, out += 3) {
            const uint8_t alpha = in[3];
            const uint8_t b = in[0], g = in[1], r = in[2];
            out[0] = OverWhite(b, alpha);
            out[1] = OverWhite(g, alpha);
            out[2] = OverWhite(r, alpha);
        }
        for (uint64_t i = uint64_t{width} * 3; i < stride; ++i)
            pixels[y * stride + i] = 0;
    }
}

// "RIFF", the chunk's length, then "WEBP".
bool HasWebPSignature(std::span<const uint8_t> file)
{
    return file.size() >= 12 && std::memcmp(file.data(), "RIFF", 4) == 0 && std::memcmp(file.data() + 8, "WEBP", 4) == 0;
}

ReadError ErrorOfStatus(VP8StatusCode status)
{
    switch (status) {
    case VP8_STATUS_OK: return ReadError::None;
    case VP8_STATUS_OUT_OF_MEMORY: return ReadError::OutOfMemory;
    case VP8_STATUS_UNSUPPORTED_FEATURE: return ReadError::Unsupported;
    case VP8_STATUS_USER_ABORT: return ReadError::Stopped;
    default: return ReadError::Damaged;
    }
}

ReadResult DecodeWebP(std::span<const uint8_t> file, const ReadOptions& options)
{
    if (!HasWebPSignature(file))
        return ReadFailed(ReadError::NotThisType);
    WebPDecoderConfig config;
    if (!WebPInitDecoderConfig(&config))
        return ReadFailed(ReadError::OutOfMemory);
    if (const VP8StatusCode status = WebPGetFeatures(file.data(), file.size(), &config.input); status != VP8_STATUS_OK)
        return ReadFailed(ErrorOfStatus(status));
    Still still;
    if (!FindStill(file, config.input, still))
        return ReadFailed(ReadError::Damaged);
    if (const VP8StatusCode status = WebPGetFeatures(still.bytes.data(), still.bytes.size(), &config.input);
        status != VP8_STATUS_OK)
        return ReadFailed(ErrorOfStatus(status));
    const int width = config.input.width, height = config.input.height;
    if (width <= 0 || height <= 0)
        return ReadFailed(ReadError::Damaged);
    if (!options.SizeAllowed(static_cast<uint64_t>(width), static_cast<uint64_t>(height)))
        return options.TooLarge(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    // libwebp decodes in one call: the stop is looked at before it starts.
    if (options.StopRequested())
        return ReadFailed(ReadError::Stopped);
    Picture dib = Picture::Make(width, height, 24, {ColourTable::Black, false});
    if (!dib)
        throw std::bad_alloc();
    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(width), 24);
    const size_t pixelOffset = dib.PixelOffset();
    const bool alpha = config.input.has_alpha;
    const uint64_t decodedStride = alpha ? uint64_t{4} * static_cast<uint64_t>(width) : stride;
    const uint64_t decodedBytes = decodedStride * static_cast<uint64_t>(height);
    if (alpha && !dib.Resize(pixelOffset + decodedBytes))
        throw std::bad_alloc();

    config.options.flip = 1;  // bottom row first, as pictures keep them
    config.output.colorspace = alpha ? MODE_BGRA : MODE_BGR;
    config.output.is_external_memory = 1;
    config.output.u.RGBA.rgba = dib.Data() + pixelOffset;
    config.output.u.RGBA.stride = static_cast<int>(decodedStride);
    config.output.u.RGBA.size = decodedBytes;
    const VP8StatusCode status = WebPDecode(still.bytes.data(), still.bytes.size(), &config);
    WebPFreeDecBuffer(&config.output);
    if (status != VP8_STATUS_OK)
        return ReadFailed(ErrorOfStatus(status));
    if (alpha) {
        PackOverWhite(dib.Data() + pixelOffset, static_cast<uint32_t>(width), static_cast<uint32_t>(height),
                      stride);
        if (!dib.Resize(pixelOffset + stride * static_cast<uint64_t>(height)))
            return ReadFailed(ReadError::OutOfMemory);
    } else {
        // libwebp leaves the row padding as it found it.
        uint8_t* pixels = dib.Data() + pixelOffset;
        for (int y = 0; y < height; ++y)
            for (uint64_t i = uint64_t{3} * static_cast<uint64_t>(width); i < stride; ++i)
                pixels[static_cast<uint64_t>(y) * stride + i] = 0;
    }
    return dib;
}

}  // namespace

ReadResult ReadWebPFile(const PictureFile& file, const ReadOptions& options)
{
    try {
        std::vector<uint8_t> bytes;
        if (const ReadError error = file.ReadAll(bytes); error != ReadError::None)
            return ReadFailed(error);
        return DecodeWebP(bytes, options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory(file.Path());
    }
}

ReadResult ReadWebPFile(const std::string& path, const ReadOptions& options)
{
    return ReadWebPFile(PictureFile::Open(path), options);
}

ReadResult ReadWebPFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    try {
        return DecodeWebP(bytes, options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory("WebP");
    }
}

}  // namespace lumora
