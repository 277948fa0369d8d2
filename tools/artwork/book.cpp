#include "artwork/book.h"

#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "artwork/noise.h"

namespace lumora::art {

namespace {

struct Vec3 {
    float x, y, z;
};
Vec3 Normalize(Vec3 v)
{
    const float len = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / len, v.y / len, v.z / len};
}
float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// One lamp above the desk, to the upper left; y grows downwards, z towards
// the viewer.
const Vec3 kLight = Normalize({-0.45f, -0.55f, 0.70f});
const Vec3 kHalfway = Normalize({kLight.x, kLight.y, kLight.z + 1});

const Noise kLeatherNoise(0x1EA7u);
const Noise kPaperNoise(0x9A9Eu);
const Noise kMetalNoise(0x3E7Au);

// ---- the pixel grid of a scaled piece ------------------------------------

// Pixel i of a piece drawn `scale` times the classic size, in classic pixel
// units: `At` is where its centre lies, counted so that at scale 1 it is i
// itself (the classic pictures sample every surface at whole numbers), and
// `Cell` the classic pixel it falls in, for features one classic pixel
// wide (rims, stacked leaf edges).
struct Grid {
    int scale = 1;
    float At(int i) const { return (static_cast<float>(i) + 0.5f) / static_cast<float>(scale) - 0.5f; }
    int Cell(int i) const { return i / scale; }
    int Size(int classic) const { return classic * scale; }
};

// ---- surfaces lit from a height field ---------------------------------

// Heights and colours are given in classic pixel units.
using HeightFn = std::function<float(float, float)>;
using AlbedoFn = std::function<Color(float, float)>;

// Lambert shading relative to a flat surface (a flat pixel keeps its
// albedo) plus a soft sheen, over w x h classic pixels whose top-left lies
// at (originX, originY) of the surface. The slope is taken one classic
// pixel either side at every scale, so that a finer picture is the same
// surface seen closer, not a harsher one.
Image ShadeSurface(Grid grid, int originX, int originY, int w, int h, const HeightFn& height, const AlbedoFn& albedo,
                   float relief, float gloss)
{
    const int s = grid.scale;
    const int columns = grid.Size(w), rows = grid.Size(h);
    const int stride = columns + 2 * s;
    std::vector<float> field(static_cast<size_t>(stride) * (rows + 2 * s));
    auto at = [&](int x, int y) -> float& { return field[static_cast<size_t>(y + s) * stride + (x + s)]; };
    for (int y = -s; y < rows + s; ++y)
        for (int x = -s; x < columns + s; ++x)
            at(x, y) = height(grid.At(x) + originX, grid.At(y) + originY);
    Image out(columns, rows);
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < columns; ++x) {
            const float dx = (at(x + s, y) - at(x - s, y)) * 0.5f * relief;
            const float dy = (at(x, y + s) - at(x, y - s)) * 0.5f * relief;
            const Vec3 n = Normalize({-dx, -dy, 1});
            const float shade = 1 + 1.3f * (Dot(n, kLight) - kLight.z);
            const float sheen = gloss * std::pow(std::max(0.0f, Dot(n, kHalfway)), 24.0f);
            Color c = albedo(grid.At(x) + originX, grid.At(y) + originY) * std::max(0.2f, shade);
            out.At(x, y) = {c.r + sheen, c.g + sheen * 0.95f, c.b + sheen * 0.9f, 1};
        }
    return out;
}

// ---- leather -----------------------------------------------------------

// Pebble grain: cellular bumps with creases between them, over slow
// wrinkles. Coordinates are in a shared leather space so that every piece
// cut from "the same hide" matches.
float LeatherGrain(float x, float y)
{
    const Noise::Cells c = kLeatherNoise.Cellular(x / 3.1f, y / 3.1f);
    const float pebble = SmoothStep(0.0f, 0.3f, c.second - c.nearest);
    const float dome = 1 - std::min(1.0f, c.nearest * 1.2f);
    const float wrinkle = kLeatherNoise.Fractal(x / 14.0f, y / 5.0f, 3);
    return 0.55f * pebble + 0.35f * dome + 0.6f * wrinkle;
}

