#pragma once
// The fixed geometry of the book drawn in an album view, in book
// coordinates: the classic size, 580 x 392. The view transform
// (view_transform.h) scales and places it in a window. Every rectangle here
// is relative to the book origin (the book area's top-left corner) unless
// its name says otherwise.
#include "core/layout/geometry.h"

namespace lumora {

inline constexpr Size kBookSize{580, 392};

// Item slots, item display rectangles and hit-testing of items are relative
// to the page area, which starts at this offset from the book origin.
inline constexpr Point kPageAreaOffset{26, 18};

// Closed cover.
inline constexpr Point kCoverPictureAt{140, 10};
inline constexpr Size kCoverPictureSize{265, 372};
inline constexpr Rect kCoverTitleBox{216, 80, 340, 148};

// Open book.
inline constexpr Point kOpenBookPictureAt{10, 10};
inline constexpr Size kOpenBookPictureSize{560, 372};
inline constexpr Size kPagePictureSize{257, 356};
inline constexpr Point kLeftPagePictureAt{26, 18};
inline constexpr Point kRightPagePictureAt{297, 18};

inline constexpr Rect kLeftPageTitleBox{46, 23, 243, 43};
inline constexpr Rect kRightPageTitleBox{337, 23, 534, 43};
inline constexpr Rect kLeftPageNumberBox{46, 354, 243, 374};
inline constexpr Rect kRightPageNumberBox{337, 354, 534, 374};

// Right page of the flyleaf spread.
inline constexpr Rect kFlyleafTitleBox{347, 58, 524, 168};
inline constexpr Rect kFlyleafDescriptionBox{357, 278, 514, 358};

// The coloured bar along the outer edge of the first sheet of a section.
inline constexpr Rect kRightSectionMarkerBox{550, 18, 554, 357};
inline constexpr Rect kLeftSectionMarkerBox{26, 18, 30, 357};

// Tab columns: x ranges on the left and right edges of the book.
inline constexpr int kLeftTabColumnLeft = 13;
inline constexpr int kRightTabColumnLeft = 554;
inline constexpr int kTabColumnWidth = 13;

// Shadow the book casts on the desk, 5 pixels right and down.
inline constexpr Rect kCoverShadowBottom{145, 382, 410, 387};
inline constexpr Rect kCoverShadowRight{405, 15, 410, 387};
inline constexpr Rect kOpenBookShadowBottom{15, 382, 575, 387};
inline constexpr Rect kOpenBookShadowRight{570, 15, 575, 387};

// The book is centred in the client area, but never starts left of or
// above it: a window smaller than the book scrolls instead.
constexpr Point BookOrigin(Size client)
{
    const int x = (client.width - kBookSize.width) / 2;
    const int y = (client.height - kBookSize.height) / 2;
    return {x > 0 ? x : 0, y > 0 ? y : 0};
}

constexpr Point PageAreaOrigin(Point bookOrigin)
{
    return {bookOrigin.x + kPageAreaOffset.x, bookOrigin.y + kPageAreaOffset.y};
}

// Even page indices are right-hand pages, odd ones left-hand pages.
constexpr bool IsRightPage(int page) { return page % 2 == 0; }

// The number printed on a page ("Page %d").
constexpr int PageNumber(int page) { return page + 1; }

constexpr Rect PageTitleBox(int page)
{
    return IsRightPage(page) ? kRightPageTitleBox : kLeftPageTitleBox;
}

constexpr Rect PageNumberBox(int page)
{
    return IsRightPage(page) ? kRightPageNumberBox : kLeftPageNumberBox;
}

constexpr Rect SectionMarkerBox(int page)
{
    return IsRightPage(page) ? kRightSectionMarkerBox : kLeftSectionMarkerBox;
}

}  // namespace lumora
