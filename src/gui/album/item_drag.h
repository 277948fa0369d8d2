#pragma once
// Dragging a photo or text on the open spread of an album view: press on
// an item, move past the drag distance, and a mark shows where it would go;
// releasing there moves it (one step of the album's history); Échap or a
// release outside the pages leaves it where it was. A photo dragged out of
// the window is offered to other programs (see photo_drag.h).
#include <QPointF>

namespace lumora {

class AlbumView;

// Watches the view's mouse for as long as the view lives.
void InstallItemDrag(AlbumView& view);

// Moves the item at `from` to where a drop at `viewportPoint` puts it; true
// when it moved (it is then selected and shown).
bool MoveItemTo(AlbumView& view, int from, QPointF viewportPoint);

}  // namespace lumora
