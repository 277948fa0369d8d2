#pragma once
// The outline of a turning page: fifteen frames in which the page's free
// edge sweeps across the book, rising above the page top and sinking below
// its bottom halfway through. A forward turn sweeps the right page leftwards,
// a backward turn the left page rightwards.
#include <array>

#include "core/layout/geometry.h"

namespace lumora {

inline constexpr int kPageTurnFrames = 15;
// Each frame stays on screen for more than this many milliseconds.
inline constexpr int kPageTurnFrameMs = 15;

struct PageTurnRow {
    int dx;    // the free edge's offset from the page-area origin
    int lift;  // how far the edge rises above the page top and sinks below its bottom
};

inline constexpr std::array<PageTurnRow, kPageTurnFrames> kPageTurnRows{{
    {0, 0}, {15, 16}, {41, 27}, {73, 36}, {115, 43}, {161, 48}, {211, 51}, {260, 53},
    {315, 51}, {365, 48}, {411, 43}, {453, 36}, {485, 27}, {511, 16}, {527, 0},
}};

// The closed outline of frame 0-14: free edge top, free edge bottom, the
// bound edge's bottom and top, and back to the start.
std::array<Point, 5> PageTurnOutline(int frame, bool forward, Point bookOrigin);

}  // namespace lumora
