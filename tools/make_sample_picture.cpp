// Writes a 640 x 480 true-colour sample picture: a sunset sky over rolling
// hills with a sun, so that palette mapping and dithering have smooth
// gradients and hard edges to show.
#include <cmath>
#include <cstdio>

#include "imaging/bmp_writer.h"
#include "imaging/dib.h"

namespace {

using lumora::Rgb;

uint8_t Mix(double a, double b, double t)
{
    return static_cast<uint8_t>(std::lround(a + (b - a) * t));
}

Rgb SkyAt(int y, int height)
{
    const double t = static_cast<double>(y) / height;  // 0 at the top
    return {Mix(40, 250, t), Mix(60, 150, t), Mix(140, 90, t)};
}

Rgb PixelAt(int x, int y, int width, int height)
{
    const double hill = height * 0.62 + 40 * std::sin(x / 70.0) + 18 * std::sin(x / 23.0 + 1.3);
    if (y > hill) {
        const double depth = (y - hill) / (height - hill + 1.0);
        return {Mix(70, 20, depth), Mix(140, 70, depth), Mix(50, 20, depth)};
    }
    const double dx = x - width * 0.7, dy = y - height * 0.45;
    if (dx * dx + dy * dy < 55.0 * 55.0)
        return {255, 230, 120};
    return SkyAt(y, height);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: lumora-sample OUT.bmp\n");
        return 2;
    }
    constexpr int kWidth = 640, kHeight = 480;
    lumora::HDIB dib = lumora::AllocDIB(kWidth, kHeight, 24);
    if (!dib)
        return 1;
    uint8_t* pixels = lumora::DIBPixels(dib.Data());
    const uint64_t stride = lumora::DIBRowBytes(kWidth, 24);
    for (int y = 0; y < kHeight; ++y) {
        // Rows are stored bottom-up.
        uint8_t* row = pixels + static_cast<uint64_t>(kHeight - 1 - y) * stride;
        for (int x = 0; x < kWidth; ++x) {
            const Rgb c = PixelAt(x, y, kWidth, kHeight);
            row[x * 3] = c.blue;
            row[x * 3 + 1] = c.green;
            row[x * 3 + 2] = c.red;
        }
    }
    if (!lumora::WriteBMPFile(argv[1], dib)) {
        std::fprintf(stderr, "lumora-sample: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
