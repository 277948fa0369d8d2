#pragma once
// The photos as the web viewer shows them: beside each original, JPEG
// copies for the screen, 1280 and 2560 pixels on the long side, never
// larger than the original and turned upright, made from any picture the
// program reads (a browser shows none of HEIC, TIFF, PCX or Photo CD, and
// a camera's original is many times a phone's screen). A JPEG at least
// twice the largest size is decoded already reduced by libjpeg's DCT
// scaling, a smaller one whole with the fast transform (quicker than the
// scaling's plain C code), the rest read whole once; the smaller copy is
// reduced from the larger one.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/gather/gather_copy.h"
#include "core/picture/picture.h"

namespace lumora {

// The long sides the viewer is given, smallest first.
inline constexpr int kWebSizeSides[] = {1280, 2560};
inline constexpr int kWebSizeQuality = 82;
// Inside the viewer's folder.
inline constexpr const char* kWebSizesFolder = "photos";

// One screen copy: its name relative to the gathered folder and its size.
struct WebSize {
    std::string name;
    int width = 0;
    int height = 0;
};

// The sizes a `width` x `height` (upright) picture gets: one per side of
// kWebSizeSides shorter than its long side, then the picture's own size
// when its long side is at most the largest side; each fitted, aspect kept.
struct PixelSize {
    int width = 0, height = 0;
    bool operator==(const PixelSize&) const = default;
};
std::vector<PixelSize> WebSizesFor(int width, int height);

// "lumora-web/photos/0007-1280.jpg": item 7's copy of long side 1280.
std::string WebSizeName(int item, const PixelSize& size);

// The upright picture at `source` read for the largest web size: JPEGs
// DCT-reduced while decoding, other types read whole. Empty when it cannot
// be read. Safe on several threads at once.
Picture ReadForWebSizes(const std::string& source);

// The JPEG copies of one picture, largest reduced first and each smaller
// one from it. Empty when the picture is empty or `cancelled` says stop.
struct WebSizePicture {
    PixelSize size;
    std::vector<uint8_t> jpeg;
};
std::vector<WebSizePicture> EncodeWebSizes(const Picture& upright, const std::function<bool()>& cancelled = {});

// The copies of every photo item of `items` (item index, source path), made
// on one worker per core (`threads`, 0: one per core) and written in order
// through WriteGatherFile into `destination`'s viewer folder. Returns the
// sizes written for each entry of `items`, in the same order (empty for a
// picture that could not be read); `result` tells whether to go on.
struct WebSizesSource {
    int item = -1;
    std::string source;
};
std::vector<std::vector<WebSize>> WriteWebSizes(const std::vector<WebSizesSource>& items,
                                                const std::string& destination, const GatherCancel& cancelled,
                                                unsigned threads, GatherFileResult& result,
                                                const AlbumOwnFiles* own = nullptr);

}  // namespace lumora
