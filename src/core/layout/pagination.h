#pragma once
// Distribution of an album's items over numbered pages.
#include "core/layout/layout_document.h"

namespace lumora {

// Recomputes every item's page and display rectangle, the first page of
// every section, and the page count, then lets every view of the album
// clamp its state to the new layout.
//
// With tabs, each section starts on a right-hand page. When the first item
// belongs to tab k > 0 (the items of the earlier tabs were cut), pages
// 0 .. 2k - 1 stay empty and tab j < k begins on page 2j, so every tab
// before the first item keeps a sheet of its own. Tabs without items after
// that keep their previous first page, brought within the page count.
void Paginate(LayoutDocument& doc);

}  // namespace lumora
