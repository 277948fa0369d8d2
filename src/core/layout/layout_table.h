#pragma once
// The seven page layouts an album can choose from: how many picture boxes a
// page holds, their size and where they stand. Slot origins are relative to
// the page-area origin; only left and top of each rectangle are used.
#include <array>
#include <cstdint>

#include "core/layout/geometry.h"

namespace lumora {

struct SlotRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct PageLayout {
    uint16_t slotCount;  // picture boxes per page, 1..12
    uint16_t columns;    // step of the Up and Down keys
    uint16_t boxWidth;   // every box of the layout has this size
    uint16_t boxHeight;
    std::array<SlotRect, 12> leftPage;   // odd page indices
    std::array<SlotRect, 12> rightPage;  // even page indices
};

constexpr int kLayoutCount = 7;
constexpr int kDefaultLayout = 1;  // Maxi 2+2

inline constexpr std::array<PageLayout, kLayoutCount> kLayouts = {{
    // Poster 1+1
    {1, 1, 185, 297, {{{26, 27}}}, {{{316, 27}}}},
    // Maxi 2+2
    {2, 1, 185, 140, {{{26, 27}, {26, 184}}}, {{{316, 27}, {316, 184}}}},
    // Midi 3+3
    {3, 1, 124, 93, {{{12, 27}, {55, 130}, {98, 233}}}, {{{300, 27}, {343, 130}, {386, 233}}}},
    // Mini 6+6
    {6, 2, 100, 75,
     {{{12, 27}, {127, 72}, {12, 116}, {127, 161}, {12, 205}, {127, 250}}},
     {{{300, 27}, {415, 72}, {300, 116}, {415, 161}, {300, 205}, {415, 250}}}},
    // Micro 12+12: three columns on four rows, row by row
    {12, 3, 68, 51,
     {{{12, 44}, {87, 44}, {162, 44}, {12, 113}, {87, 113}, {162, 113},
       {12, 182}, {87, 182}, {162, 182}, {12, 251}, {87, 251}, {162, 251}}},
     {{{300, 44}, {375, 44}, {450, 44}, {300, 113}, {375, 113}, {450, 113},
       {300, 182}, {375, 182}, {450, 182}, {300, 251}, {375, 251}, {450, 251}}}},
    // Présentation en X
    {3, 1, 124, 93, {{{12, 27}, {98, 130}, {12, 233}}}, {{{386, 27}, {300, 130}, {386, 233}}}},
    // Présentation en V
    {3, 1, 124, 93, {{{12, 27}, {55, 130}, {98, 233}}}, {{{386, 27}, {343, 130}, {300, 233}}}},
}};

// The layout at `index`, or the default one for an index out of range.
inline const PageLayout& LayoutAt(int index)
{
    return kLayouts[index >= 0 && index < kLayoutCount ? index : kDefaultLayout];
}

inline Size BoxSize(const PageLayout& layout)
{
    return {layout.boxWidth, layout.boxHeight};
}

// Picture box of one slot, relative to the page-area origin: right-hand
// (even) pages use the right-page origins, left-hand pages the left ones.
// A slot beyond the layout's slot count has no box.
inline Rect SlotBox(const PageLayout& layout, int page, int slot)
{
    if (slot < 0 || slot >= layout.slotCount)
        return {};
    const SlotRect& origin = (page % 2 == 0 ? layout.rightPage : layout.leftPage)[slot];
    return {origin.left, origin.top, origin.left + layout.boxWidth, origin.top + layout.boxHeight};
}

// Previews are made for a layout's picture box; switching between layouts
// whose boxes have the same size keeps them.
inline bool LayoutsShareBoxSize(int fromIndex, int toIndex)
{
    return BoxSize(LayoutAt(fromIndex)) == BoxSize(LayoutAt(toIndex));
}

}  // namespace lumora
