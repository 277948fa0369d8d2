// JPEG and TIFF reading and JPEG writing on a 4000 x 3000 photograph-like
// picture, side by side with libjpeg-turbo's own djpeg and cjpeg on the
// same files (run as processes; their start-up is well under 1% here).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <tiffio.h>

#include "bench_support.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "core/formats/tiff_reader.h"

namespace lumora {
namespace {

constexpr int32_t kWidth = 4000, kHeight = 3000;

// Smooth gradients and waves with a little grain, like a photograph.
Picture MakePhoto()
{
    Picture dib = Picture::Make(kWidth, kHeight, 24);
    const uint64_t stride = PictureRowBytes(kWidth, 24);
    uint32_t seed = 12345;
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = dib.Pixels() + y * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int grain = static_cast<int>(seed >> 28) - 8;
            const int wave = ((x / 7 + y / 11) % 64) - 32;
            const auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
            row[x * 3] = clamp(x * 200 / kWidth + wave + grain);
            row[x * 3 + 1] = clamp(y * 220 / kHeight - wave / 2 + grain);
            row[x * 3 + 2] = clamp((x + y) * 255 / (kWidth + kHeight) + grain);
        }
    }
    return dib;
}

// cjpeg's own input format, read row by row.
void WritePpm(const Picture& dib, const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight);
    const uint64_t stride = PictureRowBytes(kWidth, 24);
    std::vector<uint8_t> rgb(size_t{kWidth} * 3);
    for (int32_t r = 0; r < kHeight; ++r) {
        const uint8_t* bgr = dib.Pixels() + (kHeight - 1 - r) * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            rgb[x * 3] = bgr[x * 3 + 2];
            rgb[x * 3 + 1] = bgr[x * 3 + 1];
            rgb[x * 3 + 2] = bgr[x * 3];
        }
        std::fwrite(rgb.data(), 1, rgb.size(), file);
    }
    std::fclose(file);
}

void WriteUncompressedTiff(const Picture& dib, const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 3);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff, 0));
    const uint64_t stride = PictureRowBytes(kWidth, 24);
    std::vector<uint8_t> rgb(size_t{kWidth} * 3);
    for (int32_t r = 0; r < kHeight; ++r) {
        const uint8_t* bgr = dib.Pixels() + (kHeight - 1 - r) * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            rgb[x * 3] = bgr[x * 3 + 2];
            rgb[x * 3 + 1] = bgr[x * 3 + 1];
            rgb[x * 3 + 2] = bgr[x * 3];
        }
        TIFFWriteScanline(tiff, rgb.data(), static_cast<uint32_t>(r), 0);
    }
    TIFFClose(tiff);
}

struct Files {
    std::string dir = (std::filesystem::temp_directory_path() / "lumora-bench-jt").string();
    std::string jpeg = dir + "/photo.jpg", ppm = dir + "/photo.ppm", tiff = dir + "/photo.tif";
    std::string out = dir + "/out.jpg";
    Picture photo;

    Files()
    {
        std::filesystem::create_directories(dir);
        photo = MakePhoto();
        WriteJPEGFile(photo, jpeg, 75);
        WritePpm(photo, ppm);
        WriteUncompressedTiff(photo, tiff);
    }
};

const Files& TheFiles()
{
    static const Files files;
    return files;
}

void BM_ReadJPEG24(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJPEGFile(files.jpeg));
}

void BM_DjpegBmp(benchmark::State& state)
{
    bench::RunShell(state, "djpeg -bmp -outfile /dev/null " + TheFiles().jpeg);
}

void BM_ReadJPEG256(benchmark::State& state)
{
    const Files& files = TheFiles();
    ReadOptions colours256;
    colours256.jpeg256 = true;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadJPEGFile(files.jpeg, colours256));
}

void BM_Djpeg236(benchmark::State& state)
{
    bench::RunShell(state, "djpeg -colors 236 -dither fs -bmp -outfile /dev/null " + TheFiles().jpeg);
}

void BM_WriteJPEG75(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteJPEGFile(files.photo, files.out, 75));
}

void BM_Cjpeg75(benchmark::State& state)
{
    bench::RunShell(state, "cjpeg -quality 75 -outfile " + TheFiles().out + " " + TheFiles().ppm);
}

void BM_ReadTIFFUncompressed(benchmark::State& state)
{
    const Files& files = TheFiles();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadTIFFFile(files.tiff));
    state.SetItemsProcessed(state.iterations() * int64_t{kWidth} * kHeight);
}

BENCHMARK(BM_ReadJPEG24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DjpegBmp)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadJPEG256)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Djpeg236)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WriteJPEG75)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Cjpeg75)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ReadTIFFUncompressed)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace lumora
