#include "core/layout/pagination.h"

#include <algorithm>

#include "core/layout/layout_table.h"

namespace lumora {
namespace {

constexpr int kEmptyAlbumPageCount = 2;

// The next right-hand page after `page`, whichever side `page` is on.
constexpr int NextRightPageAfter(int page) { return (page + 2) / 2 * 2; }

// The item's picture box, narrowed to its preview and centred in the box
// when it is a photo with a preview.
Rect DisplayRect(const LayoutDocument& doc, const PageLayout& layout, int item, int page, int slot)
{
    Rect rect = SlotBox(layout, page, slot);
    if (const auto preview = doc.ItemPreviewSize(item)) {
        rect.left += (layout.boxWidth - preview->width) / 2;
        rect.right = rect.left + preview->width;
        rect.top += (layout.boxHeight - preview->height) / 2;
        rect.bottom = rect.top + preview->height;
    }
    return rect;
}

// Fills the pages slot by slot in item order. Returns the last item's page.
int PlaceWithoutSections(LayoutDocument& doc, const PageLayout& layout)
{
    const int count = doc.ItemCount();
    int page = 0;
    int slot = 0;
    for (int item = 0; item < count; ++item) {
        doc.SetItemPlacement(item, page, DisplayRect(doc, layout, item, page, slot));
        if (++slot == layout.slotCount) {
            slot = 0;
            ++page;
        }
    }
    // The slot advance after the last item does not count.
    return slot == 0 ? page - 1 : page;
}

// Tab of the first item, as far as it names an existing tab: the sheets
// before the first item belong to the tabs before it.
int LeadingTab(const LayoutDocument& doc)
{
    return std::clamp(doc.ItemTabIndex(0), 0, std::max(doc.TabCount() - 1, 0));
}

// Fills the pages as PlaceWithoutSections does, but every section starts on
// a new right-hand page, after one sheet for each tab before the first
// item's. Returns the last item's page.
int PlaceInSections(LayoutDocument& doc, const PageLayout& layout)
{
    const int count = doc.ItemCount();
    const int leadingTab = LeadingTab(doc);
    for (int tab = 0; tab <= leadingTab && IsTabIndex(doc, tab); ++tab)
        doc.SetTabFirstPage(tab, 2 * tab);

    int page = 2 * leadingTab;
    int slot = 0;
    for (int item = 0;; ++item) {
        doc.SetItemPlacement(item, page, DisplayRect(doc, layout, item, page, slot));
        const int tab = doc.ItemTabIndex(item);
        if (item > 0 && tab != doc.ItemTabIndex(item - 1) && IsTabIndex(doc, tab))
            doc.SetTabFirstPage(tab, page);
        if (item == count - 1)
            return page;
        if (doc.ItemTabIndex(item + 1) == tab) {
            if (++slot == layout.slotCount) {
                slot = 0;
                ++page;
            }
        } else {
            page = NextRightPageAfter(page);
            slot = 0;
        }
    }
}

// Tabs whose sections lost all their items keep their first page, but never
// one outside the album, so that going to such a tab stays in bounds.
void KeepFirstPagesInAlbum(LayoutDocument& doc)
{
    const int lastPage = doc.GetPageCount() - 1;
    for (int tab = 0; tab < doc.TabCount(); ++tab) {
        const int firstPage = doc.TabFirstPage(tab);
        const int kept = std::clamp(firstPage, 0, lastPage);
        if (kept != firstPage)
            doc.SetTabFirstPage(tab, kept);
    }
}

}  // namespace

void Paginate(LayoutDocument& doc)
{
    const PageLayout& layout = LayoutAt(doc.LayoutIndex());
    if (doc.ItemCount() <= 0) {
        doc.SetPageCount(kEmptyAlbumPageCount);
    } else {
        const int lastPage = doc.UsesTabs() ? PlaceInSections(doc, layout)
                                            : PlaceWithoutSections(doc, layout);
        doc.SetPageCount(NextRightPageAfter(lastPage));
    }
    KeepFirstPagesInAlbum(doc);
    doc.ForEachView([](LayoutViewObserver& view) { view.ClampToLayout(); });
}

}  // namespace lumora
