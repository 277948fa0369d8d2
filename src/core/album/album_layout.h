#pragma once
// The album document as the page layout sees it.
#include "core/album/album_document.h"
#include "core/layout/layout_document.h"

namespace lumora {

class AlbumLayout final : public LayoutDocument {
public:
    explicit AlbumLayout(AlbumDocument& doc) : doc_(doc) {}

    int ItemCount() const override { return static_cast<int>(doc_.items.size()); }
    std::optional<Size> ItemPreviewSize(int item) const override;
    int ItemTabIndex(int item) const override { return doc_.items[static_cast<size_t>(item)]->tabIndex; }
    int ItemPage(int item) const override { return doc_.items[static_cast<size_t>(item)]->pageIndex; }
    Rect ItemRect(int item) const override;
    void SetItemPlacement(int item, int page, const Rect& rect) override;

    int TabCount() const override { return static_cast<int>(doc_.tabs.size()); }
    std::string TabName(int tab) const override { return doc_.tabs[static_cast<size_t>(tab)]->name; }
    int TabFirstPage(int tab) const override { return doc_.tabs[static_cast<size_t>(tab)]->firstPage; }
    void SetTabFirstPage(int tab, int page) override { doc_.tabs[static_cast<size_t>(tab)]->firstPage = page; }

    std::string AlbumTitle() const override { return doc_.Settings().title; }
    bool UsesTabs() const override { return doc_.Settings().useTabs; }
    int LayoutIndex() const override { return doc_.Settings().layoutIndex; }

    int GetPageCount() const override { return doc_.pageCount; }
    void SetPageCount(int pageCount) override { doc_.pageCount = pageCount; }

    void ForEachView(const std::function<void(LayoutViewObserver&)>& visit) override;

private:
    AlbumDocument& doc_;
};

// Places every item and tab of the album on its pages.
void PaginateAlbum(AlbumDocument& doc);

}  // namespace lumora
