#include "artwork/desktop_icons.h"

#include <algorithm>
#include <array>
#include <functional>
#include <string>

namespace lumora::art {
namespace {

// Designed on a 64-unit grid, drawn at any size.
constexpr float kGrid = 64;

const Color kLeatherLight = Rgb8(168, 38, 48), kLeatherDark = Rgb8(96, 14, 26);
const Color kLeatherInk = Rgb8(58, 8, 16);
const Color kGoldLight = Rgb8(250, 222, 130), kGoldDark = Rgb8(186, 130, 40), kGoldInk = Rgb8(120, 78, 20);
const Color kPaper = Rgb8(252, 249, 240), kPaperEdge = Rgb8(214, 206, 186);
const Color kMetalLight = Rgb8(236, 238, 244), kMetalDark = Rgb8(120, 126, 140);
const Color kShadow = Rgb8(0, 0, 0, 0.35f);

struct IconPen {
    Canvas& canvas;
    float outline;  // about one pixel at small sizes, thinner in units at large ones

    void Outlined(const Shape& shape, const Paint& fill, Color ink) const
    {
        canvas.Fill(shape, ink);
        canvas.Fill(Grow(shape, -outline), fill);
    }
};

Image Render(int pixels, const std::function<void(const IconPen&)>& draw)
{
    Image image(pixels, pixels);
    const float scale = pixels / kGrid;
    Canvas canvas(image, scale);
    draw(IconPen{canvas, std::clamp(1.0f / scale, 0.9f, 4.0f)});
    return image;
}

Paint Diagonal(float x0, float y0, Color c0, float x1, float y1, Color c1) { return Linear(x0, y0, c0, x1, y1, c1); }

// A photo: sky, sun and two hills inside `frame` (x0, y0)-(x1, y1).
void Photo(const IconPen& pen, float x0, float y0, float x1, float y1)
{
    const Shape frame = Box(x0, y0, x1, y1);
    const float w = x1 - x0, h = y1 - y0;
    pen.canvas.Fill(frame, Linear(0, y0, Rgb8(96, 164, 236), 0, y1, Rgb8(196, 226, 250)));
    pen.canvas.Fill(Intersect(frame, Circle(x0 + w * 0.72f, y0 + h * 0.32f, h * 0.16f)), Rgb8(255, 212, 72));
    pen.canvas.Fill(Intersect(frame, Circle(x0 + w * 0.25f, y1 + h * 0.9f, h * 1.35f)),
                    Linear(0, y0 + h * 0.5f, Rgb8(120, 196, 84), 0, y1, Rgb8(52, 128, 52)));
    pen.canvas.Fill(Intersect(frame, Circle(x0 + w * 0.85f, y1 + h * 1.1f, h * 1.45f)),
                    Linear(0, y0 + h * 0.5f, Rgb8(84, 164, 72), 0, y1, Rgb8(36, 104, 44)));
}

void ProgramIcon(const IconPen& pen)
{
    const Shape pages = Box(13, 7, 57, 61, 3);
    const Shape cover = Box(7, 3, 52, 58, 3.5f);
    pen.canvas.Shadow(Union(pages, cover), 1.2f, 1.8f, 2.2f, kShadow);
    pen.Outlined(pages, Linear(0, 7, kPaper, 0, 61, kPaperEdge), Rgb8(150, 140, 118));
    for (float y = 12; y < 60; y += 3.2f)
        pen.canvas.Fill(Box(52.5f, y, 56, y + 0.5f), kPaperEdge);
    pen.Outlined(cover, Diagonal(7, 3, kLeatherLight, 52, 58, kLeatherDark), kLeatherInk);
    pen.canvas.Fill(Box(9.5f, 5.5f, 15, 55.5f, 2), Rgb8(70, 8, 18, 0.55f));  // the hinge
    // The gilt title plate with a photo in it, and a rule under it.
    const Shape plate = Box(20, 13, 47, 35, 2);
    pen.canvas.Shadow(plate, 0.6f, 0.8f, 1.2f, kShadow);
    pen.Outlined(plate, Diagonal(20, 13, kGoldLight, 47, 35, kGoldDark), kGoldInk);
    Photo(pen, 23.5f, 16.5f, 43.5f, 31.5f);
    pen.canvas.Fill(Box(22, 44, 45, 45.6f), Diagonal(22, 44, kGoldLight, 45, 46, kGoldDark));
    pen.canvas.Fill(Box(26, 48.5f, 41, 49.8f), Diagonal(26, 48, kGoldLight, 41, 50, kGoldDark));
}

void AlbumFileIcon(const IconPen& pen)
{
    const Shape back = Box(8, 4, 58, 60, 3.5f);
    const Shape sheet = Box(18, 8, 54, 56, 1.5f);
    pen.canvas.Shadow(back, 1.2f, 1.8f, 2.2f, kShadow);
    pen.Outlined(back, Diagonal(8, 4, kLeatherLight, 58, 60, kLeatherDark), kLeatherInk);
    pen.Outlined(sheet, Linear(0, 8, kPaper, 0, 56, kPaperEdge), Rgb8(150, 140, 118));
    // A photo held by four corners, a caption under it.
    const float x0 = 24, y0 = 14, x1 = 49, y1 = 35;
    pen.canvas.Fill(Box(x0 - 0.8f, y0 - 0.8f, x1 + 0.8f, y1 + 0.8f), Rgb8(255, 255, 255));
    Photo(pen, x0, y0, x1, y1);
    for (const auto& [cx, cy, sx, sy] : {std::array<float, 4>{x0, y0, 1, 1}, {x1, y0, -1, 1}, {x0, y1, 1, -1}, {x1, y1, -1, -1}})
        pen.canvas.Fill(Polygon({cx - sx, cy - sy, cx + sx * 6, cy - sy, cx - sx, cy + sy * 6}), Rgb8(40, 36, 34));
    pen.canvas.Fill(Box(25, 41, 48, 42.6f), Rgb8(150, 144, 130));
    pen.canvas.Fill(Box(25, 46, 41, 47.6f), Rgb8(150, 144, 130));
    // The rings of the binder, through the sheet's holes.
    for (const float y : {15.0f, 32.0f, 49.0f}) {
        pen.canvas.Fill(Circle(21.5f, y, 1.6f), Rgb8(70, 60, 50));
        pen.Outlined(Capsule(11, y, 22, y, 2.6f), Linear(0, y - 2.6f, kMetalLight, 0, y + 2.6f, kMetalDark),
                     Rgb8(70, 74, 86));
    }
}

}  // namespace

const std::vector<int>& DesktopIconSizes()
{
    static const std::vector<int> sizes = {16, 22, 24, 32, 48, 64, 128, 256, 512};
    return sizes;
}

Image RenderProgramIcon(int pixels) { return Render(pixels, ProgramIcon); }
Image RenderAlbumFileIcon(int pixels) { return Render(pixels, AlbumFileIcon); }

std::vector<NamedImage> RenderDesktopIcons()
{
    std::vector<NamedImage> icons;
    for (const int size : DesktopIconSizes()) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        icons.push_back({folder + "/apps/lumora.png", RenderProgramIcon(size)});
        icons.push_back({folder + "/mimetypes/application-x-lumora-album.png", RenderAlbumFileIcon(size)});
    }
    return icons;
}

}  // namespace lumora::art
