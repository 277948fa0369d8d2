#include "artwork/splash.h"

#include <cmath>

#include "artwork/font.h"
#include "artwork/noise.h"
#include "artwork/quantize.h"
#include "artwork/writers.h"

namespace lumora::art {

namespace {

const Noise kSplashNoise(0x5A1Au);

// Night-blue to plum, with a warm glow behind the name.
void PaintBackground(Image& image)
{
    const Color topLeft = Rgb8(18, 26, 58), bottomRight = Rgb8(62, 22, 66);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const float t = Clamp01((x / float(kSplashWidth) + y / float(kSplashHeight)) / 2);
            Color c = Mix(topLeft, bottomRight, t);
            const float gx = (x - 370) / 190.0f, gy = (y - 90) / 95.0f;
            const float glow = std::exp(-(gx * gx + gy * gy));
            c = c + Rgb8(70, 40, 30) * (0.55f * glow);
            const float vignette = 1 - 0.35f * std::pow(std::hypot(x / 275.0f - 1, y / 95.5f - 1) / 1.41f, 2.0f);
            image.At(x, y) = c * vignette;
        }
}

// Out-of-focus lights, as in the background of an evening photograph.
void PaintBokeh(Image& image)
{
    Canvas canvas(image, 1);
    for (int i = 0; i < 18; ++i) {
        const float x = 150 + 400 * kSplashNoise.Hash(i, 1);
        const float y = 191 * kSplashNoise.Hash(i, 2);
        const float r = 6 + 20 * kSplashNoise.Hash(i, 3);
        const Color tint = Mix(Rgb8(255, 190, 110), Rgb8(240, 120, 170), kSplashNoise.Hash(i, 4));
        const float strength = 0.05f + 0.09f * kSplashNoise.Hash(i, 5);
        canvas.Fill(Circle(x, y, r), [=](float px, float py) {
            const float d = std::hypot(px - x, py - y) / r;
            return Color{tint.r, tint.g, tint.b, strength * (0.6f + 0.4f * d * d)};
        });
    }
}

// ---- little photographs ---------------------------------------------------

using Scene = Color (*)(float u, float v);  // u, v in 0..1 across the print

Color SunsetScene(float u, float v)
{
    Color c = Mix(Rgb8(70, 50, 120), Rgb8(250, 150, 80), SmoothStep(0.0f, 0.75f, v));
    const float sun = std::hypot((u - 0.62f) * 1.4f, v - 0.55f);
    c = Mix(Rgb8(255, 236, 160), c, SmoothStep(0.1f, 0.13f, sun));
    const float hill = 0.68f + 0.08f * std::sin(u * 7 + 1) + 0.04f * std::sin(u * 17);
    return v > hill ? Mix(Rgb8(60, 40, 60), Rgb8(30, 20, 40), (v - hill) * 3) : c;
}

Color LakeScene(float u, float v)
{
    Color c = Mix(Rgb8(90, 150, 220), Rgb8(200, 225, 245), v / 0.55f);
    const float peak = 0.55f - 0.38f * std::max(0.0f, 1 - std::abs(u - 0.4f) * 3.2f) -
                       0.25f * std::max(0.0f, 1 - std::abs(u - 0.78f) * 4);
    if (v > peak)
        c = v < peak + 0.08f ? Rgb8(245, 248, 252) : Mix(Rgb8(90, 100, 130), Rgb8(60, 80, 100), u);
    if (v > 0.6f)
        c = Mix(Rgb8(70, 130, 190), Rgb8(30, 70, 120), (v - 0.6f) / 0.4f) * (0.95f + 0.05f * std::sin(v * 90));
    return c;
}

Color MeadowScene(float u, float v)
{
    Color c = Mix(Rgb8(130, 190, 240), Rgb8(225, 240, 250), v / 0.6f);
    const float hill = 0.6f + 0.1f * std::sin(u * 4 + 2);
    if (v > hill)
        c = Mix(Rgb8(120, 190, 70), Rgb8(50, 120, 40), (v - hill) * 2.5f);
    const float crown = std::hypot((u - 0.3f) * 1.3f, v - 0.42f);
    if (crown < 0.16f)
        c = Mix(Rgb8(60, 140, 50), Rgb8(30, 90, 35), crown / 0.16f + 0.3f * (u - 0.3f));
    if (std::abs(u - 0.3f) < 0.025f && v > 0.5f && v < hill + 0.05f)
        c = Rgb8(90, 60, 40);
    return c;
}

// A print with a white border, turned by `angle` radians about (cx, cy).
void DrawPrint(Image& image, float cx, float cy, float angle, Scene scene)
{
    constexpr float kW = 104, kH = 80, kBorder = 6;
    const float ca = std::cos(angle), sa = std::sin(angle);
    auto local = [=](float x, float y, float& u, float& v) {
        u = (x - cx) * ca + (y - cy) * sa;
        v = -(x - cx) * sa + (y - cy) * ca;
    };
    const Shape card = [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        return Box(-kW / 2, -kH / 2, kW / 2, kH / 2, 1.5f)(u, v);
    };
    Canvas canvas(image, 1);
    canvas.Shadow(card, 3, 5, 5, {0, 0, 0.02f, 0.55f});
    canvas.Fill(card, [=](float x, float y) {
        float u, v;
        local(x, y, u, v);
        const float pu = (u + kW / 2 - kBorder) / (kW - 2 * kBorder);
        const float pv = (v + kH / 2 - kBorder) / (kH - 2 * kBorder - 8);  // wider bottom margin
        if (pu < 0 || pu > 1 || pv < 0 || pv > 1)
            return Mix(Rgb8(250, 248, 242), Rgb8(222, 218, 210), (v + kH / 2) / kH);
        return scene(pu, pv);
    });
}

// ---- lettering ------------------------------------------------------------

// Raised gold letters: the slope of the stroke's distance field gives the
// bevel its light and shade.
void DrawGoldText(Image& image, const Shape& text, float top, float bottom)
{
    Canvas canvas(image, 1);
    canvas.Shadow(text, 3, 4, 3.5f, {0.02f, 0, 0.05f, 0.7f});
    canvas.Fill(text, [=](float x, float y) {
        const float d = text(x, y);
        const float gx = text(x + 0.5f, y) - text(x - 0.5f, y);
        const float gy = text(x, y + 0.5f) - text(x, y - 0.5f);
        // Near the outline the surface slopes down to the edge.
        const float bevel = 1 - SmoothStep(-3.0f, 0.0f, d);
        const float facing = -(gx * -0.55f + gy * -0.7f);  // outward normal against the lamp
        const float t = Clamp01((y - top) / (bottom - top));
        Color base = Mix(Rgb8(255, 236, 170), Rgb8(196, 130, 40), t);
        const float shine = 0.28f * facing * (1 - bevel);
        base = base * (1 + shine);
        base.a = 1;
        return base;
    });
}

}  // namespace

