#include "core/print/print_page_geometry.h"

#include <cstdint>

#include "core/album/album_item.h"

namespace lumora {
namespace {

// Slot origins are given in the page-area frame of the open book; these
// moves bring each side's page onto the one-page model.
constexpr Point kRightPageToModel{-288, -8};
constexpr Point kLeftPageToModel{0, -8};
// A printed slot is slightly smaller than the picture box on screen.
constexpr int kSlotNarrowing = 4;
constexpr int kSlotShortening = 3;
// Half an inch, in device pixels per inch.
constexpr int kBandsPerInch = 2;

int Scaled(int value, double scale) { return static_cast<int>(value * scale); }

}  // namespace

FittedPage FitPageModel(const PrintSheet& sheet)
{
    FittedPage fitted;
    if (sheet.width <= 0 || sheet.height <= 0)
        return fitted;
    int w = sheet.width;
    int h = static_cast<int>(int64_t{sheet.width} * kPageModelSize.height / kPageModelSize.width);
    int left = 0, top = 0;
    if (h > sheet.height) {
        w = static_cast<int>(int64_t{sheet.height} * kPageModelSize.width / kPageModelSize.height);
        h = sheet.height;
        left = (sheet.width - w) / 2;
    } else {
        top = (sheet.height - h) / 2;
    }
    fitted.area = {left, top, left + w, top + h};
    fitted.sx = w / double(kPageModelSize.width);
    fitted.sy = h / double(kPageModelSize.height);
    return fitted;
}

Rect ModelToDevice(const FittedPage& page, const Rect& model)
{
    return {page.area.left + Scaled(model.left, page.sx), page.area.top + Scaled(model.top, page.sy),
            page.area.left + Scaled(model.right, page.sx), page.area.top + Scaled(model.bottom, page.sy)};
}

int PrintedFontHeight(int height, double sy) { return static_cast<int>(height * sy * 52 / 72); }

int PrintedTextItemHeight(int height, double scale) { return static_cast<int>(height * scale * 65 / 72); }

Rect PageTitleBand(const PrintSheet& sheet) { return {0, 0, sheet.width, sheet.dpiY / kBandsPerInch}; }

Rect PageNumberBand(const PrintSheet& sheet)
{
    return {0, sheet.height - sheet.dpiY / kBandsPerInch, sheet.width, sheet.height};
}

Rect PrintSlotRect(const PageLayout& layout, int page, int slot, const FittedPage& fitted)
{
    const Rect box = SlotBox(layout, page, slot);
    if (box.Width() == 0)
        return {};
    const Point shift = page % 2 == 0 ? kRightPageToModel : kLeftPageToModel;
    const Rect model{box.left, box.top, box.right - kSlotNarrowing, box.bottom - kSlotShortening};
    return ModelToDevice(fitted, model.Offset(shift));
}

Rect DescriptionBand(const Rect& slot, int dpiY)
{
    return {slot.left, slot.bottom, slot.right, slot.bottom + dpiY / kBandsPerInch};
}

Rect FitPictureInBox(const Rect& box, int width, int height)
{
    if (width <= 0 || height <= 0 || box.Width() <= 0 || box.Height() <= 0)
        return {};
    const FittedSize size = FitPreview(static_cast<uint32_t>(box.Width()), static_cast<uint32_t>(box.Height()),
                                       static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    const int left = box.left + (box.Width() - size.width) / 2;
    const int top = box.top + (box.Height() - size.height) / 2;
    return {left, top, left + size.width, top + size.height};
}

Size PrintResolution(int width, int height, Size printed)
{
    if (width > printed.width || height > printed.height)
        return printed;
    return {width, height};
}

Size PhotoReadingBox(Size printed, int dpi)
{
    if (dpi <= kPhotoPixelsPerInch)
        return printed;
    return {static_cast<int>(int64_t{printed.width} * kPhotoPixelsPerInch / dpi),
            static_cast<int>(int64_t{printed.height} * kPhotoPixelsPerInch / dpi)};
}

Rect FrontCoverTitleBox(const FittedPage& fitted) { return ModelToDevice(fitted, {70, 70, 179, 125}); }

Rect FlyleafTitleBox(const FittedPage& fitted)
{
    const Rect& a = fitted.area;
    return {a.left + Scaled(50, fitted.sx), a.top + Scaled(60, fitted.sy), a.right - Scaled(50, fitted.sx),
            a.top + Scaled(220, fitted.sy)};
}

Rect FlyleafDescriptionBox(const FittedPage& fitted)
{
    const Rect& a = fitted.area;
    return {a.left + Scaled(50, fitted.sx), a.bottom - Scaled(60, fitted.sy), a.right - Scaled(50, fitted.sx),
            a.bottom - Scaled(20, fitted.sy)};
}

int PrintedSheetCount(int albumPageCount, bool covers) { return covers ? kCoverSheetCount : albumPageCount; }

int PreviewStartSheet(int position, int albumPageCount)
{
    int page = position < 0 ? 0 : position;
    if (page >= albumPageCount)
        page = albumPageCount - 1;
    return (page < 0 ? 0 : page) + 1;
}

}  // namespace lumora
