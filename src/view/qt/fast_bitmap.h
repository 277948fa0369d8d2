#pragma once
// Screen-format copies of photo previews ("fast bitmaps"): with the
// BitmapRapide preference on, photos are drawn from these so that painting
// converts no colours.
#include <QPixmap>

namespace lumora {

class CMyObject;

// Lets the album make an item's fast bitmap from its preview whenever the
// preview changes. Calling it again changes nothing.
void EnableFastBitmaps();

// The item's fast bitmap, or null when it has none.
const QPixmap* FastBitmapOf(const CMyObject& item);

}  // namespace lumora
