// Sample pictures of our own making: landscapes drawn from a few numbers, so
// that palette mapping, dithering and albums have smooth gradients and hard
// edges to show.
//   lumora-sample OUT.bmp        one 640 x 480 sunset
//   lumora-sample --demo DIR     a dozen scenes for the demonstration album
//   lumora-sample --photos DIR N N camera-sized JPEG photos of those scenes
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

#include "core/formats/bmp_writer.h"
#include "core/picture/picture.h"
#include "core/formats/jpeg_writer.h"

namespace {

using lumora::ColorTriple;

struct Scene {
    const char* name;
    int width, height;
    ColorTriple skyTop, skyBottom;
    ColorTriple farHills, nearHills, ground;
    ColorTriple sun;
    double sunX, sunY, sunRadius;  // fractions of the width and height
    double hillLine;               // fraction of the height
    bool water, stars, snow;
};

constexpr Scene kSunset = {"sunset", 640, 480, {40, 60, 140}, {250, 150, 90}, {110, 90, 120},
                           {70, 140, 50}, {20, 70, 20}, {255, 230, 120}, 0.7, 0.45, 55, 0.62,
                           false, false, false};

constexpr Scene kDemo[] = {
    {"01-aube", 480, 360, {90, 110, 170}, {250, 200, 170}, {140, 130, 160}, {90, 120, 90}, {50, 80, 50},
     {255, 240, 200}, 0.25, 0.55, 30, 0.6, false, false, false},
    {"02-midi", 480, 360, {60, 130, 230}, {170, 210, 250}, {110, 150, 110}, {80, 160, 60}, {60, 120, 40},
     {255, 255, 230}, 0.5, 0.15, 25, 0.58, false, false, false},
    {"03-crepuscule", 480, 360, {40, 40, 110}, {250, 120, 70}, {100, 60, 90}, {50, 50, 60}, {20, 20, 30},
     {255, 180, 80}, 0.6, 0.55, 40, 0.64, false, false, false},
    {"04-nuit", 480, 360, {5, 10, 40}, {30, 40, 90}, {30, 35, 60}, {15, 20, 35}, {5, 8, 15},
     {240, 240, 220}, 0.8, 0.2, 18, 0.66, false, true, false},
    {"05-lac", 480, 360, {80, 140, 220}, {200, 225, 245}, {90, 110, 140}, {50, 110, 70}, {40, 90, 150},
     {255, 250, 220}, 0.3, 0.2, 20, 0.5, true, false, false},
    {"06-neige", 360, 480, {110, 160, 230}, {220, 235, 250}, {200, 210, 230}, {235, 240, 250}, {245, 248, 255},
     {255, 255, 240}, 0.7, 0.12, 22, 0.55, false, false, true},
    {"07-desert", 480, 360, {120, 170, 230}, {250, 220, 170}, {210, 160, 110}, {230, 180, 110}, {240, 200, 130},
     {255, 250, 210}, 0.2, 0.18, 30, 0.6, false, false, false},
    {"08-foret", 360, 480, {100, 150, 200}, {200, 220, 200}, {40, 90, 60}, {25, 70, 40}, {15, 50, 25},
     {255, 250, 220}, 0.5, 0.12, 18, 0.5, false, false, false},
    {"09-lavande", 480, 360, {120, 150, 220}, {240, 210, 230}, {150, 130, 170}, {130, 90, 170}, {110, 70, 150},
     {255, 240, 220}, 0.75, 0.3, 26, 0.56, false, false, false},
    {"10-ocean", 480, 360, {50, 110, 200}, {180, 215, 240}, {70, 120, 170}, {40, 100, 160}, {20, 70, 140},
     {255, 250, 230}, 0.4, 0.25, 24, 0.5, true, false, false},
    {"11-aurore", 480, 360, {10, 30, 50}, {40, 160, 120}, {30, 50, 60}, {20, 35, 40}, {10, 20, 25},
     {220, 255, 230}, 0.15, 0.2, 10, 0.68, false, true, true},
    {"12-automne", 480, 360, {110, 160, 220}, {240, 210, 170}, {170, 100, 60}, {190, 110, 40}, {120, 70, 30},
     {255, 240, 200}, 0.65, 0.22, 28, 0.57, false, false, false},
};

uint8_t Mix(double a, double b, double t)
{
    return static_cast<uint8_t>(std::lround(a + (b - a) * std::clamp(t, 0.0, 1.0)));
}

ColorTriple MixRgb(ColorTriple a, ColorTriple b, double t)
{
    return {Mix(a.red, b.red, t), Mix(a.green, b.green, t), Mix(a.blue, b.blue, t)};
}

// A cheap deterministic hash for stars and texture.
double Hash(int x, int y)
{
    uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return (h ^ (h >> 16)) / 4294967295.0;
}

ColorTriple SkyAt(const Scene& s, int x, int y)
{
    const double t = static_cast<double>(y) / s.height;
    ColorTriple c = MixRgb(s.skyTop, s.skyBottom, t / s.hillLine);
    if (s.stars && Hash(x, y) > 0.9985)
        c = {255, 255, 240};
    const double dx = x - s.width * s.sunX, dy = y - s.height * s.sunY;
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < s.sunRadius)
        return s.sun;
    if (d < s.sunRadius * 3)  // a soft glow around the sun
        c = MixRgb(c, s.sun, 0.35 * (1 - (d - s.sunRadius) / (2 * s.sunRadius)));
    return c;
}

