#include "core/layout/page_queries.h"

#include "core/layout/layout_table.h"

namespace lumora {
namespace {

std::string TabNameOrNothing(const LayoutDocument& doc, int tab)
{
    return IsTabIndex(doc, tab) ? doc.TabName(tab) : std::string{};
}

bool StartsSection(const LayoutDocument& doc, int item)
{
    return item == 0 || doc.ItemTabIndex(item) != doc.ItemTabIndex(item - 1);
}

// With tabs, the first item stands on page 2k when it belongs to tab k: the
// sheets before it are those of the tabs before its own, one sheet each.
bool BeforeFirstItem(const LayoutDocument& doc, int page)
{
    return doc.ItemCount() > 0 && page < doc.ItemPage(0);
}

int TabOfSheetBeforeFirstItem(int page) { return page / 2; }

}  // namespace

int FirstItemOnPage(const LayoutDocument& doc, int page)
{
    const int count = doc.ItemCount();
    for (int item = 0; item < count; ++item) {
        if (doc.ItemPage(item) == page)
            return item;
    }
    return -1;
}

int NextItemInSection(const LayoutDocument& doc, int index)
{
    const int next = index + 1;
    if (index < 0 || next >= doc.ItemCount())
        return -1;
    if (doc.UsesTabs() && doc.ItemTabIndex(next) != doc.ItemTabIndex(index))
        return -1;
    return next;
}

std::vector<int> ItemsOnPage(const LayoutDocument& doc, int page)
{
    std::vector<int> items;
    const int slots = LayoutAt(doc.LayoutIndex()).slotCount;
    for (int item = FirstItemOnPage(doc, page); item >= 0 && static_cast<int>(items.size()) < slots;
         item = NextItemInSection(doc, item))
        items.push_back(item);
    return items;
}

std::string PageTitle(const LayoutDocument& doc, int page)
{
    if (!doc.UsesTabs())
        return doc.AlbumTitle();
    const int count = doc.ItemCount();
    if (count == 0)
        return TabNameOrNothing(doc, 0);
    if (BeforeFirstItem(doc, page))
        return TabNameOrNothing(doc, TabOfSheetBeforeFirstItem(page));
    // The page belongs to the section before the first one that starts
    // beyond it.
    for (int item = 1; item < count; ++item) {
        if (StartsSection(doc, item) && doc.ItemPage(item) > page)
            return TabNameOrNothing(doc, doc.ItemTabIndex(item - 1));
    }
    // Tabs after the last section may have lost their items; the page is
    // still the last section's.
    return TabNameOrNothing(doc, doc.ItemTabIndex(count - 1));
}

int SectionMarkerTab(const LayoutDocument& doc, int page)
{
    if (!doc.UsesTabs() || page < 0)
        return -1;
    const int sheet = page - page % 2;  // the right-hand page of the sheet
    if (doc.ItemCount() == 0)
        return sheet == 0 && IsTabIndex(doc, 0) ? 0 : -1;
    if (BeforeFirstItem(doc, sheet)) {
        const int tab = TabOfSheetBeforeFirstItem(sheet);
        return IsTabIndex(doc, tab) ? tab : -1;
    }
    // Decided by the items rather than by the tabs' first pages: a tab that
    // lost its items may still hold the first page of the section after it.
    const int first = FirstItemOnPage(doc, sheet);
    if (first < 0 || !StartsSection(doc, first))
        return -1;
    const int tab = doc.ItemTabIndex(first);
    return IsTabIndex(doc, tab) ? tab : -1;
}

}  // namespace lumora
