// The slideshow on 4000 x 3000 camera JPEGs and a 1920 x 1080 screen: the
// first slide on screen after the show starts, and the next slide after a
// key press once the worker has read it ahead.
//   QT_QPA_PLATFORM=offscreen build/bench/bench_slideshow
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>
#include <filesystem>
#include <memory>
#include <thread>

#include "core/album/album_document.h"
#include "core/formats/jpeg_writer.h"
#include "gui/slideshow/slideshow_window.h"
#include "bench_gui.h"
#include "bench_support.h"

namespace lumora {
namespace {

constexpr int32_t kWidth = 4000, kHeight = 3000;
constexpr int kPhotos = 4;
const QRect kScreen(0, 0, 1920, 1080);

QApplication& App() { return bench::OffscreenApplication(); }

// Photos that differ, so that nothing is shared between slides.
std::shared_ptr<AlbumDocument> Album()
{
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> files;
        for (int photo = 0; photo < kPhotos; ++photo) {
            Picture dib = Picture::Make(kWidth, kHeight, 24);
            const uint64_t stride = PictureRowBytes(kWidth, 24);
            for (int32_t y = 0; y < kHeight; ++y) {
                uint8_t* row = dib.Pixels() + y * stride;
                for (int32_t x = 0; x < kWidth; ++x) {
                    const int wave = ((x / (7 + photo) + y / 11) % 64);
                    row[x * 3] = static_cast<uint8_t>(x * 200 / kWidth + wave);
                    row[x * 3 + 1] = static_cast<uint8_t>(y * 180 / kHeight + wave);
                    row[x * 3 + 2] = static_cast<uint8_t>((x + y + photo * 500) * 191 / (kWidth + kHeight + 2000));
                }
            }
            files.push_back((std::filesystem::temp_directory_path() /
                             ("bench_slideshow_" + std::to_string(photo) + ".jpg"))
                                .string());
            WriteJPEGFile(dib, files.back(), 85);
        }
        return files;
    }();
    auto album = std::make_shared<AlbumDocument>();
    album->Clear();
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (const std::string& path : paths)
        items.push_back(std::make_unique<AlbumItem>(path));
    bench::AppendItems(*album, std::move(items));
    return album;
}

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void BM_FirstSlideOnScreen(benchmark::State& state)
{
    App();
    const auto album = Album();
    Preferences prefs;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        auto* window = new SlideshowWindow(album, prefs, nullptr, kScreen);
        window->Start();  // returns with the first picture painted
        state.SetIterationTime(Seconds(start));
        delete window;
    }
}
BENCHMARK(BM_FirstSlideOnScreen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NextSlidePrefetched(benchmark::State& state)
{
    App();
    Preferences prefs;
    auto* window = new SlideshowWindow(Album(), prefs, nullptr, kScreen);
    window->Start();
    for (auto _ : state) {
        if (window->Sequence().Current() == kPhotos - 1)
            window->First();
        // The worker reads ahead while the slide is looked at.
        while (!window->NextPrefetched())
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const auto start = std::chrono::steady_clock::now();
        window->Next();  // the key press: the slide is painted when it returns
        state.SetIterationTime(Seconds(start));
    }
    delete window;
}
BENCHMARK(BM_NextSlidePrefetched)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace
}  // namespace lumora