Color LeatherAlbedo(float x, float y, float darken, bool subdued)
{
    // With sixteen colours only maroon and black can make the hide, so it
    // gets one even tone; otherwise the dye varies a little across it.
    if (subdued)
        return Rgb8(98, 6, 8) * darken;
    const float mottle = kLeatherNoise.Fractal(x / 60.0f + 50, y / 60.0f, 4);
    const Color dark = Rgb8(80, 18, 24), light = Rgb8(114, 30, 34);
    return Mix(dark, light, SmoothStep(0.2f, 0.8f, mottle)) * darken;
}

// The board's top and bottom are rounded over, so the first rows face the
// lamp and the last ones turn away from it.
float BoardRounding(float y)
{
    const float top = std::max(0.0f, 4.0f - y), bottom = std::max(0.0f, y - (kBookHeight - 5.0f));
    return -0.3f * (top * top + bottom * bottom);
}

float BoardRimShade(float y)
{
    const int row = static_cast<int>(std::floor(y + 0.5f));
    return (row == 0 || row == kBookHeight - 1) ? 0.7f : 1.0f;
}

// A blind-tooled groove along a rectangle's outline.
float Groove(float x, float y, float x0, float y0, float x1, float y1, float depth, float width)
{
    const float d = std::abs(Box(x0, y0, x1, y1)(x, y));
    return -depth * std::exp(-(d / width) * (d / width));
}

// The part (left, top, width x height) of a strip of the hide `offsetX`
// along it; `extra` adds tooling in the strip's own coordinates.
Image LeatherStrip(const BookStyle& style, int left, int top, int width, int height, float offsetX, float darken,
                   const HeightFn& extra)
{
    const float relief = style.subdued ? 0.7f : 1.1f;
    return ShadeSurface(
        Grid{style.scale}, left, top, width, height,
        [&](float x, float y) { return LeatherGrain(x + offsetX, y) + BoardRounding(y) + extra(x, y); },
        [&](float x, float y) { return LeatherAlbedo(x + offsetX, y, darken, style.subdued) * BoardRimShade(y); },
        relief, 0.12f);
}

Image LeatherStrip(const BookStyle& style, int width, float offsetX, float darken, const HeightFn& extra)
{
    return LeatherStrip(style, 0, 0, width, kBookHeight, offsetX, darken, extra);
}

// ---- binder rings --------------------------------------------------------

// The rings in open-book coordinates: each is a wire arch standing over the
// spine from a hole in the left page to a hole in the right page.
constexpr std::array<float, 3> kRingRows = {78, 186, 294};
constexpr float kRingLeft = 258, kRingRight = 301;
constexpr float kRingCentre = (kRingLeft + kRingRight) / 2, kRingRadius = (kRingRight - kRingLeft) / 2;
constexpr float kWire = 3.2f;
constexpr float kHoleRadius = 4.6f;

float ArchHeight(float x)
{
    const float t = std::clamp((x - kRingCentre) / kRingRadius, -1.0f, 1.0f);
    return kRingRadius * std::sqrt(1 - t * t);
}

// Polished steel seen from above: lit by the lamp, reflecting a bright
// ceiling and a dark room.
Color WireColor(float x, float y, float row)
{
    const float t = std::clamp((x - kRingCentre) / kRingRadius, -1.0f, 1.0f);
    const float v = std::clamp((y - row) / kWire, -0.98f, 0.98f);
    const float across = std::sqrt(1 - v * v);
    const Vec3 arch = {t, 0, std::sqrt(1 - t * t)};
    const Vec3 n = Normalize({arch.x * across, v, arch.z * across});
    const float diffuse = std::max(0.0f, Dot(n, kLight));
    const float specular = std::pow(std::max(0.0f, Dot(n, kHalfway)), 30.0f);
    const float reflectY = 2 * n.z * n.y;  // the view ray reflected, y part
    const float room = Lerp(0.75f, 0.3f, SmoothStep(-0.4f, 0.4f, reflectY));
    float value = 0.15f + 0.35f * diffuse + 0.45f * room + 0.8f * specular;
    // The wire dives into the hole at both ends.
    const float end = std::min(x - kRingLeft, kRingRight - x);
    value *= Lerp(0.45f, 1.0f, SmoothStep(-1.0f, 3.0f, end));
    return {value * 0.93f, value * 0.95f, value, 1};
}

