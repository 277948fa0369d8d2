#include "core/layout/tab_columns.h"

#include <algorithm>

#include "core/layout/book_geometry.h"
#include "core/layout/page_queries.h"
#include "core/layout/spread.h"

namespace lumora {
namespace {

constexpr int kTabTop = 25;
constexpr int kTabHeight = 80;
constexpr int kTabStep = 85;

bool ShowsTabs(const LayoutDocument& doc, int position)
{
    return doc.UsesTabs() && position >= kFlyleafPosition && doc.TabCount() > 0;
}

// Tabs below the split stand on the left edge. A right page that continues a
// section begun earlier counts that section as passed.
int SplitIndex(const LayoutDocument& doc, int position)
{
    const int tabs = doc.TabCount();
    if (position >= doc.GetPageCount())
        return tabs;
    if (position <= 0)
        return 0;
    const int first = FirstItemOnPage(doc, position);
    int split;
    if (first < 0) {
        // Only the sheets kept for the tabs before the first item are
        // empty on their right page: sheet 2j is tab j's.
        split = position / 2;
    } else {
        split = doc.ItemTabIndex(first);
        if (first > 0 && doc.ItemTabIndex(first - 1) == split)
            ++split;
    }
    return std::clamp(split, 0, tabs);
}

int LeftSlot(int tab) { return tab % kTabSlotsPerColumn; }
int RightSlot(int tab) { return tab % kTabSlotsPerColumn + kTabSlotsPerColumn; }

}  // namespace

Rect TabSlotRect(int slot)
{
    const int row = slot % kTabSlotsPerColumn;
    const int left = slot < kTabSlotsPerColumn ? kLeftTabColumnLeft : kRightTabColumnLeft;
    const int top = kTabTop + kTabStep * row;
    return {left, top, left + kTabColumnWidth, top + kTabHeight};
}

std::vector<TabPlacement> LeftTabColumn(const LayoutDocument& doc, int position)
{
    if (!ShowsTabs(doc, position))
        return {};
    if (doc.ItemCount() == 0) {
        // The first tab alone, passed once the book shows its last spread.
        if (position == doc.GetPageCount())
            return {{0, LeftSlot(0)}};
        return {};
    }
    const int split = SplitIndex(doc, position);
    std::vector<TabPlacement> column;
    for (int tab = std::max(split - kTabSlotsPerColumn, 0); tab < split; ++tab)
        column.push_back({tab, LeftSlot(tab)});
    return column;
}

std::vector<TabPlacement> RightTabColumn(const LayoutDocument& doc, int position)
{
    if (!ShowsTabs(doc, position))
        return {};
    if (doc.ItemCount() == 0) {
        if (position < doc.GetPageCount())
            return {{0, RightSlot(0)}};
        return {};
    }
    const int split = SplitIndex(doc, position);
    std::vector<TabPlacement> column;
    const int highest = std::min(split + kTabSlotsPerColumn - 1, doc.TabCount() - 1);
    for (int tab = highest; tab >= split; --tab)
        column.push_back({tab, RightSlot(tab)});
    return column;
}

int TabAt(const LayoutDocument& doc, int position, Point pointInBook)
{
    for (const auto& column : {LeftTabColumn(doc, position), RightTabColumn(doc, position)}) {
        for (const TabPlacement& placed : column) {
            if (TabSlotRect(placed.slot).Contains(pointInBook))
                return placed.tab;
        }
    }
    return -1;
}

}  // namespace lumora
