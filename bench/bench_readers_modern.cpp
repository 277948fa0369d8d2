// PNG and HEIC reading on 4000 x 3000 photograph-like pictures, side by side
// with pngtopnm and heif-convert on the same files (run as processes; their
// start-up is well under 1% here), and the cost of reading the EXIF
// orientation in a JPEG decode. The test files are made once with
// ImageMagick's convert.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/picture/exif_orientation.h"
#include "core/formats/heif_reader.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/png_reader.h"

namespace lumora {
namespace {

struct Files {
    std::string dir = (std::filesystem::temp_directory_path() / "lumora-bench-modern").string();
    std::string png = dir + "/photo.png", heic = dir + "/photo.heic";
    std::string jpeg = dir + "/photo.jpg", jpegExif = dir + "/photo-exif.jpg";
    std::vector<uint8_t> exif;

    Files()
    {
        std::filesystem::create_directories(dir);
        // Waves, gradients and grain, like a photograph; 12 megapixels.
        const std::string source = dir + "/source.ppm";
        const std::string make = "convert -size 4000x3000 gradient:'#203080'-'#f0c060' \\( -size 4000x3000 "
                                 "plasma:fractal -seed 7 \\) -compose overlay -composite " + source;
        if (!std::filesystem::exists(source) && std::system(make.c_str()) != 0)
            std::fprintf(stderr, "convert failed\n");
        Convert(source, png, "");
        Convert(source, heic, "-quality 80");
        Convert(source, jpeg, "-quality 90");
        // The same JPEG with an EXIF segment (orientation 1: nothing to turn).
        exif = {'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
                0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 0};
        std::FILE* in = std::fopen(jpeg.c_str(), "rb");
        std::vector<uint8_t> bytes;
        for (int c; in && (c = std::fgetc(in)) != EOF;)
            bytes.push_back(static_cast<uint8_t>(c));
        if (in)
            std::fclose(in);
        std::vector<uint8_t> segment = {0xFF, 0xE1, 0, static_cast<uint8_t>(exif.size() + 2)};
        segment.insert(segment.end(), exif.begin(), exif.end());
        bytes.insert(bytes.begin() + 2, segment.begin(), segment.end());
        std::FILE* out = std::fopen(jpegExif.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
    }

    static void Convert(const std::string& from, const std::string& to, const std::string& options)
    {
        if (std::filesystem::exists(to))
            return;
        if (std::system(("convert " + from + " " + options + " " + to).c_str()) != 0)
            std::fprintf(stderr, "convert failed for %s\n", to.c_str());
    }
};

const Files& TheFiles()
{
    static const Files files;
    return files;
}

void BM_ReadPNG(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadPNGFile(files.png));
}

void BM_Pngtopnm(benchmark::State& state)
{
    bench::RunShell(state, "pngtopnm " + TheFiles().png + " > /dev/null");
}

void BM_ReadHEIC(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadHEIFFile(files.heic));
}

// heif-convert writes no PPM: raw Y4M is its cheapest output (no colour
// conversion at all), so the comparison is on the strict side.
void BM_HeifConvertY4m(benchmark::State& state)
{
    bench::RunShell(state, "heif-convert " + TheFiles().heic + " " + TheFiles().dir + "/out.y4m > /dev/null");
}

void BM_ReadJPEGWithoutExif(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJPEGFile(files.jpeg));
}

void BM_ReadJPEGWithExifOrientation(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJPEGFile(files.jpegExif));
}

void BM_ExifOrientationTag(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ExifOrientation(files.exif));
}

BENCHMARK(BM_ReadPNG)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Pngtopnm)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadHEIC)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_HeifConvertY4m)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadJPEGWithoutExif)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadJPEGWithExifOrientation)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExifOrientationTag)->Unit(benchmark::kNanosecond);

}  // namespace
}  // namespace lumora
