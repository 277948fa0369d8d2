#include "core/album/tab_numbering.h"

namespace lumora {

TabNumbers NoteTabNumbers(PointerView<AlbumItem> items)
{
    TabNumbers numbers;
    for (const auto& item : items) {
        if (numbers.empty() || numbers.back().tab != item->tabIndex)
            numbers.push_back({0, item->tabIndex});
        ++numbers.back().count;
    }
    return numbers;
}

void RestoreTabNumbers(std::vector<std::unique_ptr<AlbumItem>>& items, const TabNumbers& numbers)
{
    size_t i = 0;
    for (const TabRun& run : numbers)
        for (uint32_t n = 0; n < run.count && i < items.size(); ++n)
            items[i++]->tabIndex = run.tab;
}

void RenumberForRemovedTab(std::vector<std::unique_ptr<AlbumItem>>& items, size_t position)
{
    for (const auto& item : items)
        if (item->tabIndex > 0 && static_cast<size_t>(item->tabIndex) >= position)
            --item->tabIndex;
}

void RenumberForInsertedTab(std::vector<std::unique_ptr<AlbumItem>>& items, size_t firstItem)
{
    for (size_t i = firstItem; i < items.size(); ++i)
        ++items[i]->tabIndex;
}

int16_t SectionForInsertion(PointerView<AlbumItem> items, size_t index)
{
    if (items.empty())
        return 0;
    return index < items.size() ? items[index]->tabIndex : items.back()->tabIndex;
}

}  // namespace lumora