// How much of the lamp the rings hide at (x, y), 0..1.
float RingShadow(float x, float y)
{
    float best = 0;
    for (float row : kRingRows) {
        if (y < row - 6 || y > row + 20 || x < kRingLeft - 4 || x > kRingRight + 12)
            continue;
        for (float s = kRingLeft; s <= kRingRight; s += 0.5f) {
            const float z = ArchHeight(s);
            const float sx = s + z * 0.3f, sy = row + z * 0.36f;
            const float spread = kWire * 0.9f + z * 0.08f;
            const float d = std::hypot(x - sx, y - sy) / spread;
            best = std::max(best, std::exp(-d * d));
        }
    }
    return best;
}

// Shadows and wires of the rings on a piece placed at (originX, originY) of
// the open book.
void ApplyRings(Image& piece, Grid grid, int originX, int originY)
{
    const float pixel = 1.0f / static_cast<float>(grid.scale);  // in classic pixels
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x) {
            const float bx = grid.At(x) + originX + 0.5f, by = grid.At(y) + originY + 0.5f;
            const float shadow = RingShadow(bx, by);
            if (shadow > 0.01f) {
                Color& c = piece.At(x, y);
                c = c * (1 - 0.5f * shadow);
                c.a = 1;
            }
        }
    constexpr int kSub = 4;
    for (float row : kRingRows)
        for (int y = 0; y < piece.Height(); ++y)
            for (int x = 0; x < piece.Width(); ++x) {
                // The pixel's top-left corner, in classic pixels.
                const float bx = grid.At(x) + 0.5f - pixel / 2 + originX, by = grid.At(y) + 0.5f - pixel / 2 + originY;
                if (std::abs(by + pixel / 2 - row) > kWire + 1 || bx + pixel < kRingLeft - 1.5f || bx > kRingRight + 1.5f)
                    continue;
                int hits = 0;
                for (int sy = 0; sy < kSub; ++sy)
                    for (int sx = 0; sx < kSub; ++sx) {
                        const float px = bx + (sx + 0.5f) / kSub * pixel, py = by + (sy + 0.5f) / kSub * pixel;
                        hits += std::abs(py - row) < kWire && px > kRingLeft - 1.5f && px < kRingRight + 1.5f;
                    }
                if (hits > 0)
                    piece.Blend(x, y, WireColor(bx + pixel / 2, by + pixel / 2, row), hits / float(kSub * kSub));
            }
}

// A punched hole in a page, the lamp lighting its far wall.
void PunchHoles(Image& page, Grid grid, float centreX)
{
    Canvas canvas(page, static_cast<float>(grid.scale));
    for (float row : kRingRows) {
        const float cy = row - kPageTop;
        const Shape hole = Circle(centreX, cy, kHoleRadius);
        canvas.Fill(hole, Rgb8(58, 42, 40));
        // The paper's cut edge shows on the side facing the lamp's light.
        canvas.Fill(Subtract(hole, Circle(centreX + 1.3f, cy + 1.3f, kHoleRadius)), Rgb8(206, 200, 188));
        canvas.Fill(Subtract(Circle(centreX, cy, kHoleRadius + 0.8f), hole), Rgb8(120, 112, 100), 0.5f);
    }
}

// ---- paper ---------------------------------------------------------------

// A fleck of pulp filling classic pixel (cellX, cellY), round when drawn
// finer: how much of it covers the point (x, y).
float FleckCover(float x, float y, int cellX, int cellY)
{
    const float d = std::hypot(x - static_cast<float>(cellX), y - static_cast<float>(cellY));
    return 1 - SmoothStep(0.3f, 0.6f, d);
}

