// Inserting photos into an album, and where the time goes: a hundred
// 4000 x 3000 JPEG photos into a Maxi 2+2 album through InsertImages, then
// each step of one photo's insertion on its own (reading the file, reducing
// it onto the application palette, placing the item in the album).
//   build/bench/bench_insert
// The argument of the JPEG reading benchmarks is the "JPEG en 256 couleurs"
// preference: 1 (the default) has libjpeg map every picture onto 236
// colours with Floyd-Steinberg dithering while it decodes, 0 reads 24 bits.
// Previews ignore it: they are decoded for the picture box (1/8 of the size
// here) on one worker per core. The argument of the insertion benchmark is
// "Aperçus en 256 couleurs": 0 (the default) makes 24-bit previews, 1 the
// halftoned 8-bit ones; album_bytes is the size of the saved album.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/album/album_commands.h"
#include "core/album/album_preview.h"
#include "core/platform/services.h"
#include "core/colour/halftone.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "core/colour/palette.h"

namespace lumora {
namespace {

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kPhotos = 100;
constexpr int kDistinctFiles = 4;

// The JPEG files, written once per run into a directory of their own.
const std::vector<std::string>& JpegFiles()
{
    static const std::vector<std::string> files = [] {
        const auto dir = std::filesystem::temp_directory_path() / "lumora-bench-insert";
        std::filesystem::create_directories(dir);
        std::vector<std::string> paths;
        for (int i = 0; i < kDistinctFiles; ++i) {
            paths.push_back((dir / ("photo" + std::to_string(i) + ".jpg")).string());
            WriteJPEGFile(bench::PhotoLikePicture(kWidth, kHeight, static_cast<unsigned>(i)), paths.back(), 85);
        }
        return paths;
    }();
    return files;
}

std::vector<std::string> HundredPaths()
{
    std::vector<std::string> paths;
    for (int i = 0; i < kPhotos; ++i)
        paths.push_back(JpegFiles()[static_cast<size_t>(i % kDistinctFiles)]);
    return paths;
}

// The JPEG colour mode of one benchmark, the readers quiet as the insertion
// loop has them.
ReadOptions JpegMode(bool jpeg256)
{
    ReadOptions options;
    options.jpeg256 = jpeg256;
    return options;
}

void PerPhoto(benchmark::State& state, int photosPerIteration)
{
    state.SetItemsProcessed(state.iterations() * photosPerIteration);
    state.counters["per_photo"] = benchmark::Counter(
        photosPerIteration, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The whole command: a hundred photos into a new album.
void BM_InsertHundredPhotos(benchmark::State& state)
{
    const std::vector<std::string> paths = HundredPaths();
    Preferences prefs;
    prefs.previews256 = state.range(0) != 0;
    ScopedServices installed([&](Services& s) { s.preferences = &prefs; });
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = std::make_unique<AlbumDocument>();
        doc->Clear();
        EditSettings(*doc, [&](AlbumSettings& s) { s.layout = BookLayout::Maxi; });
        state.ResumeTiming();
        const int selection = InsertImages(*doc, paths, 0, false, nullptr);
        benchmark::DoNotOptimize(selection);
        if (doc->ItemCount() != paths.size())
            state.SkipWithError("a photo was not inserted");
        state.PauseTiming();
        const auto saved = std::filesystem::temp_directory_path() / "lumora-bench-insert.qza";
        if (doc->Save(saved.string()))
            state.counters["album_bytes"] = static_cast<double>(std::filesystem::file_size(saved));
        std::filesystem::remove(saved);
        doc.reset();
        state.ResumeTiming();
    }
    PerPhoto(state, kPhotos);
}
BENCHMARK(BM_InsertHundredPhotos)->Arg(1)->Arg(0)->Iterations(1)->Unit(benchmark::kSecond);

// Step 1: reading the file (libjpeg's decoding, and its colour mapping when
// the 256-colour mode is on).
void BM_DecodeJpeg(benchmark::State& state)
{
    const ReadOptions mode = JpegMode(state.range(0) != 0);
    const std::string& path = JpegFiles()[0];
    for (auto _ : state) {
        Picture picture = ReadJPEGFile(path, mode).picture;
        if (!picture)
            state.SkipWithError("the JPEG file was not read");
        benchmark::DoNotOptimize(picture.Data());
    }
    PerPhoto(state, 1);
}
BENCHMARK(BM_DecodeJpeg)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// Step 2: the preview, sampled from the full picture and mapped onto the
// application palette, from the 8-bit or the 24-bit decoding.
void BM_ResizeToAppPalette(benchmark::State& state)
{
    Picture full;
    full = ReadJPEGFile(JpegFiles()[0], JpegMode(state.range(0) != 0)).picture;
    const FittedSize size = FitPreview(185, 140, kWidth, kHeight);
    for (auto _ : state) {
        Picture preview = ResizeToAppPalette(full, size.width, size.height, AppPalette());
        benchmark::DoNotOptimize(preview.Data());
    }
    PerPhoto(state, 1);
}
BENCHMARK(BM_ResizeToAppPalette)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// Today's preview of one photo: decoded at 1/8 for the box, then averaged
// to 24 bits (0) or halftoned onto the application palette (1).
void BM_PreviewForBox(benchmark::State& state)
{
    const PreviewColors colors = state.range(0) ? PreviewColors::AppPalette256 : PreviewColors::TrueColor;
    for (auto _ : state) {
        PreviewPicture made = MakePreviewPicture(JpegFiles()[0], 185, 140, AppPalette(), colors);
        if (!made.preview)
            state.SkipWithError("no preview");
        benchmark::DoNotOptimize(made.preview.Data());
    }
    PerPhoto(state, 1);
}
BENCHMARK(BM_PreviewForBox)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Step 3: placing finished photos in the album, each insertion with its
// change step (pagination of the growing album, the modified flag).
void BM_PlaceHundredPhotos(benchmark::State& state)
{
    Picture boxSized = Picture::Make(185, 140, 8);
    FillColorTableFromPalette(boxSized.Data(), &AppPalette(), ColorTableMode::Rgb);
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (auto _ : state) {
        state.PauseTiming();
        AlbumDocument doc;
        doc.Clear();
        EditSettings(doc, [&](AlbumSettings& s) { s.layout = BookLayout::Maxi; });
        items.clear();
        for (int i = 0; i < kPhotos; ++i) {
            // A preview of exactly the box size is not made again.
            items.push_back(std::make_unique<AlbumItem>("/photos/p" + std::to_string(i) + ".jpg"));
            items.back()->preview.Attach(boxSized.Clone());
        }
        state.ResumeTiming();
        for (auto& item : items)
            doc.InsertItem(std::move(item), doc.ItemCount());
        benchmark::DoNotOptimize(doc.PageCount());
    }
    PerPhoto(state, kPhotos);
}
BENCHMARK(BM_PlaceHundredPhotos)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
