#include "core/album/album_layout.h"

namespace lumora {

std::optional<Size> AlbumLayout::ItemPreviewSize(int item) const
{
    const AlbumItem& object = doc_.Item(static_cast<size_t>(item));
    if (!object.IsPhoto() || object.preview.IsEmpty())
        return std::nullopt;
    return Size{object.preview.Width(), object.preview.Height()};
}

Rect AlbumLayout::ItemRect(int item) const
{
    const auto& r = doc_.Item(static_cast<size_t>(item)).displayRect;
    return {r.left, r.top, r.right, r.bottom};
}

AlbumFields& AlbumLayout::Placing() const
{
    if (!state_)
        throw std::logic_error("an album is laid out by its own pagination only");
    return *state_;
}

void AlbumLayout::SetItemPlacement(int item, int page, const Rect& rect)
{
    AlbumItem& object = *Placing().items[static_cast<size_t>(item)];
    object.pageIndex = page;
    object.displayRect = {rect.left, rect.top, rect.right, rect.bottom};
}

void AlbumLayout::SetTabFirstPage(int tab, int page) { Placing().tabs[static_cast<size_t>(tab)]->firstPage = page; }

void AlbumLayout::SetPageCount(int pageCount) { Placing().pageCount = pageCount; }

void AlbumLayout::ForEachView(const std::function<void(LayoutViewObserver&)>& visit)
{
    for (LayoutViewObserver* view : doc_.Views())
        visit(*view);
}

}  // namespace lumora