Image RenderPaper(const BookStyle& style)
{
    const Grid grid{style.scale};
    const float texture = style.subdued ? 0 : 1;
    Image page(grid.Size(kPageWidth), grid.Size(kPageHeight));
    const Color base = style.subdued ? Rgb8(255, 255, 255) : Rgb8(252, 250, 243);
    for (int py = 0; py < page.Height(); ++py)
        for (int px = 0; px < page.Width(); ++px) {
            const float x = grid.At(px), y = grid.At(py);
            const int column = grid.Cell(px), row = grid.Cell(py);
            const float fibre = kPaperNoise.Fractal(x / 2.2f, y / 2.2f, 3) - 0.5f;
            const float cloud = kPaperNoise.Fractal(x / 28.0f + 9, y / 28.0f, 3) - 0.5f;
            float k = 1 + texture * (0.03f * fibre + 0.025f * cloud);
            if (texture > 0 && kPaperNoise.Hash(column + 4000, row) > 0.9985f) {
                // A fleck in the pulp.
                const float cover = FleckCover(x, y, column, row);
                k *= cover >= 1 ? 0.94f : Lerp(1, 0.94f, cover);
            }
            // The outer edge shows the stack of leaves below; the top and
            // bottom are softened; the paper darkens into the binding.
            static constexpr float kStack[] = {0.78f, 0.92f, 0.97f, 0.99f};
            if (column < 4)
                k *= kStack[column];
            if (row < 3)
                k *= std::array<float, 3>{0.86f, 0.95f, 0.985f}[static_cast<size_t>(row)];
            if (row > kPageHeight - 4)
                k *= std::array<float, 3>{0.97f, 0.92f, 0.80f}[static_cast<size_t>(row - (kPageHeight - 3))];
            const float fromBinding = kPageWidth - 1 - x;
            k *= 1 - (style.subdued ? 0.05f : 0.09f) * std::exp(-fromBinding / 6.0f);
            if (column == kPageWidth - 1)
                k *= 0.9f;
            page.At(px, py) = base * k;
        }
    return page;
}

// ---- metal -------------------------------------------------------------

Color GoldRamp(float v, bool subdued)
{
    const Color deep = subdued ? Rgb8(110, 100, 0) : Rgb8(88, 54, 12);
    const Color mid = subdued ? Rgb8(172, 160, 22) : Rgb8(206, 156, 62);
    const Color bright = subdued ? Rgb8(255, 255, 150) : Rgb8(255, 238, 176);
    return v < 0.5f ? Mix(deep, mid, Clamp01(v / 0.5f)) : Mix(mid, bright, Clamp01((v - 0.5f) / 0.5f));
}

// The ring mechanism: a domed steel plate riveted along the spine.
void DrawMechanism(Image& spine, Grid grid)
{
    // Narrower than the gap between the pages, so a line of leather shows on
    // each side of it.
    constexpr float kHalfWidth = 5.5f;
    const float cx = kSpineWidth / 2.0f;
    const Shape plate = Capsule(cx, 30, cx, kBookHeight - 31, kHalfWidth);
    Canvas canvas(spine, static_cast<float>(grid.scale));
    canvas.Shadow(plate, 1.5f, 2.5f, 2.0f, {0, 0, 0, 0.55f});
    canvas.Fill(plate, [&](float x, float y) {
        const float u = std::clamp((x - cx) / kHalfWidth, -1.0f, 1.0f);
        const float brushed = kMetalNoise.Fractal(x * 3, y / 30, 2) - 0.5f;
        const float highlight = std::exp(-((u + 0.35f) / 0.18f) * ((u + 0.35f) / 0.18f));
        const float rim = SmoothStep(-1.5f, 0.0f, plate(x, y));
        float v = 0.52f - 0.22f * u + 0.4f * highlight + 0.06f * brushed - 0.25f * rim;
        return Color{v * 0.92f, v * 0.94f, v, 1};
    });
    for (float rivetY : {44.0f, kBookHeight - 45.0f}) {
        canvas.Fill(Circle(cx + 0.6f, rivetY + 0.6f, 2.8f), {0, 0, 0, 0.45f});
        canvas.Fill(Circle(cx, rivetY, 2.6f), [&](float x, float y) {
            const float d = std::hypot(x - (cx - 0.9f), y - (rivetY - 0.9f));
            const float v = 1.0f - 0.2f * d;
            return Color{v * 0.92f, v * 0.94f, v, 1};
        });
    }
}

}  // namespace

