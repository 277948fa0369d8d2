#pragma once
// Where an album view stands in its album: the spread it shows and the
// selected item. Each view of an album keeps its own state; the window that
// shows the album owns one of these and refreshes its location text after
// the operations that say they may move it.
#include "core/layout/geometry.h"
#include "core/layout/layout_document.h"
#include "core/layout/spread.h"

namespace lumora {

// Item selected after moving to another spread: the first item of its right
// page, the last item at the back cover, item 0 before page 1 or when the
// right page holds no item.
int SelectionForSpread(const LayoutDocument& doc, int position);

class AlbumViewState {
public:
    int Position() const { return position_; }
    int Selection() const { return selection_; }
    void SetPosition(int position) { position_ = position; }
    void SetSelection(int selection) { selection_ = selection; }

    // Brings position and selection back within the album after it was
    // paginated again. An empty album shows its first spread.
    void ClampToLayout(const LayoutDocument& doc);

    // Moves to the spread that shows the selected item. True when the
    // position changed.
    bool ShowSelectedItem(const LayoutDocument& doc);

    // Picks the selection after a move to another spread.
    void SelectionForSpread(const LayoutDocument& doc);

    // Item under a point of the view, or -1. `bookOrigin` is where the book
    // stands in the view for the current window size.
    int ItemAt(const LayoutDocument& doc, Point point, Point bookOrigin) const;

private:
    int position_ = kCoverPosition;
    int selection_ = 0;
};

}  // namespace lumora
