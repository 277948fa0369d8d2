#include "core/layout/book_hits.h"

#include "core/layout/spread.h"
#include "core/layout/tab_columns.h"

namespace lumora {
namespace {

// The spread right after the closed cover: turning back from it closes the
// book, and a larger zone over the left half does it.
bool JustOpened(int position, bool hasFlyleaf)
{
    return position == kFlyleafPosition || (position == 0 && !hasFlyleaf);
}

BookHit HitClosedCover(Point inBook)
{
    if (kCoverPlateZone.Contains(inBook))
        return {BookHit::CoverPlate};
    if (kCoverZone.Contains(inBook))
        return {BookHit::Cover};
    return {};
}

}  // namespace

BookHit HitTestBook(const LayoutDocument& doc, const AlbumViewState& state, bool hasFlyleaf, Point point,
                    Point bookOrigin)
{
    const int position = state.Position();
    const Point inBook{point.x - bookOrigin.x, point.y - bookOrigin.y};
    if (position == kCoverPosition)
        return HitClosedCover(inBook);
    if (position == kFlyleafPosition && kFlyleafTextZone.Contains(inBook))
        return {BookHit::FlyleafText};
    if (doc.UsesTabs()) {
        if (const int tab = TabAt(doc, position, inBook); tab >= 0)
            return {BookHit::Tab, tab};
    }
    if (const int item = state.ItemAt(doc, point, bookOrigin); item >= 0)
        return {BookHit::Item, item};
    const Rect previous = JustOpened(position, hasFlyleaf) ? kCloseBookZone : kPreviousPageZone;
    if (previous.Contains(inBook))
        return {BookHit::PreviousZone};
    if (position < doc.GetPageCount() && kNextPageZone.Contains(inBook))
        return {BookHit::NextZone};
    return {};
}

}  // namespace lumora
