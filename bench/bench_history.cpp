// Undo and redo on a 2000-photo album: one delete, one move, one
// description, and a layout change whose undo puts 2000 previews back; and
// what the history keeps after 100 photos were deleted.
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <memory>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/colour/palette.h"
#include "core/formats/bmp_writer.h"
#include "bench_support.h"

namespace lumora {
namespace {

constexpr int kPhotos = 2000;

std::unique_ptr<AlbumDocument> LargeAlbum(const std::vector<std::string>& paths = {})
{
    auto doc = std::make_unique<AlbumDocument>();
    doc->Clear();
    const PageLayout& layout = doc->Layout();
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int i = 0; i < kPhotos; ++i) {
        auto item = std::make_unique<AlbumItem>(paths.empty() ? "/photos/img" + std::to_string(i) + ".jpg"
                                                              : paths[static_cast<size_t>(i)]);
        item->description = "Photo numéro " + std::to_string(i);
        Picture preview = Picture::Make(layout.boxWidth, layout.boxHeight, 8);
        FillColorTableFromPalette(preview.Data(), &AppPalette(), ColorTableMode::Rgb);
        std::memset(preview.Pixels(), i & 0xFF, PictureRowBytes(layout.boxWidth, 8));
        item->preview.Attach(std::move(preview));
        items.push_back(std::move(item));
    }
    bench::AppendItems(*doc, std::move(items));
    return doc;
}

// Times the undo and the redo of the one step `edit` made, each apart.
template <typename Edit>
void UndoRedo(benchmark::State& state, Edit edit)
{
    auto doc = LargeAlbum();
    edit(*doc);
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            doc->Undo();
        else
            doc->Redo();
        undo = !undo;
    }
}

void BM_UndoRedoDelete(benchmark::State& state)
{
    UndoRedo(state, [](AlbumDocument& doc) { DeleteAlbumItem(doc, 1000); });
}
BENCHMARK(BM_UndoRedoDelete)->Unit(benchmark::kMillisecond);

void BM_UndoRedoMove(benchmark::State& state)
{
    UndoRedo(state, [](AlbumDocument& doc) { MoveAlbumItem(doc, 10, 1990); });
}
BENCHMARK(BM_UndoRedoMove)->Unit(benchmark::kMillisecond);

void BM_UndoRedoDescription(benchmark::State& state)
{
    UndoRedo(state, [](AlbumDocument& doc) { SetItemDescription(doc, 500, "Le port"); });
}
BENCHMARK(BM_UndoRedoDescription)->Unit(benchmark::kMillisecond);

// The layout change remakes 2000 previews once, from small pictures on
// disk; undo and redo only put back what the step keeps.
void BM_UndoRedoLayoutChange(benchmark::State& state)
{
    const auto dir = std::filesystem::temp_directory_path() / "lumora-bench-history";
    std::filesystem::create_directories(dir);
    Picture picture = Picture::Make(64, 48, 24);
    std::memset(picture.Pixels(), 90, picture.Size() - picture.PixelOffset());
    std::vector<std::string> paths;
    for (int i = 0; i < kPhotos; ++i) {
        paths.push_back((dir / ("p" + std::to_string(i) + ".bmp")).string());
        if (!std::filesystem::exists(paths.back()))
            WriteBMPFile(paths.back(), picture);
    }
    auto doc = LargeAlbum(paths);
    ChangeLayout(*doc, BookLayout::Micro);  // Micro 12+12: another picture box
    bool undo = true;
    for (auto _ : state) {
        if (undo)
            doc->Undo();
        else
            doc->Redo();
        undo = !undo;
    }
    state.counters["photos"] = static_cast<double>(doc->ItemCount());
}
BENCHMARK(BM_UndoRedoLayoutChange)->Unit(benchmark::kMillisecond)->Iterations(20);

// What 100 deletes keep: the items, and the bytes a step takes besides.
void BM_HistoryOfHundredDeletes(benchmark::State& state)
{
    size_t held = 0, overhead = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto doc = LargeAlbum();
        state.ResumeTiming();
        for (int i = 0; i < 100; ++i)
            DeleteAlbumItem(*doc, 0);
        held = doc->History().HeldItems();
        overhead = doc->History().OverheadBytes();
    }
    state.counters["held_items"] = static_cast<double>(held);
    state.counters["bytes_per_step"] = static_cast<double>(overhead) / 100.0;
}
BENCHMARK(BM_HistoryOfHundredDeletes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace lumora
