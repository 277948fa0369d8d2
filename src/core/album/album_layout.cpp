#include "core/album/album_layout.h"

#include "core/layout/pagination.h"

namespace lumora {

std::optional<Size> AlbumLayout::ItemPreviewSize(int item) const
{
    const AlbumItem& object = *doc_.items[static_cast<size_t>(item)];
    if (!object.IsPhoto() || object.preview.IsEmpty())
        return std::nullopt;
    return Size{object.preview.Width(), object.preview.Height()};
}

Rect AlbumLayout::ItemRect(int item) const
{
    const auto& r = doc_.items[static_cast<size_t>(item)]->displayRect;
    return {r.left, r.top, r.right, r.bottom};
}

void AlbumLayout::SetItemPlacement(int item, int page, const Rect& rect)
{
    AlbumItem& object = *doc_.items[static_cast<size_t>(item)];
    object.pageIndex = page;
    object.displayRect = {rect.left, rect.top, rect.right, rect.bottom};
}

void AlbumLayout::ForEachView(const std::function<void(LayoutViewObserver&)>& visit)
{
    for (LayoutViewObserver* view : doc_.Views())
        visit(*view);
}

void PaginateAlbum(AlbumDocument& doc)
{
    AlbumLayout layout(doc);
    Paginate(layout);
}

}  // namespace lumora
