#pragma once
// Queries on the distribution of items over pages, used to draw, navigate,
// edit and print an album. They read the results of the last pagination.
#include <string>
#include <vector>

#include "core/layout/layout_document.h"

namespace lumora {

// Index of the first item placed on `page`, or -1.
int FirstItemOnPage(const LayoutDocument& doc, int page);

// The item after `index` when it exists and, in an album that uses tabs,
// belongs to the same section; otherwise -1.
int NextItemInSection(const LayoutDocument& doc, int index);

// The items drawn on `page`, in slot order: the first item on the page and
// those following it in its section, at most one per slot.
std::vector<int> ItemsOnPage(const LayoutDocument& doc, int page);

// Text of the title box at the top of `page`: the album title, or with tabs
// the name of the tab whose section the page belongs to.
std::string PageTitle(const LayoutDocument& doc, int page);

// Tab whose section starts on the sheet of `page` (a right-hand page and
// the left-hand page on its back), for the section start marker; -1 when no
// section starts there or the album does not use tabs.
int SectionMarkerTab(const LayoutDocument& doc, int page);

}  // namespace lumora
