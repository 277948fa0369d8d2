#pragma once
// Where a photo or text dragged on the open spread would go: before the
// item under the pointer, or after the last item of the page under it (an
// empty slot), with the mark drawn there. Points and marks are in the
// view's logical frame, as the book's hit test takes them.
#include <optional>

#include "core/layout/album_view_state.h"
#include "core/layout/geometry.h"

namespace lumora {

class AlbumDocument;

struct DropPlace {
    int before = 0;                  // the item it goes before (may be the item count)
    std::optional<int16_t> section;  // the section it joins, when not that of `before`
    Rect mark;                       // the drop mark
};

// Nothing when the pointer is on neither page of the open spread.
std::optional<DropPlace> DropPlaceAt(AlbumDocument& doc, const AlbumViewState& state, Point point,
                                     Point bookOrigin);

// The box of the item at `index` in the same frame: the photo a dropped
// sound would go to is framed round it.
Rect ItemBoxAt(AlbumDocument& doc, int index, Point bookOrigin);

// The index the item at `from` takes when dropped before `before`; -1 when
// it would not move.
int DropTargetIndex(int from, const DropPlace& place, int16_t fromSection);

}  // namespace lumora
