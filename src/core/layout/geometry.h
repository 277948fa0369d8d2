#pragma once
// Plain integer geometry of the album view. Rectangles keep the window
// system's convention: right and bottom are exclusive.

namespace lumora {

struct Point {
    int x = 0, y = 0;
    friend constexpr bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0, height = 0;
    friend constexpr bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool Contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr Rect Offset(Point by) const
    {
        return {left + by.x, top + by.y, right + by.x, bottom + by.y};
    }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace lumora
