#include "core/layout/album_view_state.h"

#include <algorithm>

#include "core/layout/book_geometry.h"
#include "core/layout/page_queries.h"

namespace lumora {
namespace {

int LastItem(const LayoutDocument& doc) { return doc.ItemCount() - 1; }

int ItemOnPageAt(const LayoutDocument& doc, int page, Point inPageArea)
{
    for (const int item : ItemsOnPage(doc, page)) {
        if (doc.ItemRect(item).Contains(inPageArea))
            return item;
    }
    return -1;
}

}  // namespace

int SelectionForSpread(const LayoutDocument& doc, int position)
{
    if (doc.ItemCount() == 0 || position < 1)
        return 0;
    if (position == doc.GetPageCount())
        return LastItem(doc);
    return std::clamp(FirstItemOnPage(doc, position), 0, LastItem(doc));
}

void AlbumViewState::ClampToLayout(const LayoutDocument& doc)
{
    if (doc.ItemCount() == 0) {
        position_ = 0;
        selection_ = 0;
        return;
    }
    position_ = std::min(position_, doc.GetPageCount());
    selection_ = std::clamp(selection_, 0, LastItem(doc));
}

bool AlbumViewState::ShowSelectedItem(const LayoutDocument& doc)
{
    int position = 0;
    if (doc.ItemCount() > 0) {
        // A selection left outside the album would read an item that does
        // not exist.
        selection_ = std::clamp(selection_, 0, LastItem(doc));
        position = SpreadOfPage(doc.ItemPage(selection_));
    }
    const bool moved = position != position_;
    position_ = position;
    return moved;
}

void AlbumViewState::SelectionForSpread(const LayoutDocument& doc)
{
    selection_ = lumora::SelectionForSpread(doc, position_);
}

int AlbumViewState::ItemAt(const LayoutDocument& doc, Point point, Point bookOrigin) const
{
    if (position_ < 0)
        return -1;
    const Point origin = PageAreaOrigin(bookOrigin);
    const Point inPageArea{point.x - origin.x, point.y - origin.y};
    const int right = RightPageOf(position_, doc.GetPageCount());
    if (right >= 0) {
        if (const int item = ItemOnPageAt(doc, right, inPageArea); item >= 0)
            return item;
    }
    const int left = LeftPageOf(position_);
    return left >= 0 ? ItemOnPageAt(doc, left, inPageArea) : -1;
}

}  // namespace lumora
