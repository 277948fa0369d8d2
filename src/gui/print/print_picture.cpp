#include "gui/print/print_picture.h"

#include "core/picture_document/dib_object.h"
#include "core/layout/geometry.h"
#include "core/print/print_page_geometry.h"
#include "core/formats/screen_picture.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

QImage FullPicture(const std::string& path, QSize box)
{
    if (IsJpegName(path))
        if (const Picture picture = ReadJpegForScreen(path, box.width(), box.height()))
            return DIBToQImage(picture).convertToFormat(QImage::Format_RGB32);
    // Other formats, and a JPEG under another name, through the readers:
    // in full colour, and quietly (this runs on the printing workers).
    Dib dib;
    dib.Load(path, ReadOptions{});
    if (dib.IsEmpty())
        return {};
    return DIBToQImage(dib.Image()).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

QImage LoadPictureForPrint(const std::string& path, QSize box)
{
    const QImage picture = FullPicture(path, box);
    if (picture.isNull() || box.isEmpty())
        return picture;
    const Rect printed = FitPictureInBox({0, 0, box.width(), box.height()}, picture.width(), picture.height());
    const Size wanted = PrintResolution(picture.width(), picture.height(), {printed.Width(), printed.Height()});
    if (wanted.width == picture.width() && wanted.height == picture.height())
        return picture;
    return picture.scaled(wanted.width, wanted.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace lumora
