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

// ---- surfaces lit from a height field ---------------------------------

using HeightFn = std::function<float(int, int)>;
using AlbedoFn = std::function<Color(int, int)>;

// Lambert shading relative to a flat surface (a flat pixel keeps its
// albedo) plus a soft sheen.
Image ShadeSurface(int w, int h, const HeightFn& height, const AlbedoFn& albedo, float relief, float gloss)
{
    std::vector<float> field(static_cast<size_t>(w + 2) * (h + 2));
    auto at = [&](int x, int y) -> float& { return field[static_cast<size_t>(y + 1) * (w + 2) + (x + 1)]; };
    for (int y = -1; y <= h; ++y)
        for (int x = -1; x <= w; ++x)
            at(x, y) = height(x, y);
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const float dx = (at(x + 1, y) - at(x - 1, y)) * 0.5f * relief;
            const float dy = (at(x, y + 1) - at(x, y - 1)) * 0.5f * relief;
            const Vec3 n = Normalize({-dx, -dy, 1});
            const float shade = 1 + 1.3f * (Dot(n, kLight) - kLight.z);
            const float sheen = gloss * std::pow(std::max(0.0f, Dot(n, kHalfway)), 24.0f);
            Color c = albedo(x, y) * std::max(0.2f, shade);
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
float BoardRounding(int y)
{
    const float top = std::max(0.0f, 4.0f - y), bottom = std::max(0.0f, y - (kBookHeight - 5.0f));
    return -0.3f * (top * top + bottom * bottom);
}

float BoardRimShade(int y) { return (y == 0 || y == kBookHeight - 1) ? 0.7f : 1.0f; }

// A blind-tooled groove along a rectangle's outline.
float Groove(float x, float y, float x0, float y0, float x1, float y1, float depth, float width)
{
    const float d = std::abs(Box(x0, y0, x1, y1)(x, y));
    return -depth * std::exp(-(d / width) * (d / width));
}

Image LeatherStrip(const BookStyle& style, int width, float offsetX, float darken, const HeightFn& extra)
{
    const float relief = style.subdued ? 0.7f : 1.1f;
    return ShadeSurface(
        width, kBookHeight,
        [&](int x, int y) { return LeatherGrain(x + offsetX, y) + BoardRounding(y) + extra(x, y); },
        [&](int x, int y) { return LeatherAlbedo(x + offsetX, y, darken, style.subdued) * BoardRimShade(y); },
        relief, 0.12f);
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
void ApplyRings(Image& piece, int originX, int originY)
{
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x) {
            const float bx = x + originX + 0.5f, by = y + originY + 0.5f;
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
                const float bx = x + originX, by = y + originY;
                if (std::abs(by + 0.5f - row) > kWire + 1 || bx + 1 < kRingLeft - 1.5f || bx > kRingRight + 1.5f)
                    continue;
                int hits = 0;
                for (int sy = 0; sy < kSub; ++sy)
                    for (int sx = 0; sx < kSub; ++sx) {
                        const float px = bx + (sx + 0.5f) / kSub, py = by + (sy + 0.5f) / kSub;
                        hits += std::abs(py - row) < kWire && px > kRingLeft - 1.5f && px < kRingRight + 1.5f;
                    }
                if (hits > 0)
                    piece.Blend(x, y, WireColor(bx + 0.5f, by + 0.5f, row), hits / float(kSub * kSub));
            }
}

// A punched hole in a page, the lamp lighting its far wall.
void PunchHoles(Image& page, float centreX)
{
    Canvas canvas(page, 1);
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

Image RenderPaper(const BookStyle& style)
{
    const float texture = style.subdued ? 0 : 1;
    Image page(kPageWidth, kPageHeight);
    const Color base = style.subdued ? Rgb8(255, 255, 255) : Rgb8(252, 250, 243);
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = 0; x < kPageWidth; ++x) {
            const float fibre = kPaperNoise.Fractal(x / 2.2f, y / 2.2f, 3) - 0.5f;
            const float cloud = kPaperNoise.Fractal(x / 28.0f + 9, y / 28.0f, 3) - 0.5f;
            float k = 1 + texture * (0.03f * fibre + 0.025f * cloud);
            if (texture > 0 && kPaperNoise.Hash(x + 4000, y) > 0.9985f)
                k *= 0.94f;  // a fleck in the pulp
            // The outer edge shows the stack of leaves below; the top and
            // bottom are softened; the paper darkens into the binding.
            static constexpr float kStack[] = {0.78f, 0.92f, 0.97f, 0.99f};
            if (x < 4)
                k *= kStack[x];
            if (y < 3)
                k *= std::array<float, 3>{0.86f, 0.95f, 0.985f}[y];
            if (y > kPageHeight - 4)
                k *= std::array<float, 3>{0.97f, 0.92f, 0.80f}[y - (kPageHeight - 3)];
            const float fromBinding = kPageWidth - 1 - x;
            k *= 1 - (style.subdued ? 0.05f : 0.09f) * std::exp(-fromBinding / 6.0f);
            if (fromBinding == 0)
                k *= 0.9f;
            page.At(x, y) = base * k;
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
void DrawMechanism(Image& spine)
{
    // Narrower than the gap between the pages, so a line of leather shows on
    // each side of it.
    constexpr float kHalfWidth = 5.5f;
    const float cx = kSpineWidth / 2.0f;
    const Shape plate = Capsule(cx, 30, cx, kBookHeight - 31, kHalfWidth);
    Canvas canvas(spine, 1);
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

Image RenderLeather(const BookStyle& style)
{
    // A tooled double frame runs round the board.
    const float right = kLeatherWidth - 1.0f, bottom = kBookHeight - 1.0f;
    return LeatherStrip(style, kLeatherWidth, 0, 1, [&](int x, int y) {
        return Groove(x, y, 10, 10, right - 10, bottom - 10, 1.4f, 0.9f) +
               Groove(x, y, 14, 14, right - 14, bottom - 14, 0.8f, 0.7f);
    });
}

Image RenderEdge(const BookStyle& style)
{
    Image edge = LeatherStrip(style, kEdgeWidth, 600, 1, [](int, int) { return 0.0f; });
    // Columns 0-11: the rounded back and the hinge crease of the closed
    // book; 14-16: the left edge of the open boards, facing the lamp;
    // 19-21: the right edge, turned away from it.
    static constexpr std::array<float, kEdgeWidth> kProfile = {
        0.5f, 0.72f, 0.92f, 1.08f, 1.14f, 1.08f, 0.95f, 0.74f, 0.38f, 0.58f, 0.95f, 1.04f,
        1.0f,  1.0f,  0.6f, 1.25f, 1.08f, 1.0f, 1.0f, 0.92f, 0.72f, 0.5f, 1.0f, 1.0f};
    for (int y = 0; y < kBookHeight; ++y)
        for (int x = 0; x < kEdgeWidth; ++x) {
            Color& c = edge.At(x, y);
            c = c * kProfile[x];
            c.a = 1;
        }
    return edge;
}

Image RenderSpine(const BookStyle& style)
{
    // The inside of the back: darker leather between two hinge grooves.
    Image spine = LeatherStrip(style, kSpineWidth, 900, 0.78f, [](int x, int) {
        const float left = x - 3.5f, right = x - (kSpineWidth - 4.5f);
        return -1.6f * std::exp(-left * left / 2.0f) - 1.6f * std::exp(-right * right / 2.0f);
    });
    DrawMechanism(spine);
    // The pages lie above the spine: the left one throws its shadow into
    // the gap between them, the right one only darkens its foot.
    const int gapLeft = kLeftPageLeft + kPageWidth - kSpineLeft;  // first column between the pages
    const int gapRight = kRightPageLeft - kSpineLeft - 1;
    for (int y = kPageTop; y < kPageTop + kPageHeight; ++y)
        for (int x = gapLeft; x <= gapRight; ++x) {
            const float k = (1 - 0.4f * std::exp(-(x - gapLeft) / 3.0f)) * (1 - 0.2f * std::exp(-(gapRight - x) / 1.5f));
            Color& c = spine.At(x, y);
            c = c * k;
            c.a = 1;
        }
    ApplyRings(spine, kSpineLeft, 0);
    return spine;
}

Image RenderPageSheet(const BookStyle& style)
{
    const Image paper = RenderPaper(style);
    Image sheet(kPageSheetWidth, kPageHeight, {1, 1, 1, 1});

    Image left = paper;
    PunchHoles(left, kRingLeft - kLeftPageLeft);
    ApplyRings(left, kLeftPageLeft, kPageTop);
    sheet.Draw(left, 0, 0);

    // The right page is the left one mirrored, except for its first
    // columns, which carry the ring ends lit from the correct side.
    Image right = paper.MirroredLeftRight();
    PunchHoles(right, kRingRight - kRightPageLeft);
    ApplyRings(right, kRightPageLeft, kPageTop);
    const Image ringEnds = right.Crop(0, 0, kRingEndsWidth, kPageHeight);
    sheet.Draw(ringEnds, kRingEndsColumn, 0);
    // The two spare columns repeat the page's binding edge.
    for (int y = 0; y < kPageHeight; ++y)
        for (int x = kPageWidth; x < kRingEndsColumn; ++x)
            sheet.At(x, y) = paper.At(kPageWidth - 1, y);
    return sheet;
}

Image RenderTitlePlate(const BookStyle& style)
{
    Image plate = RenderLeather(style).Crop(kPlateOnLeatherX, kPlateOnLeatherY, kPlateWidth, kPlateHeight);
    const Shape outline = Box(3.5f, 3.5f, kPlateWidth - 3.5f, kPlateHeight - 3.5f, 7);
    Canvas canvas(plate, 1);
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
        kPlateWidth, kPlateHeight, [&](int x, int y) { return height(x + 0.5f, y + 0.5f); },
        [](int, int) { return Color{1, 1, 1, 1}; }, 1.2f, 0);
    for (int y = 0; y < kPlateHeight; ++y)
        for (int x = 0; x < kPlateWidth; ++x) {
            const float lit = gold.At(x, y).r;  // 1 on a flat part
            const float streak = kMetalNoise.Fractal(x / 35.0f, y * 1.5f, 2) - 0.5f;
            // A broad reflection sweeps diagonally across the metal.
            const float along = (x + y * 0.8f) / (kPlateWidth + kPlateHeight * 0.8f);
            const float sweep = 0.16f * std::cos(along * 6.2832f * 1.2f + 0.6f);
            gold.At(x, y) = GoldRamp(0.5f + 0.9f * (lit - 1) + sweep + 0.08f * brush * streak, style.subdued);
        }
    canvas.Fill(outline, [&](float x, float y) {
        return gold.At(std::clamp(static_cast<int>(x), 0, kPlateWidth - 1), std::clamp(static_cast<int>(y), 0, kPlateHeight - 1));
    });
    return plate;
}

}  // namespace lumora::art
