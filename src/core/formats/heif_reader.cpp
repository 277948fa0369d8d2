#include "core/formats/heif_reader.h"

#include <libheif/heif.h>

#include <memory>
#include <new>
#include <vector>

#include "core/picture/alpha_blend.h"
#include "core/formats/heif_canvas.h"

namespace lumora {
namespace {

struct HeifFree {
    void operator()(heif_context* p) const { heif_context_free(p); }
    void operator()(heif_image_handle* p) const { heif_image_handle_release(p); }
    void operator()(heif_image* p) const { heif_image_release(p); }
    void operator()(heif_decoding_options* p) const { heif_decoding_options_free(p); }
};
template <typename T>
using HeifPtr = std::unique_ptr<T, HeifFree>;

ReadError ErrorOfHeif(const heif_error& error)
{
    switch (error.code) {
    case heif_error_Ok: return ReadError::None;
    case heif_error_Invalid_input:
        return error.subcode == heif_suberror_No_ftyp_box ? ReadError::NotThisType : ReadError::Damaged;
    case heif_error_Unsupported_filetype: return ReadError::NotThisType;
    case heif_error_Unsupported_feature: return ReadError::Unsupported;
    case heif_error_Decoder_plugin_error:
        return error.subcode == heif_suberror_Unsupported_codec ? ReadError::Unsupported : ReadError::Damaged;
    case heif_error_Memory_allocation_error: return ReadError::OutOfMemory;
    default: return ReadError::Damaged;
    }
}

ReadResult DecodeHeif(std::span<const uint8_t> file, const ReadOptions& readOptions)
{
    // A grid or an overlay is put together at the size its own data gives,
    // whatever size the file declares, and libheif may take that memory as
    // soon as it reads the file: the size is looked at first.
    if (const std::optional<HeifCanvas> canvas = PrimaryHeifCanvas(file)) {
        if (!canvas->known)
            return ReadFailed(ReadError::Damaged);
        if (!readOptions.SizeAllowed(canvas->width, canvas->height))
            return readOptions.TooLarge(canvas->width, canvas->height);
    }
    HeifPtr<heif_context> context(heif_context_alloc());
    if (!context)
        return ReadFailed(ReadError::OutOfMemory);
    // No single side beyond what the picture size limit could allow.
    heif_context_set_maximum_image_size_limit(context.get(), 1 << 18);
    if (const heif_error read = heif_context_read_from_memory_without_copy(context.get(), file.data(), file.size(), nullptr);
        read.code != heif_error_Ok)
        return ReadFailed(ErrorOfHeif(read));
    heif_image_handle* rawHandle = nullptr;
    if (const heif_error primary = heif_context_get_primary_image_handle(context.get(), &rawHandle);
        primary.code != heif_error_Ok)
        return ReadFailed(ErrorOfHeif(primary));
    HeifPtr<heif_image_handle> handle(rawHandle);
    // The size once turned, as the picture will be shown.
    const int declaredWidth = heif_image_handle_get_width(handle.get());
    const int declaredHeight = heif_image_handle_get_height(handle.get());
    if (declaredWidth <= 0 || declaredHeight <= 0)
        return ReadFailed(ReadError::Damaged);
    if (!readOptions.SizeAllowed(static_cast<uint64_t>(declaredWidth), static_cast<uint64_t>(declaredHeight)))
        return readOptions.TooLarge(static_cast<uint64_t>(declaredWidth), static_cast<uint64_t>(declaredHeight));
    // libheif decodes in one call: the stop is looked at before it starts.
    if (readOptions.StopRequested())
        return ReadFailed(ReadError::Stopped);

    const bool alpha = heif_image_handle_has_alpha_channel(handle.get()) != 0;
    HeifPtr<heif_decoding_options> options(heif_decoding_options_alloc());
    if (!options)
        return ReadFailed(ReadError::OutOfMemory);
    options->ignore_transformations = 0;  // rotation and mirroring applied
    heif_image* rawImage = nullptr;
    if (const heif_error decoded = heif_decode_image(handle.get(), &rawImage, heif_colorspace_RGB,
                                                     alpha ? heif_chroma_interleaved_RGBA : heif_chroma_interleaved_RGB,
                                                     options.get());
        decoded.code != heif_error_Ok)
        return ReadFailed(ErrorOfHeif(decoded));
    HeifPtr<heif_image> image(rawImage);
    const int width = heif_image_get_width(image.get(), heif_channel_interleaved);
    const int height = heif_image_get_height(image.get(), heif_channel_interleaved);
    int sourceStride = 0;
    const uint8_t* source = heif_image_get_plane_readonly(image.get(), heif_channel_interleaved, &sourceStride);
    if (!source || width <= 0 || height <= 0)
        return ReadFailed(ReadError::Damaged);
    if (!readOptions.SizeAllowed(static_cast<uint64_t>(width), static_cast<uint64_t>(height)))
        return readOptions.TooLarge(static_cast<uint64_t>(width), static_cast<uint64_t>(height));
    const int channels = alpha ? 4 : 3;
    if (sourceStride < width * channels)
        return ReadFailed(ReadError::Damaged);

    Picture dib = Picture::Make(width, height, 24);
    if (!dib)
        throw std::bad_alloc();
    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(width), 24);
    uint8_t* pixels = dib.Pixels();
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = source + static_cast<uint64_t>(y) * static_cast<uint64_t>(sourceStride);
        uint8_t* out = pixels + static_cast<uint64_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; ++x, in += channels, out += 3) {
            const unsigned a = alpha ? in[3] : 255u;
            out[0] = OverWhite(in[2], a);
            out[1] = OverWhite(in[1], a);
            out[2] = OverWhite(in[0], a);
        }
    }
    return dib;
}

}  // namespace

ReadResult ReadHEIFFile(const PictureFile& file, const ReadOptions& options)
{
    try {
        std::vector<uint8_t> bytes;
        if (const ReadError error = file.ReadAll(bytes); error != ReadError::None)
            return ReadFailed(error);
        return DecodeHeif(bytes, options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory(file.Path());
    }
}

ReadResult ReadHEIFFile(const std::string& path, const ReadOptions& options)
{
    return ReadHEIFFile(PictureFile::Open(path), options);
}

ReadResult ReadHEIFFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    try {
        return DecodeHeif(bytes, options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory("HEIF");
    }
}

}  // namespace lumora
