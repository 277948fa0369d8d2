#pragma once
// The album document as the page layout sees it. Anyone may read an album
// through it (the layout's queries: what lies on a page, hit tests); only
// the document's own pagination makes one that places items and tabs.
#include <stdexcept>

#include "core/album/album_document.h"
#include "core/album/album_fields.h"
#include "core/layout/layout_document.h"

namespace lumora {

class AlbumLayout final : public LayoutDocument {
public:
    explicit AlbumLayout(const AlbumDocument& doc) : doc_(doc) {}

    int ItemCount() const override { return static_cast<int>(doc_.ItemCount()); }
    std::optional<Size> ItemPreviewSize(int item) const override;
    int ItemTabIndex(int item) const override { return doc_.Item(static_cast<size_t>(item)).tabIndex; }
    int ItemPage(int item) const override { return doc_.Item(static_cast<size_t>(item)).pageIndex; }
    Rect ItemRect(int item) const override;
    void SetItemPlacement(int item, int page, const Rect& rect) override;

    int TabCount() const override { return static_cast<int>(doc_.TabCount()); }
    std::string TabName(int tab) const override { return doc_.Tab(static_cast<size_t>(tab)).name; }
    int TabFirstPage(int tab) const override { return doc_.Tab(static_cast<size_t>(tab)).firstPage; }
    void SetTabFirstPage(int tab, int page) override;

    std::string AlbumTitle() const override { return doc_.Settings().title; }
    bool UsesTabs() const override { return doc_.Settings().useTabs; }
    int LayoutIndex() const override { return LayoutNumber(doc_.Settings().layout); }

    int GetPageCount() const override { return doc_.PageCount(); }
    void SetPageCount(int pageCount) override;

    void ForEachView(const std::function<void(LayoutViewObserver&)>& visit) override;

private:
    friend class AlbumDocument;
    // The layout pagination writes through: the document's own state.
    AlbumLayout(const AlbumDocument& doc, AlbumFields& state) : doc_(doc), state_(&state) {}
    // A layout made for reading refuses to place anything: only the
    // document paginates itself.
    AlbumFields& Placing() const;

    const AlbumDocument& doc_;
    AlbumFields* state_ = nullptr;
};

}  // namespace lumora
