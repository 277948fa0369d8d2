#pragma once
// Independent decodes for the reader tests: ImageMagick's convert writes the
// picture as a PPM laid over white, which the tests compare pixel by pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "support/test_support.h"

namespace lumora::test {

inline void Shell(const std::string& command)
{
    ASSERT_EQ(std::system((command + " 2>/dev/null").c_str()), 0) << command;
}

struct RgbImage {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgb;  // top row first
};

// convert FILE[0] -background white -alpha remove PPM, read back.
inline RgbImage Converted(const std::string& file, const TempDir& dir, const std::string& extra = "")
{
    const std::string ppm = dir.File("expected.ppm");
    Shell("convert '" + file + "[0]' " + extra + " -background white -alpha remove -alpha off -depth 8 ppm:" + ppm);
    const std::vector<uint8_t> bytes = ReadBytes(ppm);
    RgbImage image;
    unsigned maxValue = 0;
    int consumed = 0;
    const std::string head(bytes.begin(), bytes.begin() + std::min<size_t>(bytes.size(), 64));
    if (std::sscanf(head.c_str(), "P6 %u %u %u%n", &image.width, &image.height, &maxValue, &consumed) != 3)
        return {};
    image.rgb.assign(bytes.begin() + consumed + 1, bytes.end());
    return image;
}

inline void ExpectSamePixels(const Picture& dib, const RgbImage& expected, int tolerance)
{
    ASSERT_EQ(dib.Width(), expected.width);
    ASSERT_EQ(dib.Height(), expected.height);
    ASSERT_EQ(expected.rgb.size(), size_t{expected.width} * expected.height * 3);
    int worst = 0, differing = 0;
    std::string first;
    for (uint32_t y = 0; y < expected.height; ++y)
        for (uint32_t x = 0; x < expected.width; ++x) {
            const ColorTriple got = ColorAt(dib, x, expected.height - 1 - y);
            const uint8_t* want = &expected.rgb[(size_t{y} * expected.width + x) * 3];
            const int d = std::max({std::abs(got.red - want[0]), std::abs(got.green - want[1]),
                                    std::abs(got.blue - want[2])});
            if (d > tolerance && first.empty())
                first = "first at (" + std::to_string(x) + ", " + std::to_string(y) + "): got " +
                        std::to_string(got.red) + "," + std::to_string(got.green) + "," + std::to_string(got.blue) +
                        " want " + std::to_string(want[0]) + "," + std::to_string(want[1]) + "," +
                        std::to_string(want[2]);
            worst = std::max(worst, d);
            differing += d > tolerance;
        }
    EXPECT_LE(worst, tolerance) << differing << " pixels differ, " << first;
}

// For lossy pictures decoded with another chroma upsampling: the mean
// difference per sample stays small (a picture turned the wrong way or
// mirrored differs by tens).
inline double MeanDifference(const Picture& dib, const RgbImage& expected)
{
    if (dib.Width() != expected.width || dib.Height() != expected.height ||
        expected.rgb.size() != size_t{expected.width} * expected.height * 3)
        return 255;
    double sum = 0;
    for (uint32_t y = 0; y < expected.height; ++y)
        for (uint32_t x = 0; x < expected.width; ++x) {
            const ColorTriple got = ColorAt(dib, x, expected.height - 1 - y);
            const uint8_t* want = &expected.rgb[(size_t{y} * expected.width + x) * 3];
            sum += std::abs(got.red - want[0]) + std::abs(got.green - want[1]) + std::abs(got.blue - want[2]);
        }
    return sum / (3.0 * expected.width * expected.height);
}

}  // namespace lumora::test
