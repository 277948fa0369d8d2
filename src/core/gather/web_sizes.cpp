#include "core/gather/web_sizes.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <sys/stat.h>

#include "core/album/album_preview.h"
#include "core/formats/byte_source.h"
#include "core/formats/image_format.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "core/formats/pcd/photo_cd.h"
#include "core/formats/screen_picture.h"
#include "core/gather/web_viewer.h"
#include "core/picture/area_reduce.h"
#include "core/platform/file.h"
#include "core/platform/ordered_parallel.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

constexpr int kLargestSide = kWebSizeSides[std::size(kWebSizeSides) - 1];

PixelSize FittedToSide(int width, int height, int side)
{
    PixelSize size{width, height};
    FitWithin(side, side, size.width, size.height);
    return size;
}

PixelSize SizeOf(const Picture& picture)
{
    return {static_cast<int>(picture.Width()), static_cast<int>(picture.Height())};
}

Picture ReadPhotoCD(const std::string& source)
{
    File file;
    if (!file.Open(source, File::Mode::Read))
        return {};
    FileSource bytes(file);
    ReadOptions options;
    options.photoCDSize = PhotoCDSizeForBox(kLargestSide, kLargestSide);
    return std::move(ReadPhotoCDFromSource(bytes, options).picture);
}

// One photo's copies, made on a worker thread before its turn to be written.
struct MadeSizes {
    std::vector<WebSizePicture> pictures;
};

}  // namespace

std::vector<PixelSize> WebSizesFor(int width, int height)
{
    std::vector<PixelSize> sizes;
    if (width <= 0 || height <= 0)
        return sizes;
    const int longSide = std::max(width, height);
    for (const int side : kWebSizeSides)
        if (side < longSide)
            sizes.push_back(FittedToSide(width, height, side));
    if (longSide <= kLargestSide)
        sizes.push_back({width, height});
    return sizes;
}

std::string WebSizeName(int item, const PixelSize& size)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s/%s/%04d-%d.jpg", kViewerFolder, kWebSizesFolder, item,
                  std::max(size.width, size.height));
    return name;
}

Picture ReadForWebSizes(const std::string& source)
{
    switch (ImageFormat(source)) {
    case kFormatJPG:
        // Reduced while decoding to the eighth just above the largest size,
        // or decoded whole when that is more than a half.
        return ReadJPEGForBox(source, [](uint32_t width, uint32_t height) {
                   int fittedWidth = static_cast<int>(width), fittedHeight = static_cast<int>(height);
                   FitWithin(kLargestSide, kLargestSide, fittedWidth, fittedHeight);
                   return NeededSize{static_cast<uint32_t>(fittedWidth), static_cast<uint32_t>(fittedHeight), true};
               })
            .picture;
    case kFormatPCD: return ReadPhotoCD(source);
    default: return std::move(ReadImageFile(source, ReadOptions{}).picture);
    }
}

std::vector<WebSizePicture> EncodeWebSizes(const Picture& upright, const std::function<bool()>& cancelled)
{
    std::vector<WebSizePicture> pictures;
    if (!upright)
        return pictures;
    const PixelSize read = SizeOf(upright);
    std::vector<PixelSize> sizes = WebSizesFor(read.width, read.height);
    // Largest first, so that each smaller copy averages the larger one
    // rather than the whole picture again.
    std::reverse(sizes.begin(), sizes.end());
    Picture larger;
    for (const PixelSize& size : sizes) {
        if (cancelled && cancelled())
            return {};
        const Picture& from = larger ? larger : upright;
        Picture reduced = ReduceToTrueColor(from, size.width, size.height);
        if (!reduced)
            return {};
        auto jpeg = EncodeJPEG(reduced, kWebSizeQuality, cancelled);
        if (!jpeg)
            return {};
        pictures.push_back({size, std::move(*jpeg)});
        larger = std::move(reduced);
    }
    std::reverse(pictures.begin(), pictures.end());
    return pictures;
}

std::vector<std::vector<WebSize>> WriteWebSizes(const std::vector<WebSizesSource>& items,
                                                const std::string& destination, const GatherCancel& cancelled,
                                                unsigned threads, GatherFileResult& result,
                                                const AlbumOwnFiles* own)
{
    result = GatherFileResult::Written;
    std::vector<std::vector<WebSize>> written(items.size());
    ::mkdir((destination + "/" + kViewerFolder).c_str(), 0777);
    ::mkdir((destination + "/" + kViewerFolder + "/" + kWebSizesFolder).c_str(), 0777);
    bool stopped = false;
    const auto stop = [&] { return stopped || (cancelled && cancelled()); };
    RunInOrder<MadeSizes>(
        items.size(),
        [&](size_t i) {
            // A picture that cannot be read has no copies: the viewer shows
            // its preview instead. Its readers' messages are not the gather's.
            ScopedHeldMessages quiet;
            return MadeSizes{EncodeWebSizes(ReadForWebSizes(items[i].source), stop)};
        },
        [&](size_t i, MadeSizes&& made) {
            for (const WebSizePicture& picture : made.pictures) {
                if (stopped)
                    return;
                const std::string name = WebSizeName(items[i].item, picture.size);
                const std::string path = destination + "/" + name;
                const GatherFileResult outcome = WriteGatherFile(
                    std::string_view(reinterpret_cast<const char*>(picture.jpeg.data()), picture.jpeg.size()), path,
                    kStrJpegCreateFailed, LoadString(kStrConvertingToJpegOfLabel) + path, cancelled, own);
                if (outcome == GatherFileResult::Written)
                    written[i].push_back({name, picture.size.width, picture.size.height});
                else if (outcome != GatherFileResult::Skipped) {
                    result = outcome;
                    stopped = true;
                }
            }
        },
        ParallelHooks{stop, {}, threads});
    if (!stopped && cancelled && cancelled())
        result = GatherFileResult::Interrupted;
    return written;
}

}  // namespace lumora
