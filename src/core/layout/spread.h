#pragma once
// Spread positions: what an album view shows. -2 is the closed front cover,
// -1 the flyleaf spread, and an even value k from 0 to the page count shows
// page k - 1 on the left (none at 0) and page k on the right (none at the
// page count, where the inside of the back cover shows instead).

namespace lumora {

inline constexpr int kCoverPosition = -2;
inline constexpr int kFlyleafPosition = -1;

// The spread on which a page is shown.
constexpr int SpreadOfPage(int page) { return (page + 1) / 2 * 2; }

// Page shown on the left of an open spread, or -1 for none.
constexpr int LeftPageOf(int position) { return position > 0 ? position - 1 : -1; }

// Page shown on the right of an open spread, or -1 for none.
constexpr int RightPageOf(int position, int pageCount)
{
    return position >= 0 && position < pageCount ? position : -1;
}

}  // namespace lumora
