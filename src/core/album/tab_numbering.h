#pragma once
// How items name their sections when a tab comes or goes, and a compact
// note of every item's section (runs of equal numbers: sections are
// contiguous in an album) that puts them back exactly.
#include <cstdint>
#include <memory>
#include <vector>

#include "core/album/album_item.h"
#include "core/album/pointer_view.h"

namespace lumora {

struct TabRun {
    uint32_t count = 0;
    int16_t tab = 0;
};
using TabNumbers = std::vector<TabRun>;

TabNumbers NoteTabNumbers(PointerView<AlbumItem> items);
// `items` must be as many as when the note was taken.
void RestoreTabNumbers(std::vector<std::unique_ptr<AlbumItem>>& items, const TabNumbers& numbers);

// The tab at `position` goes: the sections after it move one back (section
// 0 stays 0).
void RenumberForRemovedTab(std::vector<std::unique_ptr<AlbumItem>>& items, size_t position);
// A tab comes in before the section of `firstItem`: that item and the ones
// after it move one section on.
void RenumberForInsertedTab(std::vector<std::unique_ptr<AlbumItem>>& items, size_t firstItem);

// The section a new item joins before `index`: that of the item there, or of
// the last item when appended (0 in an empty album).
int16_t SectionForInsertion(PointerView<AlbumItem> items, size_t index);

}  // namespace lumora
