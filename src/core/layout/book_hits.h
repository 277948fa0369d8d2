#pragma once
// What lies under the pointer on the book: the closed cover and its title
// plate, the flyleaf text, a tab, an item, or the zones that turn pages.
// Clicks, the pointer's shape and the context menus all ask this one
// question, in the same order.
#include "core/layout/album_view_state.h"
#include "core/layout/geometry.h"
#include "core/layout/layout_document.h"

namespace lumora {

struct BookHit {
    enum Kind { Nothing, CoverPlate, Cover, FlyleafText, Tab, Item, PreviousZone, NextZone };
    Kind kind = Nothing;
    int index = -1;  // the tab or item hit
    friend bool operator==(const BookHit&, const BookHit&) = default;
};

// Zones relative to the book origin; right and bottom exclusive.
inline constexpr Rect kCoverZone{140, 10, 405, 382};
inline constexpr Rect kCoverPlateZone{195, 65, 360, 186};
inline constexpr Rect kFlyleafTextZone{337, 38, 544, 348};
// Turning back from the spread just after the cover closes the book.
inline constexpr Rect kCloseBookZone{10, 10, 255, 382};
inline constexpr Rect kPreviousPageZone{26, 18, 50, 373};
inline constexpr Rect kNextPageZone{530, 18, 554, 373};

// Hit order: on the closed cover the plate, then the rest of the cover; on
// the open book the flyleaf text (at -1), then the tabs (albums that use
// them), the items, the previous zone and the next zone (none at the back
// cover). `point` is in the view's logical frame.
BookHit HitTestBook(const LayoutDocument& doc, const AlbumViewState& state, bool hasFlyleaf, Point point,
                    Point bookOrigin);

}  // namespace lumora
