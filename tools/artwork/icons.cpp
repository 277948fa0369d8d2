#include "artwork/icons.h"

#include <cmath>
#include <functional>

#include "artwork/font.h"

namespace lumora::art {

namespace {

// Icons are designed on a 32-unit grid and drawn at 16 and 32 pixels.
constexpr float kGrid = 32;

const Color kInk = Rgb8(44, 54, 70);
const Color kPaperTop = Rgb8(255, 255, 255), kPaperBottom = Rgb8(222, 228, 236);
const Color kBlueLight = Rgb8(98, 160, 232), kBlueDark = Rgb8(34, 88, 168);
const Color kGreen = Rgb8(64, 166, 72), kRed = Rgb8(214, 62, 52);
const Color kMetalLight = Rgb8(214, 218, 226), kMetalDark = Rgb8(132, 138, 150);

// Everything an icon drawing needs: the canvas and an outline width that
// stays about one pixel thick at either size.
struct Pen {
    Canvas& canvas;
    float outline;

    void Outlined(const Shape& shape, const Paint& fill, Color ink = kInk) const
    {
        canvas.Fill(shape, ink);
        canvas.Fill(Grow(shape, -outline), fill);
    }
    void Outlined(const Shape& shape, Color fill, Color ink = kInk) const { Outlined(shape, Solid(fill), ink); }
    void Fill(const Shape& shape, const Paint& paint) const { canvas.Fill(shape, paint); }
    void Fill(const Shape& shape, Color color) const { canvas.Fill(shape, color); }
};

Paint Vertical(float y0, Color c0, float y1, Color c1) { return Linear(0, y0, c0, 0, y1, c1); }
Paint PaperPaint(float y0, float y1) { return Vertical(y0, kPaperTop, y1, kPaperBottom); }
Paint BluePaint(float y0, float y1) { return Vertical(y0, kBlueLight, y1, kBlueDark); }
Paint MetalPaint(float x0, float x1) { return Linear(x0, 0, kMetalLight, x1, 0, kMetalDark); }

using Drawing = std::function<void(const Pen&)>;

Image Render(const Drawing& draw, int pixels)
{
    Image image(pixels, pixels);
    const float scale = pixels / kGrid;
    Canvas canvas(image, scale);
    draw(Pen{canvas, std::max(1.5f, 1.2f / scale)});
    return image;
}

// ---- recurring parts ---------------------------------------------------------

Shape DogEaredPage(float x0, float y0, float x1, float y1, float fold)
{
    return Polygon({x0, y0, x1 - fold, y0, x1, y0 + fold, x1, y1, x0, y1});
}

void Page(const Pen& pen, float x0, float y0, float x1, float y1, bool lines)
{
    const float fold = (x1 - x0) * 0.32f;
    pen.Outlined(DogEaredPage(x0, y0, x1, y1, fold), PaperPaint(y0, y1));
    pen.Outlined(Polygon({x1 - fold, y0, x1 - fold, y0 + fold, x1, y0 + fold}), Rgb8(200, 208, 220));
    if (lines)
        for (float y = y0 + fold + 3; y < y1 - 3; y += 4)
            pen.Fill(Box(x0 + 4, y, x1 - 4, y + 1.4f), Rgb8(150, 162, 180));
}

void Badge(const Pen& pen, float cx, float cy, bool add)
{
    // Big enough that the sign still reads at 16 pixels.
    pen.Outlined(Circle(cx, cy, 8), Vertical(cy - 8, add ? Rgb8(110, 200, 110) : Rgb8(240, 110, 96), cy + 8,
                                              add ? kGreen : kRed),
                 add ? Rgb8(30, 100, 40) : Rgb8(130, 30, 24));
    if (add) {
        pen.Fill(Box(cx - 4.8f, cy - 1.6f, cx + 4.8f, cy + 1.6f), Rgb8(255, 255, 255));
        pen.Fill(Box(cx - 1.6f, cy - 4.8f, cx + 1.6f, cy + 4.8f), Rgb8(255, 255, 255));
    } else {
        pen.Fill(Union(Capsule(cx - 3.4f, cy - 3.4f, cx + 3.4f, cy + 3.4f, 1.5f),
                       Capsule(cx - 3.4f, cy + 3.4f, cx + 3.4f, cy - 3.4f, 1.5f)),
                 Rgb8(255, 255, 255));
    }
}

void Landscape(const Pen& pen, const Shape& frame, float y0, float y1)
{
    pen.Fill(frame, Vertical(y0, Rgb8(120, 180, 240), y1, Rgb8(200, 228, 250)));
    const float mid = (y0 + y1) / 2;
    pen.Fill(Intersect(frame, Circle(20, mid - 1, 3.2f)), Rgb8(255, 214, 80));
    pen.Fill(Intersect(frame, Circle(8, y1 + 10, 16)), Vertical(mid, Rgb8(110, 190, 80), y1, Rgb8(50, 130, 50)));
    pen.Fill(Intersect(frame, Circle(26, y1 + 14, 16)), Vertical(mid, Rgb8(80, 160, 70), y1, Rgb8(40, 110, 45)));
}

void MagnifierLens(const Pen& pen)
{
    pen.Outlined(Capsule(19.5f, 19.5f, 28, 28, 3), Rgb8(90, 70, 60));
    pen.Outlined(Circle(13, 13, 10), MetalPaint(3, 23));
    pen.Outlined(Circle(13, 13, 7), Vertical(6, Rgb8(235, 245, 255), 20, Rgb8(170, 205, 240)));
}

void Magnifier(const Pen& pen, bool plus)
{
    MagnifierLens(pen);
    pen.Fill(Box(8.5f, 11.8f, 17.5f, 14.2f), kBlueDark);
    if (plus)
        pen.Fill(Box(11.8f, 8.5f, 14.2f, 17.5f), kBlueDark);
}

// The lens over the four corners of a frame: the picture fitted to its
// window.
void FitMagnifier(const Pen& pen)
{
    MagnifierLens(pen);
    constexpr float kNear = 8.5f, kFar = 17.5f, kArm = 3.2f, kThick = 1.6f;
    for (const bool right : {false, true})
        for (const bool bottom : {false, true}) {
            const float x = right ? kFar - kArm : kNear, y = bottom ? kFar - kThick : kNear;
            pen.Fill(Box(x, y, x + kArm, y + kThick), kBlueDark);
            const float vx = right ? kFar - kThick : kNear, vy = bottom ? kFar - kArm : kNear;
            pen.Fill(Box(vx, vy, vx + kThick, vy + kArm), kBlueDark);
        }
}

void TrashCan(const Pen& pen)
{
    pen.Outlined(Polygon({7, 10, 25, 10, 23, 30, 9, 30}), MetalPaint(7, 25));
    for (float x : {12.5f, 16.0f, 19.5f})
        pen.Fill(Capsule(x, 13.5f, x, 26.5f, 0.8f), Rgb8(110, 116, 128));
    pen.Outlined(Box(12, 2.5f, 20, 7.5f, 2), Rgb8(0, 0, 0, 0));
    pen.Outlined(Box(5, 6, 27, 11, 1.5f), MetalPaint(5, 27));
}

// An open carton: the gather command and its dialogs' picture.
void GatherBox(const Pen& p)
{
    const Color ink = Rgb8(100, 64, 30);
    p.Outlined(Polygon({3, 13, 22, 13, 22, 30, 3, 30}), Rgb8(214, 164, 100), ink);
    p.Outlined(Polygon({22, 13, 29, 7, 29, 24, 22, 30}), Rgb8(176, 126, 70), ink);
    p.Outlined(Polygon({3, 13, 10, 7, 29, 7, 22, 13}), Rgb8(234, 192, 130), ink);
    p.Fill(Box(10, 13, 14, 21), Rgb8(240, 226, 196));
}

void Tab(const Pen& pen)
{
    pen.Outlined(Box(3, 3, 22, 29, 1), PaperPaint(3, 29));
    for (float y = 8; y < 26; y += 4)
        pen.Fill(Box(7, y, 18, y + 1.4f), Rgb8(150, 162, 180));
    pen.Outlined(Polygon({21, 6, 28, 8.5f, 28, 19.5f, 21, 22}), Linear(21, 0, Rgb8(250, 170, 70), 28, 0, Rgb8(220, 110, 30)),
                 Rgb8(120, 60, 20));
}

void Triangle(const Pen& pen, float tipX, float baseX, float top, float bottom)
{
    pen.Outlined(Polygon({baseX, top, baseX, bottom, tipX, (top + bottom) / 2}), BluePaint(top, bottom), Rgb8(20, 50, 110));
}

// A blue arrow that turns back on itself: pointing left at the top for
// undo, mirrored (pointing right) for redo.
void TurningArrow(const Pen& pen, bool mirrored)
{
    const auto x = [mirrored](float at) { return mirrored ? 32 - at : at; };
    std::vector<float> shaft = {x(11), 11};
    for (int step = 0; step <= 12; ++step) {
        const float angle = -1.5708f + 3.1416f * static_cast<float>(step) / 12;
        shaft.push_back(x(19 + 8 * std::cos(angle)));
        shaft.push_back(19 + 8 * std::sin(angle));
    }
    shaft.insert(shaft.end(), {x(9), 27});
    const Shape head = Polygon({x(3), 11, x(12), 3.5f, x(12), 18.5f});
    pen.Outlined(Union(Polyline(shaft, 2.4f), head), BluePaint(3, 29), Rgb8(20, 50, 110));
}

void Bar(const Pen& pen, float x0, float x1)
{
    pen.Outlined(Box(x0, 5, x1, 27, 0.5f), BluePaint(5, 27), Rgb8(20, 50, 110));
}

// ---- the toolbar -----------------------------------------------------------

struct IconDef {
    const char* name;
    Drawing draw;
};

std::vector<IconDef> ToolbarDefinitions()
{
    return {
        {"new", [](const Pen& p) {
             Page(p, 6, 2, 25, 30, false);
             p.Outlined(Polygon({24, 15, 26.4f, 20.6f, 32, 23, 26.4f, 25.4f, 24, 31, 21.6f, 25.4f, 16, 23, 21.6f, 20.6f}),
                        Rgb8(255, 210, 60), Rgb8(170, 120, 10));
         }},
        {"open", [](const Pen& p) {
             const Color dark = Rgb8(150, 100, 20);
             p.Outlined(Union(Box(2, 7, 27, 27, 1.5f), Box(2, 4, 12, 10, 1.5f)), Rgb8(230, 170, 60), dark);
             p.Outlined(Polygon({7, 13, 31, 13, 26, 27, 2, 27}), Vertical(13, Rgb8(255, 222, 120), 27, Rgb8(240, 180, 60)), dark);
         }},
        {"save", [](const Pen& p) {
             p.Outlined(Box(3, 3, 29, 29, 2.5f), BluePaint(3, 29), Rgb8(20, 50, 110));
             p.Outlined(Box(9, 3, 23, 12), MetalPaint(9, 23), Rgb8(20, 50, 110));
             p.Fill(Box(18, 5, 21, 10), Rgb8(60, 70, 90));
             p.Outlined(Box(7, 16, 25, 29), PaperPaint(16, 29), Rgb8(20, 50, 110));
             p.Fill(Box(10, 20, 22, 21.4f), Rgb8(150, 162, 180));
             p.Fill(Box(10, 24, 22, 25.4f), Rgb8(150, 162, 180));
         }},
        {"print", [](const Pen& p) {
             p.Outlined(Box(8, 2, 24, 14), PaperPaint(2, 14));
             p.Outlined(Box(2, 11, 30, 24, 3), Vertical(11, Rgb8(200, 204, 212), 24, Rgb8(130, 136, 148)));
             p.Fill(Circle(25, 15.5f, 1.6f), kGreen);
             p.Outlined(Box(8, 19, 24, 30), PaperPaint(19, 30));
             p.Fill(Box(11, 23, 21, 24.4f), Rgb8(150, 162, 180));
             p.Fill(Box(11, 26, 19, 27.4f), Rgb8(150, 162, 180));
         }},
        {"cut", [](const Pen& p) {
             p.Outlined(Capsule(9, 3, 19.5f, 19, 2), MetalPaint(6, 20));
             p.Outlined(Capsule(23, 3, 12.5f, 19, 2), MetalPaint(12, 26));
             for (float x : {10.0f, 22.0f})
                 p.Outlined(Subtract(Circle(x, 24, 5.5f), Circle(x, 24, 2.5f)), kRed, Rgb8(120, 30, 24));
             p.Fill(Circle(16, 13, 1.4f), kInk);
         }},
        {"copy", [](const Pen& p) {
             Page(p, 3, 2, 19, 22, true);
             Page(p, 13, 10, 29, 30, true);
         }},
        {"paste", [](const Pen& p) {
             p.Outlined(Box(4, 5, 26, 30, 2.5f), Vertical(5, Rgb8(214, 160, 96), 30, Rgb8(160, 110, 56)), Rgb8(100, 64, 30));
             Page(p, 13, 11, 30, 31, true);
             p.Outlined(Box(9, 2, 21, 8, 2), MetalPaint(9, 21));
         }},
        {"insert_images", [](const Pen& p) {
             p.Outlined(Box(1, 4, 27, 25, 1.5f), Rgb8(255, 255, 255));
             Landscape(p, Box(4, 7, 24, 22), 7, 22);
             Badge(p, 23.5f, 23.5f, true);
         }},
        {"insert_text", [](const Pen& p) {
             p.Outlined(Union(Box(3, 3, 24, 9, 0.5f), Box(10.5f, 3, 16.5f, 27, 0.5f)), BluePaint(3, 27), Rgb8(20, 50, 110));
             Badge(p, 23.5f, 23.5f, true);
         }},
        {"delete", [](const Pen& p) { TrashCan(p); }},
        {"item_properties", [](const Pen& p) {
             p.Outlined(Circle(16, 16, 14), BluePaint(2, 30), Rgb8(20, 50, 110));
             p.Fill(Circle(16, 9, 2.4f), Rgb8(255, 255, 255));
             p.Fill(Box(13.5f, 13, 18.5f, 25, 1), Rgb8(255, 255, 255));
         }},
        {"view", [](const Pen& p) {
             p.Outlined(Intersect(Circle(16, 26, 17), Circle(16, 6, 17)), PaperPaint(6, 26));
             p.Outlined(Circle(16, 16, 6.5f), BluePaint(10, 22), Rgb8(20, 50, 110));
             p.Fill(Circle(16, 16, 2.8f), Rgb8(10, 14, 24));
             p.Fill(Circle(14, 14, 1.3f), Rgb8(255, 255, 255));
         }},
        {"undo", [](const Pen& p) { TurningArrow(p, false); }},
        {"redo", [](const Pen& p) { TurningArrow(p, true); }},
        {"first_page", [](const Pen& p) {
             Bar(p, 4, 9);
             Triangle(p, 9, 27, 5, 27);
         }},
        {"previous_page", [](const Pen& p) { Triangle(p, 6, 24, 5, 27); }},
        {"next_page", [](const Pen& p) { Triangle(p, 26, 8, 5, 27); }},
        {"last_page", [](const Pen& p) {
             Triangle(p, 23, 5, 5, 27);
             Bar(p, 23, 28);
         }},
        {"slideshow", [](const Pen& p) {
             p.Outlined(Capsule(16, 22, 16, 28, 1.2f), kMetalDark);
             p.Outlined(Capsule(9, 29, 23, 29, 1.2f), kMetalDark);
             p.Outlined(Box(2, 4, 30, 23, 1.5f), Vertical(4, Rgb8(60, 66, 86), 23, Rgb8(24, 28, 40)));
             p.Outlined(Polygon({12, 8.5f, 12, 18.5f, 21, 13.5f}), Vertical(8, Rgb8(140, 220, 120), 19, kGreen),
                        Rgb8(20, 80, 30));
         }},
        {"gather", GatherBox},
        {"properties_window", [](const Pen& p) {
             p.Outlined(Box(2, 4, 30, 28, 1.5f), PaperPaint(4, 28));
             p.Fill(Box(3.5f, 5.5f, 28.5f, 11), BluePaint(5, 11));
             for (float y = 15; y < 26; y += 4) {
                 p.Fill(Box(6, y, 13, y + 1.4f), Rgb8(150, 162, 180));
                 p.Fill(Box(15, y, 26, y + 1.4f), Rgb8(90, 110, 140));
             }
         }},
        {"help", [](const Pen& p) {
             p.Outlined(Circle(16, 16, 14), BluePaint(2, 30), Rgb8(20, 50, 110));
             const TextStyle style{20, 0.09f, 0, 0};
             p.Fill(TextShape("?", 16 - TextWidth("?", style) / 2, 24.5f, style), Rgb8(255, 255, 255));
         }},
        {"album_properties", [](const Pen& p) {
             p.Outlined(Box(5, 2, 27, 30, 2), Linear(5, 0, Rgb8(150, 40, 44), 27, 0, Rgb8(100, 22, 28)), Rgb8(60, 10, 14));
             p.Fill(Box(8.5f, 2.5f, 9.8f, 29.5f), Rgb8(70, 14, 20));
             p.Outlined(Box(13, 7, 24, 14, 1), Vertical(7, Rgb8(255, 230, 150), 14, Rgb8(200, 150, 50)), Rgb8(120, 80, 20));
         }},
        {"title_fonts", [](const Pen& p) {
             const TextStyle style{34, 0.075f, 0, 0};
             p.Fill(TextShape("A", 16 - TextWidth("A", style) / 2, 26, style), kBlueDark);
             p.Fill(Box(4, 28, 28, 31, 1), kRed);
         }},
        {"zoom_in", [](const Pen& p) { Magnifier(p, true); }},
        {"zoom_out", [](const Pen& p) { Magnifier(p, false); }},
        {"zoom_fit", FitMagnifier},
        {"full_screen", [](const Pen& p) {
             p.Outlined(Box(2, 5, 30, 27, 1.5f), Vertical(5, Rgb8(60, 66, 86), 27, Rgb8(24, 28, 40)));
             const Color white = Rgb8(255, 255, 255);
             p.Fill(Polygon({6, 9, 13, 9, 6, 16}), white);
             p.Fill(Polygon({26, 9, 19, 9, 26, 16}), white);
             p.Fill(Polygon({6, 23, 13, 23, 6, 16}), white);
             p.Fill(Polygon({26, 23, 19, 23, 26, 16}), white);
         }},
        {"poster", [](const Pen& p) {
             p.Outlined(Box(2, 2, 30, 30), Rgb8(255, 255, 255));
             Landscape(p, Box(3.5f, 3.5f, 28.5f, 28.5f), 3.5f, 28.5f);
             p.Fill(Box(15.2f, 3, 16.8f, 29), Rgb8(255, 255, 255));
             p.Fill(Box(3, 15.2f, 29, 16.8f), Rgb8(255, 255, 255));
         }},
        {"play_sound", [](const Pen& p) {
             p.Outlined(Polygon({3, 11, 9, 11, 16, 4, 16, 28, 9, 21, 3, 21}), Vertical(4, Rgb8(120, 128, 144), 28, Rgb8(60, 66, 80)));
             const Shape right = Box(18.5f, 0, 32, 32);
             p.Fill(Intersect(Subtract(Circle(16, 16, 8.5f), Circle(16, 16, 6.3f)), right), kBlueDark);
             p.Fill(Intersect(Subtract(Circle(16, 16, 13.5f), Circle(16, 16, 11.3f)), right), kBlueDark);
         }},
    };
}

// ---- cursors -------------------------------------------------------------------

Image SelectHand()
{
    Image image(32, 32);
    Canvas canvas(image, 1);
    const Shape palm = Union(Box(8.5f, 14, 25, 27, 4.5f), Capsule(5.5f, 16.5f, 10, 23, 2.4f));
    const Shape index = Capsule(12, 4, 12, 18, 2.6f);
    const Shape fingers[] = {Capsule(15.6f, 14, 15.6f, 19.5f, 2.5f), Capsule(19.6f, 15, 19.6f, 20.5f, 2.4f),
                             Capsule(23.2f, 16.5f, 23.2f, 21.5f, 2.2f)};
    Shape hand = Union(palm, index);
    for (const Shape& f : fingers)
        hand = Union(hand, f);
    const Shape cuff = Box(10.5f, 26.5f, 23.5f, 31, 1);
    canvas.Shadow(Union(hand, cuff), 1.5f, 1.5f, 1.2f, {0, 0, 0, 0.35f});
    const Color black = Rgb8(0, 0, 0), white = Rgb8(255, 255, 255);
    canvas.Fill(Grow(Union(hand, cuff), 1.1f), black);
    canvas.Fill(palm, white);
    canvas.Fill(index, white);
    // Each folded finger keeps its own outline so the knuckles read.
    for (const Shape& f : fingers) {
        canvas.Fill(Intersect(Grow(f, 0.9f), Box(0, 0, 32, 20)), black);
        canvas.Fill(f, white);
    }
    canvas.Fill(Grow(cuff, -1.1f), Vertical(26, Rgb8(200, 206, 216), 31, Rgb8(150, 156, 168)));
    return image;
}

Image NextPageArrow()
{
    Image image(32, 32);
    Canvas canvas(image, 1);
    const Shape shaft = Intersect(Subtract(Circle(16, 27, 14), Circle(16, 27, 8)), Box(1, 0, 16.5f, 27));
    const Shape head = Polygon({16, 5.5f, 16, 26.5f, 29, 16});
    const Shape arrow = Union(shaft, head);
    canvas.Shadow(arrow, 1.5f, 1.5f, 1.2f, {0, 0, 0, 0.35f});
    canvas.Fill(Grow(arrow, 1.1f), Rgb8(0, 0, 0));
    canvas.Fill(arrow, Vertical(6, Rgb8(255, 255, 255), 27, Rgb8(214, 222, 236)));
    return image;
}

// ---- controls ----------------------------------------------------------------------

Image GaugeCells()
{
    Image image(20, 9);
    Canvas canvas(image, 1);
    const Shape filled = Box(0, 0, 9, 9, 1.5f);
    canvas.Fill(filled, Rgb8(24, 70, 150));
    canvas.Fill(Grow(filled, -1), Vertical(1, Rgb8(130, 190, 250), 8, Rgb8(40, 110, 210)));
    const Shape empty = Box(10, 0, 19, 9, 1.5f);
    canvas.Fill(empty, Rgb8(150, 154, 162));
    canvas.Fill(Grow(empty, -1), Vertical(1, Rgb8(206, 210, 216), 8, Rgb8(236, 238, 242)));
    return image;
}

// Five 16 x 15 pictures: quit, first, previous, next, last; `scale` 2
// draws the same shapes at twice the pixels for screens of device ratio 2.
Image SlideshowButtons(int scale)
{
    Image image(80 * scale, 15 * scale);
    Canvas canvas(image, static_cast<float>(scale));
    const Color ink = Rgb8(20, 50, 110);
    auto glyph = [&](const Shape& shape, const Paint& paint, Color outline) {
        canvas.Fill(Grow(shape, 1), outline);
        canvas.Fill(shape, paint);
    };
    const Paint blue = Vertical(3, kBlueLight, 12, kBlueDark);
    glyph(Union(Capsule(4.5f, 3.5f, 11.5f, 10.5f, 1.3f), Capsule(4.5f, 10.5f, 11.5f, 3.5f, 1.3f)),
          Vertical(3, Rgb8(240, 110, 96), 12, kRed), Rgb8(120, 28, 22));
    glyph(Union(Box(19, 3, 21, 12), Polygon({29, 3, 29, 12, 22, 7.5f})), blue, ink);
    glyph(Polygon({43, 3, 43, 12, 36, 7.5f}), blue, ink);
    glyph(Polygon({53, 3, 53, 12, 60, 7.5f}), blue, ink);
    glyph(Union(Polygon({67, 3, 67, 12, 74, 7.5f}), Box(75, 3, 77, 12)), blue, ink);
    return image;
}

// The roll-up window's caption glyphs, 14 x 14 each: menu box, menu box
// pressed, roll-up arrow, unroll arrow.
Image CaptionGlyphs()
{
    Image image(56, 14);
    Canvas canvas(image, 1);
    auto button = [&](float x, bool pressed) {
        canvas.Fill(Box(x, 0, x + 14, 14), pressed ? Rgb8(64, 64, 64) : Rgb8(255, 255, 255));
        canvas.Fill(Box(x + 1, 1, x + 14, 14), pressed ? Rgb8(255, 255, 255) : Rgb8(64, 64, 64));
        canvas.Fill(Box(x + 1, 1, x + 13, 13), Rgb8(212, 208, 200));
    };
    for (int i = 0; i < 4; ++i)
        button(14.0f * i, i == 1);
    const Color ink = Rgb8(0, 0, 0);
    for (int i = 0; i < 2; ++i) {
        const float shift = i == 1 ? 1 : 0;
        canvas.Fill(Box(14 * i + 3 + shift, 6 + shift, 14 * i + 11 + shift, 8 + shift), Rgb8(255, 255, 255));
        canvas.Fill(InnerBorder(Box(14 * i + 3 + shift, 6 + shift, 14 * i + 11 + shift, 8 + shift), 0.8f), ink);
    }
    canvas.Fill(Polygon({31, 9, 39, 9, 35, 4.5f}), ink);
    canvas.Fill(Polygon({45, 5, 53, 5, 49, 9.5f}), ink);
    return image;
}

}  // namespace

std::vector<NamedImage> RenderCursors()
{
    return {{"cursors/select.png", SelectHand()},
            {"cursors/next_page.png", NextPageArrow()},
            {"cursors/previous_page.png", NextPageArrow().MirroredLeftRight()}};
}

std::vector<NamedImage> RenderToolbarIcons()
{
    std::vector<NamedImage> icons;
    for (const IconDef& def : ToolbarDefinitions())
        for (int size : {16, 32})
            icons.push_back({"toolbar/" + std::to_string(size) + "/" + def.name + ".png", Render(def.draw, size)});
    return icons;
}

std::vector<NamedImage> RenderControlBitmaps()
{
    return {{"gauge.png", GaugeCells()},
            {"slideshow_bar.png", SlideshowButtons(1)},
            {"slideshow_bar@2x.png", SlideshowButtons(2)},
            {"titlebar.png", CaptionGlyphs()},
            {"buttons/poubelle.png", Render(TrashCan, 48)},
            {"buttons/newonglet.png", Render([](const Pen& p) { Tab(p); Badge(p, 23, 24, true); }, 48)},
            {"buttons/delonglet.png", Render([](const Pen& p) { Tab(p); Badge(p, 23, 24, false); }, 48)},
            {"buttons/rassemble.png", Render(GatherBox, 48)}};
}

}  // namespace lumora::art
