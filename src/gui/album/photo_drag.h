#pragma once
// A photo dragged out of the book: other programs get its file (a file
// manager copies it, an editor opens it) and its picture. The file is only
// ever offered to be copied or linked, never moved away from the album.
class QMimeData;

#include <string>

namespace lumora {

class AlbumItem;
class AlbumView;

// The private type that tells a drop on a view of the same album that the
// photo at that index moves.
inline constexpr char kBookItemMimeType[] = "application/x-lumora-book-item";

// What the photo `index` offers: `text/uri-list` with its file (found beside
// `albumPath` first, the name's bytes percent-encoded), `image/png` and Qt's
// image type (the whole picture, read from the file only when a program
// asks for it) and the item's index in the private type. The caller owns it.
QMimeData* PhotoDragMimeData(const AlbumItem& photo, const std::string& albumPath, int index);

// Runs the drag of the photo `index` from `view` until it is dropped.
void DragPhotoOut(AlbumView& view, int index);

}  // namespace lumora
