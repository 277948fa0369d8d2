#pragma once
// How the book, laid out in its own fixed frame (book coordinates, 580 x 392
// at the classic size), stands in a window: one zoom factor and the place of
// the book origin, in the window's logical pixels, and the screen's device
// pixel ratio beneath them. Drawing maps book coordinates out through it;
// every click, cursor, context menu and drop maps the pointer back in
// through its inverse, so the two can never disagree.
#include <vector>

#include "core/layout/geometry.h"

namespace lumora {

inline constexpr double kSmallestZoom = 0.5;
inline constexpr double kLargestZoom = 4.0;

struct PointF {
    double x = 0, y = 0;
    friend constexpr bool operator==(const PointF&, const PointF&) = default;
};

struct RectF {
    double left = 0, top = 0, right = 0, bottom = 0;
    constexpr double Width() const { return right - left; }
    constexpr double Height() const { return bottom - top; }
};

class ViewTransform {
public:
    constexpr ViewTransform() = default;
    // `origin`: where the book's (0, 0) stands in the window's logical frame.
    ViewTransform(double zoom, PointF origin, double devicePixelRatio = 1.0);

    double Zoom() const { return zoom_; }
    PointF Origin() const { return origin_; }
    double DevicePixelRatio() const { return ratio_; }

    PointF ToWindow(PointF book) const;
    RectF ToWindow(const Rect& book) const;
    // The smallest whole-pixel rectangle of the window that covers `book`:
    // what must be repainted when that part of the book changes.
    Rect CoveringWindowRect(const Rect& book) const;
    // The book pixel under a window point (logical, possibly fractional as
    // pointer positions are on scaled screens).
    Point ToBook(PointF window) const;

    PointF ToDevice(PointF book) const;
    // The book pixel under the centre of device pixel (x, y).
    Point DevicePixelToBook(int x, int y) const;

private:
    double zoom_ = 1.0;
    PointF origin_;
    double ratio_ = 1.0;
};

// What the user asked for: the book fitted to the window, or a fixed zoom
// (1 is the classic size).
struct ZoomChoice {
    bool fit = true;
    double zoom = 1.0;
    friend bool operator==(const ZoomChoice&, const ZoomChoice&) = default;
};

// The largest zoom at which the whole book shows in `client`, within the
// zoom range: the classic size or more in any window that holds the classic
// book, less only in a smaller one.
double FittedZoom(Size client);

// The zoom a choice gives in `client`.
double EffectiveZoom(ZoomChoice choice, Size client);

// The book's extent in logical pixels at `zoom` (rounded up).
Size ZoomedBookSize(double zoom);

// The transform of a view: the book centred on whole pixels where it is
// smaller than the client, else scrolled by `scroll` (logical pixels).
ViewTransform PlaceBook(Size client, double zoom, Point scroll, double devicePixelRatio = 1.0);

// The zoom steps, about 25 % apart, from the smallest to the largest zoom.
const std::vector<double>& ZoomSteps();
// The next step above or below `zoom` (the ends stay where they are).
double ZoomedIn(double zoom);
double ZoomedOut(double zoom);

}  // namespace lumora
