#pragma once
// Moving an album view through its album: the page, cover, flyleaf and tab
// commands of the album menu, the go-to dialogs and the location text in
// the status bar.
#include <QString>

namespace lumora {

class AlbumView;
class CommandHost;

// "Couverture", "Page de garde", "Page %d" or "Pages %d-%d" for a spread.
QString LocationText(int position, int pageCount);

// Shows the view's place in the status bar (not while the gauge runs).
void UpdateLocationText(AlbumView& view);

// The view operations; each picks the selection for the new spread and
// repaints. Positions only take the values a book can show.
void NextPage(AlbumView& view);
void PreviousPage(AlbumView& view);
void GoToPage(AlbumView& view, int page);
void NextTab(AlbumView& view);
void PreviousTab(AlbumView& view);
// With delta != 0 moves the selection by delta, else selects `index`; the
// view follows to the selected item's spread.
void SelectItem(AlbumView& view, int delta, int index);
void MoveTo(AlbumView& view, int position);

// The active album view, or null.
AlbumView* ActiveAlbumView(CommandHost& frame);

// Registers the navigation commands with the frame (once).
void InstallAlbumNavigation(CommandHost& frame);

}  // namespace lumora