namespace {

// The board (or the part of it at left, top, width x height), with the
// tooled double frame that runs round it.
Image LeatherBoard(const BookStyle& style, int left, int top, int width, int height)
{
    const float right = kLeatherWidth - 1.0f, bottom = kBookHeight - 1.0f;
    return LeatherStrip(style, left, top, width, height, 0, 1, [&](float x, float y) {
        return Groove(x, y, 10, 10, right - 10, bottom - 10, 1.4f, 0.9f) +
               Groove(x, y, 14, 14, right - 14, bottom - 14, 0.8f, 0.7f);
    });
}

// The board edge's shade across its columns, between whole columns
// interpolated within each of its parts (the parts are cut apart and
// placed beside other pieces, so none may borrow from its neighbour).
float EdgeProfile(float column)
{
    // Columns 0-11: the rounded back and the hinge crease of the closed
    // book; 14-16: the left edge of the open boards, facing the lamp;
    // 19-21: the right edge, turned away from it.
    static constexpr std::array<float, kEdgeWidth> kProfile = {
        0.5f, 0.72f, 0.92f, 1.08f, 1.14f, 1.08f, 0.95f, 0.74f, 0.38f, 0.58f, 0.95f, 1.04f,
        1.0f,  1.0f,  0.6f, 1.25f, 1.08f, 1.0f, 1.0f, 0.92f, 0.72f, 0.5f, 1.0f, 1.0f};
    static constexpr std::array<int, kEdgeWidth> kPart = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                          1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5, 5};
    const int last = kEdgeWidth - 1;
    const int below = std::clamp(static_cast<int>(std::floor(column)), 0, last);
    const int above = std::min(below + 1, last);
    const int cell = std::clamp(static_cast<int>(std::floor(column + 0.5f)), 0, last);
    const float t = std::clamp(column - static_cast<float>(below), 0.0f, 1.0f);
    if (kPart[below] == kPart[above] && kPart[below] == kPart[cell])
        return Lerp(kProfile[below], kProfile[above], t);
    return kProfile[cell];
}

}  // namespace

Image RenderLeather(const BookStyle& style) { return LeatherBoard(style, 0, 0, kLeatherWidth, kBookHeight); }

Image RenderEdge(const BookStyle& style)
{
    const Grid grid{style.scale};
    Image edge = LeatherStrip(style, kEdgeWidth, 600, 1, [](float, float) { return 0.0f; });
    for (int y = 0; y < edge.Height(); ++y)
        for (int x = 0; x < edge.Width(); ++x) {
            Color& c = edge.At(x, y);
            c = c * EdgeProfile(grid.At(x));
            c.a = 1;
        }
    return edge;
}

Image RenderSpine(const BookStyle& style)
{
    // The inside of the back: darker leather between two hinge grooves.
    const Grid grid{style.scale};
    Image spine = LeatherStrip(style, kSpineWidth, 900, 0.78f, [](float x, float) {
        const float left = x - 3.5f, right = x - (kSpineWidth - 4.5f);
        return -1.6f * std::exp(-left * left / 2.0f) - 1.6f * std::exp(-right * right / 2.0f);
    });
    DrawMechanism(spine, grid);
    // The pages lie above the spine: the left one throws its shadow into
    // the gap between them, the right one only darkens its foot.
    const int gapLeft = kLeftPageLeft + kPageWidth - kSpineLeft;  // first column between the pages
    const int gapRight = kRightPageLeft - kSpineLeft - 1;
    for (int y = grid.Size(kPageTop); y < grid.Size(kPageTop + kPageHeight); ++y)
        for (int px = grid.Size(gapLeft); px < grid.Size(gapRight + 1); ++px) {
            const float x = std::clamp(grid.At(px), static_cast<float>(gapLeft), static_cast<float>(gapRight));
            const float k = (1 - 0.4f * std::exp(-(x - gapLeft) / 3.0f)) * (1 - 0.2f * std::exp(-(gapRight - x) / 1.5f));
            Color& c = spine.At(px, y);
            c = c * k;
            c.a = 1;
        }
    ApplyRings(spine, grid, kSpineLeft, 0);
    return spine;
}

