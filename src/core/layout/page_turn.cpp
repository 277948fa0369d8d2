#include "core/layout/page_turn.h"

#include <cstddef>

#include "core/layout/book_geometry.h"

namespace lumora {

std::array<Point, 5> PageTurnOutline(int frame, bool forward, Point bookOrigin)
{
    const PageTurnRow row = kPageTurnRows[static_cast<size_t>(forward ? kPageTurnFrames - 1 - frame : frame)];
    // The bound edge creeps along the spine as the page turns.
    const int innerX = bookOrigin.x + (forward ? 296 - frame : 282 + frame);
    const int edgeX = bookOrigin.x + kPageAreaOffset.x + row.dx;
    const int top = bookOrigin.y + kPageAreaOffset.y;
    const int bottom = bookOrigin.y + 374;
    const Point start{edgeX, top - row.lift};
    return {start, Point{edgeX, bottom + row.lift}, Point{innerX, bottom}, Point{innerX, top}, start};
}

}  // namespace lumora
