#include "core/layout/view_transform.h"

#include <algorithm>
#include <cmath>

#include "core/layout/book_geometry.h"

namespace lumora {
namespace {

// Steps are compared with some slack, so that a zoom that is a step but
// for rounding moves on to the next one.
constexpr double kStepSlack = 1.01;

double Clamped(double zoom)
{
    if (!std::isfinite(zoom))
        return 1.0;
    return std::clamp(zoom, kSmallestZoom, kLargestZoom);
}

// Window points on pixel edges belong to the pixel right of or below them,
// whatever tiny error the division leaves.
int FloorWithSlack(double v)
{
    return static_cast<int>(std::floor(v + 1e-9));
}

}  // namespace

ViewTransform::ViewTransform(double zoom, PointF origin, double devicePixelRatio)
    : zoom_(Clamped(zoom)), origin_(origin), ratio_(devicePixelRatio > 0 ? devicePixelRatio : 1.0)
{
}

PointF ViewTransform::ToWindow(PointF book) const
{
    return {origin_.x + book.x * zoom_, origin_.y + book.y * zoom_};
}

RectF ViewTransform::ToWindow(const Rect& book) const
{
    const PointF topLeft = ToWindow(PointF{double(book.left), double(book.top)});
    const PointF bottomRight = ToWindow(PointF{double(book.right), double(book.bottom)});
    return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

Rect ViewTransform::CoveringWindowRect(const Rect& book) const
{
    const RectF r = ToWindow(book);
    return {static_cast<int>(std::floor(r.left)), static_cast<int>(std::floor(r.top)),
            static_cast<int>(std::ceil(r.right)), static_cast<int>(std::ceil(r.bottom))};
}

Point ViewTransform::ToBook(PointF window) const
{
    return {FloorWithSlack((window.x - origin_.x) / zoom_), FloorWithSlack((window.y - origin_.y) / zoom_)};
}

PointF ViewTransform::ToDevice(PointF book) const
{
    const PointF window = ToWindow(book);
    return {window.x * ratio_, window.y * ratio_};
}

Point ViewTransform::DevicePixelToBook(int x, int y) const
{
    return ToBook({(x + 0.5) / ratio_, (y + 0.5) / ratio_});
}

double FittedZoom(Size client)
{
    if (client.width <= 0 || client.height <= 0)
        return 1.0;
    const double across = double(client.width) / kBookSize.width;
    const double down = double(client.height) / kBookSize.height;
    return Clamped(std::min(across, down));
}

double EffectiveZoom(ZoomChoice choice, Size client)
{
    return choice.fit ? FittedZoom(client) : Clamped(choice.zoom);
}

Size ZoomedBookSize(double zoom)
{
    zoom = Clamped(zoom);
    // A product that is whole but for rounding stays that whole number.
    return {static_cast<int>(std::ceil(kBookSize.width * zoom - 1e-6)),
            static_cast<int>(std::ceil(kBookSize.height * zoom - 1e-6))};
}

ViewTransform PlaceBook(Size client, double zoom, Point scroll, double devicePixelRatio)
{
    const Size book = ZoomedBookSize(zoom);
    auto place = [](int room, int extent, int scrolled) {
        return extent < room ? (room - extent) / 2 : -scrolled;
    };
    return ViewTransform(zoom, {double(place(client.width, book.width, scroll.x)),
                                double(place(client.height, book.height, scroll.y))},
                         devicePixelRatio);
}

const std::vector<double>& ZoomSteps()
{
    static const std::vector<double> steps{0.5, 0.63, 0.8, 1.0, 1.25, 1.6, 2.0, 2.5, 3.2, 4.0};
    return steps;
}

double ZoomedIn(double zoom)
{
    for (const double step : ZoomSteps())
        if (step > zoom * kStepSlack)
            return step;
    return kLargestZoom;
}

double ZoomedOut(double zoom)
{
    const auto& steps = ZoomSteps();
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (*step * kStepSlack < zoom)
            return *step;
    return kSmallestZoom;
}

}  // namespace lumora
