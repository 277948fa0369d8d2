#pragma once
// An in-memory album for exercising the page layout without the album
// document: items with a tab index and an optional preview, named tabs,
// and views that clamp their state when the album is paginated.
#include <optional>
#include <string>
#include <vector>

#include "core/layout/album_view_state.h"
#include "core/layout/layout_document.h"

namespace lumora::test {

struct FakeItem {
    FakeItem(int tabIndex = 0, std::optional<Size> previewSize = std::nullopt)
        : tab(tabIndex), preview(previewSize)
    {
    }

    int tab = 0;
    std::optional<Size> preview;  // photos with a preview only
    int page = -99;               // not yet placed
    Rect rect{};
};

struct FakeTab {
    std::string name;
    int firstPage = 0;
};

class FakeAlbum : public LayoutDocument {
public:
    std::vector<FakeItem> items;
    std::vector<FakeTab> tabs{{"Sans Nom"}};
    std::string title = "Titre de l'album";
    bool usesTabs = false;
    int layout = 1;
    int pageCount = 0;
    std::vector<LayoutViewObserver*> views;

    // Text items (no preview) carrying the given tab indices.
    static FakeAlbum WithSections(std::initializer_list<int> tabIndices, int tabCount, int layout)
    {
        FakeAlbum album;
        album.usesTabs = true;
        album.layout = layout;
        album.tabs.clear();
        for (int t = 0; t < tabCount; ++t)
            album.tabs.push_back({"Onglet " + std::to_string(t)});
        for (int tab : tabIndices)
            album.items.push_back({tab});
        return album;
    }

    void AddTexts(int count, int tab = 0)
    {
        for (int i = 0; i < count; ++i)
            items.push_back({tab});
    }

    std::vector<int> Pages() const
    {
        std::vector<int> pages;
        for (const FakeItem& item : items)
            pages.push_back(item.page);
        return pages;
    }

    std::vector<int> FirstPages() const
    {
        std::vector<int> pages;
        for (const FakeTab& tab : tabs)
            pages.push_back(tab.firstPage);
        return pages;
    }

    int ItemCount() const override { return static_cast<int>(items.size()); }
    std::optional<Size> ItemPreviewSize(int item) const override { return items.at(item).preview; }
    int ItemTabIndex(int item) const override { return items.at(item).tab; }
    int ItemPage(int item) const override { return items.at(item).page; }
    Rect ItemRect(int item) const override { return items.at(item).rect; }
    void SetItemPlacement(int item, int page, const Rect& rect) override
    {
        items.at(item).page = page;
        items.at(item).rect = rect;
    }

    int TabCount() const override { return static_cast<int>(tabs.size()); }
    std::string TabName(int tab) const override { return tabs.at(tab).name; }
    int TabFirstPage(int tab) const override { return tabs.at(tab).firstPage; }
    void SetTabFirstPage(int tab, int page) override { tabs.at(tab).firstPage = page; }

    std::string AlbumTitle() const override { return title; }
    bool UsesTabs() const override { return usesTabs; }
    int LayoutIndex() const override { return layout; }
    int GetPageCount() const override { return pageCount; }
    void SetPageCount(int count) override { pageCount = count; }

    void ForEachView(const std::function<void(LayoutViewObserver&)>& visit) override
    {
        for (LayoutViewObserver* view : views)
            visit(*view);
    }
};

// A view as the album window will hold it: its state, clamped whenever the
// album is paginated.
class FakeView : public LayoutViewObserver {
public:
    explicit FakeView(const LayoutDocument& doc) : doc_(doc) {}
    void ClampToLayout() override
    {
        state.ClampToLayout(doc_);
        ++clamps;
    }

    AlbumViewState state;
    int clamps = 0;

private:
    const LayoutDocument& doc_;
};

}  // namespace lumora::test
