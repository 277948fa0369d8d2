#include "gui/album/fast_bitmap.h"

#include <memory>

#include "core/platform/services.h"
#include "core/album/album_item.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

// The album keeps the copy as an opaque pointer; only copies made while
// our maker is installed are read back as this type.
struct FastBitmap {
    QPixmap pixmap;
};

void MakeFastBitmap(AlbumItem& item)
{
    if (!IsValidPicture(item.preview.Image().Bytes()))
        return;
    auto copy = std::make_shared<FastBitmap>();
    copy->pixmap = DIBToDeviceBitmap(item.preview.Image(), nullptr);
    if (!copy->pixmap.isNull())
        item.fastBitmap = std::shared_ptr<const void>(copy, copy.get());
}

bool OurMakerInstalled()
{
    const FastBitmapMaker& maker = CurrentFastBitmapMaker();
    const auto* target = maker.target<void (*)(AlbumItem&)>();
    return target && *target == &MakeFastBitmap;
}

}  // namespace

void EnableFastBitmaps(bool enabled)
{
    if (enabled == OurMakerInstalled())
        return;
    ChangeServices([enabled](Services& services) {
        services.fastBitmapMaker = enabled ? FastBitmapMaker(MakeFastBitmap) : FastBitmapMaker();
    });
}

const QPixmap* FastBitmapOf(const AlbumItem& item)
{
    if (!item.fastBitmap || !OurMakerInstalled())
        return nullptr;
    return &static_cast<const FastBitmap*>(item.fastBitmap.get())->pixmap;
}

}  // namespace lumora
