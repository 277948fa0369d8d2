// Picture library speed: palette mapping, preview reduction and BMP reading.
//   build/bench/bench_imaging
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/formats/bmp_reader.h"
#include "core/formats/bmp_writer.h"
#include "core/colour/halftone.h"

namespace {

using namespace lumora;

constexpr int kWidth = 4000, kHeight = 3000;

const Picture& PhotoSizedPicture()
{
    static const Picture picture = [] {
        Picture dib = Picture::Make(kWidth, kHeight, 24);
        std::mt19937 rng(42);
        uint8_t* p = dib.Pixels();
        const size_t n = PictureRowBytes(kWidth, 24) * kHeight;
        for (size_t i = 0; i < n; ++i)
            p[i] = static_cast<uint8_t>(rng() >> 24);
        return dib;
    }();
    return picture;
}

const std::string& PhotoSizedBmpFile()
{
    static const std::string path = [] {
        std::string p = "/tmp/lumora-bench-4000x3000.bmp";
        WriteBMPFile(p, PhotoSizedPicture());
        return p;
    }();
    return path;
}

void BM_ConvertToAppPalette(benchmark::State& state)
{
    const Picture& source = PhotoSizedPicture();
    for (auto _ : state) {
        Picture result = ConvertToAppPalette(source, AppPalette());
        benchmark::DoNotOptimize(result.Data());
    }
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BM_ConvertToAppPalette)->Unit(benchmark::kMillisecond);

void BM_ResizeToAppPalette_Preview(benchmark::State& state)
{
    const Picture& source = PhotoSizedPicture();
    for (auto _ : state) {
        Picture result = ResizeToAppPalette(source, 185, 140, AppPalette());
        benchmark::DoNotOptimize(result.Data());
    }
}
BENCHMARK(BM_ResizeToAppPalette_Preview)->Unit(benchmark::kMicrosecond);

void BM_ReadDIBFromFile(benchmark::State& state)
{
    const std::string& path = PhotoSizedBmpFile();
    for (auto _ : state) {
        Picture dib = ReadDIBFromFile(path).picture;
        benchmark::DoNotOptimize(dib.Data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(PhotoSizedPicture().Size()));
}
BENCHMARK(BM_ReadDIBFromFile)->Unit(benchmark::kMillisecond);

// What `cat FILE >/dev/null` does: read the file through one 128 KiB buffer.
void BM_CatBaseline(benchmark::State& state)
{
    const std::string& path = PhotoSizedBmpFile();
    std::vector<char> buffer(128 * 1024);
    for (auto _ : state) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        while (::read(fd, buffer.data(), buffer.size()) > 0) {
        }
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(PhotoSizedPicture().Size()));
}
BENCHMARK(BM_CatBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
