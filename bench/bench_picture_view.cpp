// A picture window on a 4000 x 3000 JPEG: opening it to its first painted
// frame next to decoding alone, and one scroll step of a 600 % view.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <memory>

#include "core/picture_document/image_document.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "gui/picture/picture_view.h"
#include "bench_gui.h"

namespace lumora {
namespace {

constexpr int32_t kWidth = 4000, kHeight = 3000;

QApplication& App() { return bench::OffscreenApplication(); }

const std::string& PhotoPath()
{
    static const std::string path = [] {
        Picture dib = Picture::Make(kWidth, kHeight, 24);
        const uint64_t stride = PictureRowBytes(kWidth, 24);
        for (int32_t y = 0; y < kHeight; ++y) {
            uint8_t* row = dib.Pixels() + y * stride;
            for (int32_t x = 0; x < kWidth; ++x) {
                const int wave = ((x / 7 + y / 11) % 64);
                row[x * 3] = static_cast<uint8_t>(x * 200 / kWidth + wave);
                row[x * 3 + 1] = static_cast<uint8_t>(y * 180 / kHeight + wave);
                row[x * 3 + 2] = static_cast<uint8_t>((x + y) * 191 / (kWidth + kHeight));
            }
        }
        const std::string file = (std::filesystem::temp_directory_path() / "bench_picture_view.jpg").string();
        WriteJPEGFile(dib, file, 85);
        return file;
    }();
    return path;
}

void BM_DecodeJpegOnly(benchmark::State& state)
{
    for (auto _ : state) {
        Picture picture = ReadJPEGFile(PhotoPath()).picture;
        if (!picture || picture.Width() != kWidth)
            state.SkipWithError("the picture did not decode");
        benchmark::DoNotOptimize(picture);
    }
}
BENCHMARK(BM_DecodeJpegOnly)->Unit(benchmark::kMillisecond);

void BM_OpenToFirstPaint(benchmark::State& state)
{
    App();
    for (auto _ : state) {
        auto doc = std::make_shared<PictureDocument>();
        if (!doc->OnOpenDocument(PhotoPath(), 24, ReadOptions{}))
            state.SkipWithError("the picture did not open");
        PictureView view(doc, [] { return QColor(64, 64, 64); });
        view.resize(1024, 768);
        view.show();
        benchmark::DoNotOptimize(view.Render());
    }
}
BENCHMARK(BM_OpenToFirstPaint)->Unit(benchmark::kMillisecond);

void BM_ScrollStepAt600(benchmark::State& state)
{
    App();
    auto doc = std::make_shared<PictureDocument>();
    doc->OnOpenDocument(PhotoPath(), 24, ReadOptions{});
    PictureView view(doc, [] { return QColor(64, 64, 64); });
    view.resize(1024, 768);
    view.show();
    for (int i = 0; i < 4; ++i)
        view.ZoomIn();
    int y = 0;
    for (auto _ : state) {
        y = (y + PictureView::kLineScroll) % 10000;
        view.ScrollTo({5000, y});
        benchmark::DoNotOptimize(view.Render());  // the whole window, not just the new strip
    }
}
BENCHMARK(BM_ScrollStepAt600)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
