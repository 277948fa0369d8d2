#pragma once
// What page layout needs from an album: its items, tabs and the settings
// that shape the pages. The album document implements this; the layout
// reads the items and tabs through it and writes its results back into
// them (each item's page and display rectangle, each tab's first page, the
// page count).
#include <functional>
#include <optional>
#include <string>

#include "core/layout/geometry.h"

namespace lumora {

// An album view as pagination sees it: after every pagination each view of
// the album brings its position and selection back within the new layout.
class LayoutViewObserver {
public:
    virtual ~LayoutViewObserver() = default;
    virtual void ClampToLayout() = 0;
};

class LayoutDocument {
public:
    virtual ~LayoutDocument() = default;

    // Items, in album order.
    virtual int ItemCount() const = 0;
    // Size of a photo item's preview; nothing for a text item or for a photo
    // that has no preview. A text item fills its whole picture box.
    virtual std::optional<Size> ItemPreviewSize(int item) const = 0;
    virtual int ItemTabIndex(int item) const = 0;
    virtual int ItemPage(int item) const = 0;
    // Display rectangle relative to the page-area origin.
    virtual Rect ItemRect(int item) const = 0;
    virtual void SetItemPlacement(int item, int page, const Rect& rect) = 0;

    // Tabs, in album order.
    virtual int TabCount() const = 0;
    virtual std::string TabName(int tab) const = 0;
    virtual int TabFirstPage(int tab) const = 0;
    virtual void SetTabFirstPage(int tab, int page) = 0;

    // Album settings read by the layout.
    virtual std::string AlbumTitle() const = 0;
    virtual bool UsesTabs() const = 0;
    virtual int LayoutIndex() const = 0;

    // Always even and at least 2 once the album has been paginated.
    virtual int GetPageCount() const = 0;
    virtual void SetPageCount(int pageCount) = 0;

    virtual void ForEachView(const std::function<void(LayoutViewObserver&)>& visit) = 0;
};

// Whether an item's tab index names one of the album's tabs; item records are
// read from album files unchecked.
inline bool IsTabIndex(const LayoutDocument& doc, int tab)
{
    return tab >= 0 && tab < doc.TabCount();
}

}  // namespace lumora