Image RenderSplash()
{
    Image image(kSplashWidth, kSplashHeight, {0, 0, 0, 1});
    PaintBackground(image);
    PaintBokeh(image);

    DrawPrint(image, 84, 112, -0.21f, MeadowScene);
    DrawPrint(image, 110, 84, 0.12f, LakeScene);
    DrawPrint(image, 96, 118, -0.03f, SunsetScene);

    const TextStyle title{76, 0.064f, 0.0f, 0.06f};
    const float titleX = 214;
    DrawGoldText(image, TextShape("Lumora", titleX, 100, title), 100 - 0.76f * title.size, 100);

    Canvas canvas(image, 1);
    const float ruleEnd = 524;
    canvas.Fill(Box(titleX + 4, 118, ruleEnd, 119.2f), Linear(titleX, 0, Rgb8(230, 190, 110), ruleEnd, 0, Rgb8(230, 190, 110, 0)));

    const TextStyle subtitle{24, 0.05f, 0.0f, 0.09f};
    canvas.Fill(TextShape("Album photo", titleX + 4, 154, subtitle), Rgb8(226, 220, 236));

    const TextStyle version{46, 0.07f, 0.0f, 0.05f};
    const float versionX = ruleEnd - TextWidth("2.0", version);
    const Shape versionShape = TextShape("2.0", versionX, 164, version);
    canvas.Shadow(versionShape, 2, 3, 2.5f, {0, 0, 0.05f, 0.6f});
    canvas.Fill(versionShape, Linear(0, 164 - 36, Rgb8(255, 196, 120), 0, 164, Rgb8(232, 96, 80)));
    return image;
}

bool WriteSplash(const std::string& path)
{
    // The splash window realises the picture's own colour table, so the
    // table is fitted to the picture rather than taken from AppPalette.
    const Image image = RenderSplash();
    return WriteGif87a(path, DiffuseOnto(image, MedianCutColors(image, 256)), 8);
}

}  // namespace lumora::art
