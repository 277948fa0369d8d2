#include "gui/album/item_drop.h"

#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/layout/book_geometry.h"
#include "core/layout/book_hits.h"
#include "core/layout/page_queries.h"
#include "core/layout/spread.h"

namespace lumora {
namespace {

constexpr int kMarkWidth = 3;

Point InPageArea(Point point, Point bookOrigin)
{
    const Point origin = PageAreaOrigin(bookOrigin);
    return {point.x - origin.x, point.y - origin.y};
}

Rect ToLogical(const Rect& inPageArea, Point bookOrigin)
{
    const Point origin = PageAreaOrigin(bookOrigin);
    return {inPageArea.left + origin.x, inPageArea.top + origin.y, inPageArea.right + origin.x,
            inPageArea.bottom + origin.y};
}

// The page of the spread under `point`, or -1 outside both pages.
int PageUnder(const AlbumViewState& state, int pageCount, Point point, Point bookOrigin)
{
    const int x = point.x - bookOrigin.x, y = point.y - bookOrigin.y;
    if (y < kLeftPagePictureAt.y || y >= kLeftPagePictureAt.y + kPagePictureSize.height)
        return -1;
    if (x >= kLeftPagePictureAt.x && x < kLeftPagePictureAt.x + kPagePictureSize.width)
        return LeftPageOf(state.Position());
    if (x >= kRightPagePictureAt.x && x < kRightPagePictureAt.x + kPagePictureSize.width)
        return RightPageOf(state.Position(), pageCount);
    return -1;
}

}  // namespace

std::optional<DropPlace> DropPlaceAt(AlbumDocument& doc, const AlbumViewState& state, Point point,
                                     Point bookOrigin)
{
    if (state.Position() < 0)
        return std::nullopt;
    AlbumLayout layout(doc);
    const BookHit hit = HitTestBook(layout, state, doc.Settings().flyleaf, point, bookOrigin);
    if (hit.kind == BookHit::Item) {
        const Rect r = layout.ItemRect(hit.index);
        return DropPlace{hit.index, std::nullopt,
                         ToLogical({r.left - kMarkWidth - 1, r.top, r.left - 1, r.bottom}, bookOrigin)};
    }
    const int page = PageUnder(state, layout.GetPageCount(), point, bookOrigin);
    if (page < 0)
        return std::nullopt;
    const std::vector<int> onPage = ItemsOnPage(layout, page);
    if (!onPage.empty()) {
        const int last = onPage.back();
        const Rect r = layout.ItemRect(last);
        return DropPlace{last + 1, doc.Items()[static_cast<size_t>(last)]->tabIndex,
                         ToLogical({r.right + 1, r.top, r.right + 1 + kMarkWidth, r.bottom}, bookOrigin)};
    }
    // An empty page: before the first item of the pages after it.
    int before = layout.ItemCount();
    for (int i = 0; i < layout.ItemCount(); ++i)
        if (layout.ItemPage(i) > page) {
            before = i;
            break;
        }
    const Point at = InPageArea(point, bookOrigin);
    return DropPlace{before, std::nullopt,
                     ToLogical({at.x - 1, at.y - 20, at.x - 1 + kMarkWidth, at.y + 20}, bookOrigin)};
}

Rect ItemBoxAt(AlbumDocument& doc, int index, Point bookOrigin)
{
    return ToLogical(AlbumLayout(doc).ItemRect(index), bookOrigin);
}

int DropTargetIndex(int from, const DropPlace& place, int16_t fromSection)
{
    const int to = place.before > from ? place.before - 1 : place.before;
    if (to == from && (!place.section || *place.section == fromSection))
        return -1;
    return to;
}

}  // namespace lumora
