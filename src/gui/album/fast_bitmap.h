#pragma once
// Screen-format copies of photo previews ("fast bitmaps"): with the
// BitmapRapide preference on, photos are drawn from these so that painting
// converts no colours.
#include <QPixmap>

namespace lumora {

class AlbumItem;

// Lets the album make an item's fast bitmap from its preview whenever the
// preview changes (or stops it, with false: previews are then drawn from
// their pictures). Calling it again with the same value changes nothing.
void EnableFastBitmaps(bool enabled = true);

// The item's fast bitmap, or null when it has none.
const QPixmap* FastBitmapOf(const AlbumItem& item);

}  // namespace lumora
