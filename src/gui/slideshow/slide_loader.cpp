#include "gui/slideshow/slide_loader.h"

#include <chrono>

#include "core/picture_document/dib_object.h"
#include "core/picture/read_result.h"
#include "core/colour/dither16.h"
#include "core/colour/halftone.h"
#include "core/colour/palette.h"
#include "core/platform/screen.h"
#include "core/formats/screen_picture.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

// A picture larger than the screen brought within it, smoothly, aspect kept.
QImage FittedToScreen(const QImage& picture, QSize screen, bool realSize)
{
    if (realSize || screen.isEmpty())
        return picture;
    int width = picture.width(), height = picture.height();
    FitWithin(screen.width(), screen.height(), width, height);
    if (width == picture.width() && height == picture.height())
        return picture;
    return picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// The copy a 16- or 256-colour screen shows.
QImage DisplayCopy(const QImage& picture, int depth)
{
    if (depth != 4 && depth != 8)
        return picture;
    const Picture dib = QImageToDIB(picture);
    const Picture copy = depth == 4 ? DitherTo16(dib) : ConvertToAppPalette(dib, AppPalette());
    const QImage shown = DIBToQImage(copy);
    return shown.isNull() ? picture : shown.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

SlideImage LoadSlideImage(const std::string& path, QSize screen, bool realSize, const ReadOptions& options)
{
    QImage image;
    std::vector<HeldMessage> messages;
    if (IsJpegName(path)) {
        const int width = realSize ? 0 : screen.width();
        const int height = realSize ? 0 : screen.height();
        if (const Picture picture = ReadJpegForScreen(path, width, height))
            image = DIBToQImage(picture).convertToFormat(QImage::Format_RGB32);  // paints fast
    }
    if (image.isNull()) {
        // Other formats, and a JPEG under another name, through the readers.
        Dib dib;
        messages = ReadMessages(dib.Load(path, options));
        if (dib.IsEmpty())
            return {QImage(), std::move(messages)};
        const uint16_t bitCount = dib.Image().BitCount();
        if (bitCount != 24) {
            // Paletted pictures are shown with their own colours (a 256-colour
            // one dithered to 16 on a 4-bit screen), then brought within it.
            const QImage shown = ScreenDepth() == 4 && bitCount == 8 ? DIBToQImage(DitherPalettedTo16(dib.Image()))
                                                                     : DIBToQImage(dib.Image());
            return {FittedToScreen(shown.convertToFormat(QImage::Format_RGB32), screen, realSize), std::move(messages)};
        }
        image = DIBToQImage(dib.Image()).convertToFormat(QImage::Format_RGB32);
    }
    return {DisplayCopy(FittedToScreen(image, screen, realSize), ScreenDepth()), std::move(messages)};
}

SlidePrefetcher::~SlidePrefetcher()
{
    if (pending_.valid())
        pending_.wait();
}

void SlidePrefetcher::Request(const std::string& path)
{
    if (path == path_ && pending_.valid())
        return;
    if (pending_.valid())
        pending_.wait();  // one worker at a time: the machine has few cores
    path_ = path;
    pending_ = std::async(std::launch::async, [path, screen = screen_, realSize = realSize_, options = options_] {
        return LoadSlideImage(path, screen, realSize, options);
    });
}

bool SlidePrefetcher::Ready(const std::string& path) const
{
    return path == path_ && pending_.valid() &&
           pending_.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
}

SlideImage SlidePrefetcher::Take(const std::string& path)
{
    if (path == path_ && pending_.valid()) {
        path_.clear();
        return pending_.get();
    }
    return LoadSlideImage(path, screen_, realSize_, options_);
}

}  // namespace lumora
