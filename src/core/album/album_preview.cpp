#include "core/album/album_preview.h"

#include "core/album/album_item.h"
#include "core/picture/area_reduce.h"
#include "core/formats/byte_source.h"
#include "core/colour/halftone.h"
#include "core/formats/image_format.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/pcd/pcd_layout.h"
#include "core/formats/pcd/photo_cd.h"
#include "core/platform/file.h"
#include "core/platform/services.h"

namespace lumora {
namespace {

// The picture as decoded for the box, with the file's own size and depth.
struct DecodedPicture {
    ReadResult read;
    uint32_t fullWidth = 0, fullHeight = 0;
    int fullBitCount = 0;
};

// The file is open and its reader chosen here, once.
DecodedPicture DecodeForBox(const PictureFile& file, uint16_t boxWidth, uint16_t boxHeight, EighthDecoding eighth)
{
    DecodedPicture decoded;
    const int format = ImageFormat(file.Path());
    switch (format) {
    case kFormatJPG: {
        JpegBoxRead read = ReadJPEGForBox(file, [&](uint32_t w, uint32_t h) {
            const FittedSize size = FitPreview(boxWidth, boxHeight, w, h);
            return NeededSize{static_cast<uint32_t>(size.width), static_cast<uint32_t>(size.height), false, eighth};
        });
        if (read.picture)
            decoded = {std::move(read.picture), read.fullWidth, read.fullHeight, read.fullBitCount};
        else
            decoded.read = ReadFailed(read.error);
        return decoded;
    }
    case kFormatPCD: {
        // Previews take the picture at the size the box needs, not the
        // size the preferences choose for windows.
        ReadOptions options;
        options.photoCDSize = PhotoCDSizeForBox(boxWidth, boxHeight);
        decoded.read = ReadPhotoCDFile(file, options);
        break;
    }
    default:
        // Full colour, and without the gauge: previews are made on worker threads.
        decoded.read = ReadPictureFile(file, format, ReadOptions{});
        break;
    }
    if (const Picture& picture = decoded.read.picture) {
        const PictureSpan dib = picture.Span();
        decoded.fullWidth = dib.Width();
        decoded.fullHeight = dib.Height();
        decoded.fullBitCount = dib.BitCount();
    }
    return decoded;
}

}  // namespace

int PhotoCDSizeForBox(uint16_t boxWidth, uint16_t boxHeight)
{
    const FittedSize wide = FitPreview(boxWidth, boxHeight, 3, 2);
    const FittedSize tall = FitPreview(boxWidth, boxHeight, 2, 3);
    const auto longSide = static_cast<uint32_t>(std::max(wide.width, tall.height));
    const auto shortSide = static_cast<uint32_t>(std::max(wide.height, tall.width));
    int code = 0;
    for (uint32_t w = pcd::kMiniPicture.width, h = pcd::kMiniPicture.height; code < 3;
         ++code, w *= 2, h *= 2)
        if (w >= longSide && h >= shortSide)
            break;
    return code;
}

PreviewPicture MakePreviewOnWorker(const std::string& path, uint16_t boxWidth, uint16_t boxHeight,
                                   const Palette& palette, PreviewColors colors, EighthDecoding eighth)
{
    // The readers say nothing themselves: what the read has to tell travels
    // in the result to the thread that shows it.
    return MakePreviewPicture(path, boxWidth, boxHeight, palette, colors, eighth);
}

PreviewColors PreferredPreviewColors()
{
    return CurrentPreferences().previews256 ? PreviewColors::AppPalette256 : PreviewColors::TrueColor;
}

PreviewPicture MakePreviewPicture(const std::string& path, uint16_t boxWidth, uint16_t boxHeight,
                                  const Palette& palette, PreviewColors colors, EighthDecoding eighth)
{
    PreviewPicture made;
    const PictureFile file = PictureFile::Open(path);
    if (!file) {
        made.readError = file.Error();
        return made;
    }
    DecodedPicture decoded = DecodeForBox(file, boxWidth, boxHeight, eighth);
    made.messages = ReadMessages(decoded.read);
    made.readError = decoded.read.error;
    const Picture& picture = decoded.read.picture;
    if (!picture)
        return made;
    made.fileRead = true;
    made.imageWidth = static_cast<int16_t>(decoded.fullWidth);
    made.imageHeight = static_cast<int16_t>(decoded.fullHeight);
    made.bitsPerPixel = static_cast<int16_t>(decoded.fullBitCount);
    made.imageFileSize = static_cast<uint32_t>(file.Size());

    // The fitted size comes from the file's own proportions, whatever size
    // it was decoded at.
    const FittedSize size = FitPreview(boxWidth, boxHeight, decoded.fullWidth, decoded.fullHeight);
    made.preview = colors == PreviewColors::TrueColor
                       ? ReduceToTrueColor(picture, size.width, size.height)
                       : ResizeToAppPalette(picture, size.width, size.height, palette);
    return made;
}

}  // namespace lumora
