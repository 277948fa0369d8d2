#include "core/layout/preview_fit.h"

#include <algorithm>
#include <cstdint>

namespace lumora {
namespace {

// A sliver of an image still gets a one-pixel preview rather than an empty
// picture that could not be made.
int AtLeastOnePixel(int64_t side) { return static_cast<int>(std::max<int64_t>(side, 1)); }

}  // namespace

Size FitPreviewSize(Size box, Size image)
{
    if (image.width <= 0 || image.height <= 0 || box.width <= 0 || box.height <= 0)
        return {};
    // 64-bit products: image sides come from file headers and may be large.
    const int64_t fullWidthHeight = int64_t{box.width} * image.height / image.width;
    if (fullWidthHeight > box.height) {
        const int64_t width = int64_t{box.height} * image.width / image.height;
        return {AtLeastOnePixel(width), box.height};
    }
    return {box.width, AtLeastOnePixel(fullWidthHeight)};
}

}  // namespace lumora
