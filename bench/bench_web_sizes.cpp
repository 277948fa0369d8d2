// One camera photo's copies for the screen, stage by stage: the JPEG read
// for the largest size, the reduction to 2560 pixels, the encoding, and the
// whole of one photo (what the gather spends on it, on one core).
//   build/bench/bench_web_sizes
// LUMORA_BENCH_WEB_SIZES_PHOTO names a JPEG to use instead of the built-in
// 4000 x 3000 photo-like picture (quality 92, about the size a camera writes).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "core/formats/jpeg_writer.h"
#include "core/formats/screen_picture.h"
#include "core/gather/web_sizes.h"
#include "core/picture/area_reduce.h"

namespace lumora {
namespace {

const std::string& ThePhoto()
{
    static const std::string path = [] {
        if (const char* given = std::getenv("LUMORA_BENCH_WEB_SIZES_PHOTO"))
            return std::string(given);
        const auto file = std::filesystem::temp_directory_path() / "lumora-bench-web-sizes.jpg";
        const auto jpeg = EncodeJPEG(bench::PhotoLikePicture(4000, 3000, 3), 92);
        FILE* out = std::fopen(file.c_str(), "wb");
        std::fwrite(jpeg->data(), 1, jpeg->size(), out);
        std::fclose(out);
        return file.string();
    }();
    return path;
}

const Picture& TheRead()
{
    static const Picture read = ReadForWebSizes(ThePhoto());
    return read;
}

PixelSize LargestSize()
{
    int width = static_cast<int>((TheRead()).Width());
    int height = static_cast<int>((TheRead()).Height());
    FitWithin(kWebSizeSides[1], kWebSizeSides[1], width, height);
    return {width, height};
}

void BM_ReadForLargestSize(benchmark::State& state)
{
    for (auto _ : state)
        if (!ReadForWebSizes(ThePhoto()))
            state.SkipWithError("unreadable photo");
}
BENCHMARK(BM_ReadForLargestSize)->Unit(benchmark::kMillisecond);

void BM_ReduceToLargestSize(benchmark::State& state)
{
    const PixelSize size = LargestSize();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReduceToTrueColor(TheRead(), size.width, size.height));
}
BENCHMARK(BM_ReduceToLargestSize)->Unit(benchmark::kMillisecond);

void BM_EncodeLargestSize(benchmark::State& state)
{
    const PixelSize size = LargestSize();
    const Picture reduced = ReduceToTrueColor(TheRead(), size.width, size.height);
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeJPEG(reduced, kWebSizeQuality));
}
BENCHMARK(BM_EncodeLargestSize)->Unit(benchmark::kMillisecond);

void BM_OnePhotosWebSizes(benchmark::State& state)
{
    for (auto _ : state)
        if (EncodeWebSizes(ReadForWebSizes(ThePhoto())).size() != 2)
            state.SkipWithError("expected two sizes");
}
BENCHMARK(BM_OnePhotosWebSizes)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
