#pragma once
// Tabs standing on the edges of the open book in albums that use tabs: the
// tabs of sections already passed on the left edge, the current section and
// those after it on the right edge. Each column holds at most four tabs in
// four fixed heights that repeat every four tabs.
#include <vector>

#include "core/layout/geometry.h"
#include "core/layout/layout_document.h"

namespace lumora {

struct TabPlacement {
    int tab = 0;
    int slot = 0;  // 0-3 on the left edge, 4-7 on the right edge
    friend bool operator==(const TabPlacement&, const TabPlacement&) = default;
};

inline constexpr int kTabSlotsPerColumn = 4;

// Rectangle of a tab slot, relative to the book origin.
Rect TabSlotRect(int slot);

// Left column in drawing order (lowest tab first).
std::vector<TabPlacement> LeftTabColumn(const LayoutDocument& doc, int position);

// Right column in drawing order (highest tab first, so that the current
// section's tab lies on top).
std::vector<TabPlacement> RightTabColumn(const LayoutDocument& doc, int position);

// Tab under a point given relative to the book origin, or -1. The left
// column is searched first, then the right one, each in drawing order.
int TabAt(const LayoutDocument& doc, int position, Point pointInBook);

}  // namespace lumora
