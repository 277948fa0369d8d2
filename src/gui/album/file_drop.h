#pragma once
// Files dropped on an album view from a file manager or another program.
// Pictures (every kind we read) dropped on an open page go in there, in the
// order given, before the photo or text under the pointer or after the last
// item of that page, in one step of the history; a folder brings its
// pictures in the order they were taken. A WAVE or MIDI file dropped on a
// photo becomes its sound. Albums, and whatever is dropped on the desk,
// the closed cover or off the pages, open as when dropped on the main
// window. While dragging, the drop mark shows where pictures would go (or
// frames the photo a sound would go to).
#include <QPointF>
#include <string>
#include <vector>

namespace lumora {

class AlbumView;

// Lets the view take drops for as long as it lives.
void InstallFileDrop(AlbumView& view);

// What a drop of `paths` at `viewportPoint` does, run once the drop event
// is over (the dragging program is not kept waiting while the photos are
// read): the gauge follows the photos and Échap stops the rest.
void DropFiles(AlbumView& view, const std::vector<std::string>& paths, QPointF viewportPoint);

}  // namespace lumora
