#pragma once
// The pointer over an album view: what a click, a double click or the right
// button does on the cover, the flyleaf text, a tab, an item or the page
// corners, and which cursor shows there. Points are in book coordinates:
// the view turns a pointer position into one with AlbumView::BookPointAt,
// whatever its zoom, scroll and pixel ratio.
#include <QCursor>

#include "core/layout/book_hits.h"

class QMenu;

namespace lumora {

class AlbumView;
class CommandHost;

// What lies under a point of the book.
BookHit HitAt(const AlbumView& view, Point point);

// Left click (and each click of a double click): stops the sound, then acts
// on what lies under the point; the second click of a double click on an
// item also views it.
void ClickBook(AlbumView& view, Point point, bool doubleClick);

enum class BookCursor { Arrow, Select, NextPage, PreviousPage };
BookCursor CursorAt(const AlbumView& view, Point point);

// The right button: a tab hit goes to its section, an item hit selects the
// item; then the menu for what was hit opens with the frame's commands.
// Returns the menu, not yet shown, so that callers (and tests) choose how.
QMenu* PrepareContextMenu(AlbumView& view, CommandHost& frame, Point point);

}  // namespace lumora
