#include "core/print/poster_tiling.h"

#include <algorithm>
#include <cstdint>

namespace lumora {
namespace {

constexpr double kCentimetresPerInch = 2.54;

int CeilDiv(int a, int b) { return (a + b - 1) / b; }

}  // namespace

PosterTiling TilePoster(int width, int height, int widthCm, const PrintSheet& sheet)
{
    PosterTiling tiling;
    if (width <= 0 || height <= 0 || widthCm < kPosterSmallestCm || sheet.width <= 0 || sheet.height <= 0 ||
        sheet.dpiX <= 0 || sheet.dpiY <= 0)
        return tiling;
    tiling.sx = (widthCm / kCentimetresPerInch) * sheet.dpiX / width;
    tiling.sy = (double(widthCm) * height / width / kCentimetresPerInch) * sheet.dpiY / height;
    // A picture pixel larger than a sheet still makes a tile of one pixel
    // (printed clipped to the sheet), never an endless run of empty tiles.
    tiling.tileWidth = std::clamp(static_cast<int>(sheet.width / tiling.sx), 1, width);
    tiling.tileHeight = std::clamp(static_cast<int>(sheet.height / tiling.sy), 1, height);
    tiling.columns = CeilDiv(width, tiling.tileWidth);
    tiling.rows = CeilDiv(height, tiling.tileHeight);
    return tiling;
}

PosterTile PosterSheet(const PosterTiling& tiling, int width, int height, int n)
{
    if (n < 1 || n > tiling.Sheets())
        return {};
    const int column = (n - 1) % tiling.columns;
    const int row = (n - 1) / tiling.columns;
    const int left = column * tiling.tileWidth;
    const int top = row * tiling.tileHeight;
    const Rect source{left, top, std::min(left + tiling.tileWidth, width), std::min(top + tiling.tileHeight, height)};
    const Rect dest{0, 0, static_cast<int>(source.Width() * tiling.sx), static_cast<int>(source.Height() * tiling.sy)};
    return {source, dest};
}

int PosterHeightFor(int width, int w0, int h0)
{
    return w0 > 0 ? static_cast<int>(int64_t{h0} * width / w0) : 0;
}

int PosterWidthFor(int height, int w0, int h0)
{
    return h0 > 0 ? static_cast<int>(int64_t{w0} * height / h0) : 0;
}

}  // namespace lumora
