// GIF, PCX and Targa pictures of 4000 x 3000 read from files that sit in
// the page cache: pixels per second for each reader and coding.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "core/formats/gif_reader.h"
#include "core/formats/pcx_reader.h"
#include "core/formats/tga_reader.h"
#include "support/test_picture_writers.h"

namespace {

using namespace lumora;
using test::Bytes;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;

// Photo-like enough: gradients with texture, short repeats here and there.
uint8_t Sample(int x, int y, int channel)
{
    return uint8_t((x / 3) * (channel + 1) + (y / 2) * 3 + ((x * y) >> (9 + channel)));
}

std::string WriteOnce(const std::string& name, const Bytes& bytes)
{
    const std::string path = (std::filesystem::temp_directory_path() / ("lumora-bench-" + name)).string();
    if (FILE* f = std::fopen(path.c_str(), "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    return path;
}

Bytes MakeGif()
{
    test::GifPicture p;
    p.screenWidth = kWidth;
    p.screenHeight = kHeight;
    p.colorBits = 8;
    for (int i = 0; i < 256; ++i)
        p.palette.insert(p.palette.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    test::GifFrame frame{0, 0, kWidth, kHeight, false, Bytes(size_t(kWidth) * kHeight)};
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            frame.pixels[size_t(y) * kWidth + size_t(x)] = Sample(x, y, 0);
    p.frames.push_back(std::move(frame));
    return test::WriteGif(p);
}

Bytes MakePcx(int planes)
{
    test::PcxPicture p;
    p.planes = uint8_t(planes);
    p.width = kWidth;
    p.height = kHeight;
    p.bytesPerLine = kWidth;
    for (int y = 0; y < kHeight; ++y) {
        Bytes line(size_t(kWidth) * planes);
        for (int c = 0; c < planes; ++c)
            for (int x = 0; x < kWidth; ++x)
                line[size_t(c) * kWidth + size_t(x)] = Sample(x, y, c);
        p.lines.push_back(std::move(line));
    }
    if (planes == 1)
        p.vgaPalette = Bytes(768, 0x55);
    return test::WritePcx(p);
}

Bytes MakeTga(uint8_t imageType)
{
    test::TgaPicture p;
    p.imageType = imageType;
    p.pixelDepth = 24;
    p.width = kWidth;
    p.height = kHeight;
    p.pixels.resize(size_t(kWidth) * kHeight * 3);
    size_t i = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            for (int c = 0; c < 3; ++c)
                p.pixels[i++] = Sample(x, y, c);
    return test::WriteTga(p);
}

template <typename Reader>
void ReadRepeatedly(benchmark::State& state, const std::string& path, Reader read)
{
    for (auto _ : state) {
        Picture dib = read(path, ReadOptions{}).picture;
        if (!dib) {
            state.SkipWithError("the picture did not decode");
            return;
        }
        benchmark::DoNotOptimize(dib.Data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}

void BM_Gif8Bit(benchmark::State& state)
{
    static const std::string path = WriteOnce("8bit.gif", MakeGif());
    ReadRepeatedly(state, path, [](const std::string& p, const ReadOptions& o) { return ReadGIFFile(p, o); });
}

void BM_Pcx8Bit(benchmark::State& state)
{
    static const std::string path = WriteOnce("8bit.pcx", MakePcx(1));
    ReadRepeatedly(state, path, [](const std::string& p, const ReadOptions& o) { return ReadPCXFile(p, o); });
}

void BM_Pcx24Bit(benchmark::State& state)
{
    static const std::string path = WriteOnce("24bit.pcx", MakePcx(3));
    ReadRepeatedly(state, path, [](const std::string& p, const ReadOptions& o) { return ReadPCXFile(p, o); });
}

void BM_Tga24BitPlain(benchmark::State& state)
{
    static const std::string path = WriteOnce("24bit.tga", MakeTga(2));
    ReadRepeatedly(state, path, [](const std::string& p, const ReadOptions& o) { return ReadTGAFile(p, o); });
}

void BM_Tga24BitRunLength(benchmark::State& state)
{
    static const std::string path = WriteOnce("24bit-rle.tga", MakeTga(10));
    ReadRepeatedly(state, path, [](const std::string& p, const ReadOptions& o) { return ReadTGAFile(p, o); });
}

BENCHMARK(BM_Gif8Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx8Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pcx24Bit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tga24BitPlain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Tga24BitRunLength)->Unit(benchmark::kMillisecond);

}  // namespace