ColorTriple PixelAt(const Scene& s, int x, int y)
{
    const double far = s.height * (s.hillLine - 0.08) + 30 * std::sin(x / 55.0 + 0.7) + 12 * std::sin(x / 17.0);
    const double near = s.height * s.hillLine + 40 * std::sin(x / 70.0) + 18 * std::sin(x / 23.0 + 1.3);
    if (y > near) {
        const double depth = (y - near) / (s.height - near + 1.0);
        if (s.water && y > s.height * 0.8) {
            // The sky mirrored in the water, darker and rippled.
            const int mirrored = static_cast<int>(2 * s.height * 0.8 - y + 3 * std::sin(y / 3.0));
            return MixRgb(SkyAt(s, x, std::clamp(mirrored, 0, s.height - 1)), {0, 20, 50}, 0.35);
        }
        return MixRgb(s.nearHills, s.ground, depth + 0.08 * (Hash(x, y) - 0.5));
    }
    if (y > far) {
        ColorTriple c = s.farHills;
        if (s.snow && y < far + 14)
            c = {245, 248, 255};
        return c;
    }
    return SkyAt(s, x, y);
}

// The scene as a 24-bit picture; `grain` adds a camera's noise, which makes
// the JPEG file compress and decode like a real photograph.
lumora::Picture DrawScene(const Scene& scene, int grain)
{
    lumora::Picture dib = lumora::Picture::Make(scene.width, scene.height, 24);
    if (!dib)
        return dib;
    uint8_t* pixels = dib.Pixels();
    const uint64_t stride = lumora::PictureRowBytes(static_cast<uint64_t>(scene.width), 24);
    uint32_t noise = 12345;
    for (int y = 0; y < scene.height; ++y) {
        uint8_t* row = pixels + static_cast<uint64_t>(scene.height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < scene.width; ++x) {
            const ColorTriple c = PixelAt(scene, x, y);
            const uint8_t* rgb[3] = {&c.blue, &c.green, &c.red};
            for (int k = 0; k < 3; ++k) {
                noise = noise * 1664525u + 1013904223u;
                const int n = grain ? static_cast<int>(noise >> 24) % (2 * grain + 1) - grain : 0;
                row[x * 3 + k] = static_cast<uint8_t>(std::clamp(*rgb[k] + n, 0, 255));
            }
        }
    }
    return dib;
}

// `count` camera-sized (4000 x 3000) JPEG photos, the demonstration scenes
// in turn: photo01.jpg, photo02.jpg...
bool WritePhotos(const std::string& dir, int count)
{
    for (int i = 0; i < count; ++i) {
        Scene scene = kDemo[static_cast<size_t>(i) % std::size(kDemo)];
        scene.width = 4000;
        scene.height = 3000;
        char name[32];
        std::snprintf(name, sizeof name, "/photo%02d.jpg", i + 1);
        const lumora::Picture dib = DrawScene(scene, 10);
        if (!dib || !lumora::WriteJPEGFile(dib, dir + name, 90)) {
            std::fprintf(stderr, "lumora-sample: cannot write %s%s\n", dir.c_str(), name);
            return false;
        }
    }
    return true;
}

bool WriteScene(const Scene& scene, const std::string& path)
{
    lumora::Picture dib = lumora::Picture::Make(scene.width, scene.height, 24);
    if (!dib)
        return false;
    uint8_t* pixels = dib.Pixels();
    const uint64_t stride = lumora::PictureRowBytes(static_cast<uint64_t>(scene.width), 24);
    for (int y = 0; y < scene.height; ++y) {
        uint8_t* row = pixels + static_cast<uint64_t>(scene.height - 1 - y) * stride;  // bottom-up
        for (int x = 0; x < scene.width; ++x) {
            const ColorTriple c = PixelAt(scene, x, y);
            row[x * 3] = c.blue;
            row[x * 3 + 1] = c.green;
            row[x * 3 + 2] = c.red;
        }
    }
    if (!lumora::WriteBMPFile(path, dib)) {
        std::fprintf(stderr, "lumora-sample: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) {
        for (const Scene& scene : kDemo)
            if (!WriteScene(scene, std::string(argv[2]) + "/" + scene.name + ".bmp"))
                return 1;
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--photos") == 0)
        return WritePhotos(argv[2], std::atoi(argv[3])) ? 0 : 1;
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumora-sample OUT.bmp | lumora-sample --demo DIR | "
                             "lumora-sample --photos DIR COUNT\n");
        return 2;
    }
    return WriteScene(kSunset, argv[1]) ? 0 : 1;
}