Image RenderPageSheet(const BookStyle& style)
{
    const Grid grid{style.scale};
    const Image paper = RenderPaper(style);
    Image sheet(grid.Size(kPageSheetWidth), grid.Size(kPageHeight), {1, 1, 1, 1});

    Image left = paper;
    PunchHoles(left, grid, kRingLeft - kLeftPageLeft);
    ApplyRings(left, grid, kLeftPageLeft, kPageTop);
    sheet.Draw(left, 0, 0);

    // The right page is the left one mirrored, except for its first
    // columns, which carry the ring ends lit from the correct side.
    Image right = paper.MirroredLeftRight();
    PunchHoles(right, grid, kRingRight - kRightPageLeft);
    ApplyRings(right, grid, kRightPageLeft, kPageTop);
    const Image ringEnds = right.Crop(0, 0, grid.Size(kRingEndsWidth), grid.Size(kPageHeight));
    sheet.Draw(ringEnds, grid.Size(kRingEndsColumn), 0);
    // The two spare columns repeat the page's binding edge.
    for (int y = 0; y < sheet.Height(); ++y)
        for (int x = grid.Size(kPageWidth); x < grid.Size(kRingEndsColumn); ++x)
            sheet.At(x, y) = paper.At(grid.Size(kPageWidth) - 1, y);
    return sheet;
}

Image RenderTitlePlate(const BookStyle& style)
{
    const Grid grid{style.scale};
    Image plate = LeatherBoard(style, kPlateOnLeatherX, kPlateOnLeatherY, kPlateWidth, kPlateHeight);
    const Shape outline = Box(3.5f, 3.5f, kPlateWidth - 3.5f, kPlateHeight - 3.5f, 7);
    Canvas canvas(plate, static_cast<float>(grid.scale));
    canvas.Shadow(outline, 2, 3, 2.5f, {0.05f, 0, 0, 0.6f});

    // A raised bevelled rim around a sunken panel, an engraved line inside
    // the panel and a small engraved ornament under the title.
    const float cx = kPlateWidth / 2.0f;
    const Shape panelLine = Box(14, 13, kPlateWidth - 14, kPlateHeight - 13, 4);
    auto height = [&](float x, float y) {
        const float inside = -outline(x, y);
        float h = 3 * SmoothStep(0, 4, inside) - 1.5f * SmoothStep(7, 9, inside);
        const float line = std::abs(panelLine(x, y));
        h -= 0.9f * std::exp(-line * line / 0.5f);
        const float oy = 96;
        const float diamond = std::abs(std::abs(x - cx) + std::abs(y - oy) * 1.6f - 6);
        const float rule = std::abs(y - oy) + std::max(0.0f, std::abs(x - cx) - 46) * 3;
        const float ruleGap = std::abs(x - cx) < 11 ? 9.0f : rule;
        h -= 0.8f * std::exp(-diamond * diamond / 0.6f) + 0.7f * std::exp(-ruleGap * ruleGap / 0.4f);
        return h;
    };
    const float brush = style.subdued ? 0 : 1;
    Image gold = ShadeSurface(
        grid, 0, 0, kPlateWidth, kPlateHeight, [&](float x, float y) { return height(x + 0.5f, y + 0.5f); },
        [](float, float) { return Color{1, 1, 1, 1}; }, 1.2f, 0);
    for (int py = 0; py < gold.Height(); ++py)
        for (int px = 0; px < gold.Width(); ++px) {
            const float x = grid.At(px), y = grid.At(py);
            const float lit = gold.At(px, py).r;  // 1 on a flat part
            const float streak = kMetalNoise.Fractal(x / 35.0f, y * 1.5f, 2) - 0.5f;
            // A broad reflection sweeps diagonally across the metal.
            const float along = (x + y * 0.8f) / (kPlateWidth + kPlateHeight * 0.8f);
            const float sweep = 0.16f * std::cos(along * 6.2832f * 1.2f + 0.6f);
            gold.At(px, py) = GoldRamp(0.5f + 0.9f * (lit - 1) + sweep + 0.08f * brush * streak, style.subdued);
        }
    canvas.Fill(outline, [&](float x, float y) {
        const float s = static_cast<float>(grid.scale);
        return gold.At(std::clamp(static_cast<int>(x * s), 0, gold.Width() - 1),
                       std::clamp(static_cast<int>(y * s), 0, gold.Height() - 1));
    });
    return plate;
}

}  // namespace lumora::art
