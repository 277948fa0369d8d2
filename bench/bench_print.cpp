// Printing a 40-page album of 4000 x 3000 camera JPEGs (Maxi 2+2, 80
// photos) on A4 at 300 dpi: the whole album into a PDF, and the print
// preview window showing a page (drawn from the previews).
//   QT_QPA_PLATFORM=offscreen build/bench/bench_print
// The command line's figure: bench/print_album.sh.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QPdfWriter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <chrono>
#include <filesystem>
#include <memory>

#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/colour/palette.h"
#include "core/formats/jpeg_writer.h"
#include "gui/print/album_print.h"
#include "bench_gui.h"
#include "bench_support.h"

namespace lumora {
namespace {

constexpr int32_t kWidth = 4000, kHeight = 3000;
constexpr int kDistinctPhotos = 4;
constexpr int kPhotos = 80;  // 40 pages of Maxi 2+2

QApplication& App() { return bench::OffscreenApplication(); }

// Detail at every scale, as photos have: broad gradients, patches and
// grain, so that the JPEGs weigh what camera files weigh.
Picture PhotoLike(int seed)
{
    Picture dib = Picture::Make(kWidth, kHeight, 24);
    const uint64_t stride = PictureRowBytes(kWidth, 24);
    uint32_t noise = 12345u + static_cast<uint32_t>(seed) * 7919u;
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = dib.Pixels() + y * stride;
        for (int32_t x = 0; x < kWidth; ++x) {
            noise = noise * 1664525u + 1013904223u;
            // Sensor grain of +-8 levels: heavier grain (+-16) makes a PDF
            // about a third larger, since every photo is stored as JPEG.
            const int grain = static_cast<int>(noise >> 28) - 8;
            const int patch = static_cast<int>(((x / 24) * 31 + (y / 24) * 17 + seed * 5) % 48);
            auto clamp = [](int v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); };
            row[x * 3] = clamp(x * 160 / kWidth + patch + grain);
            row[x * 3 + 1] = clamp(y * 150 / kHeight + patch / 2 + grain + seed * 10);
            row[x * 3 + 2] = clamp((x + y) * 120 / (kWidth + kHeight) + 60 - patch + grain);
        }
    }
    return dib;
}

std::unique_ptr<AlbumDocument> Album()
{
    static const std::vector<std::string> paths = [] {
        std::vector<std::string> files;
        for (int photo = 0; photo < kDistinctPhotos; ++photo) {
            files.push_back(
                (std::filesystem::temp_directory_path() / ("bench_print_" + std::to_string(photo) + ".jpg")).string());
            if (!std::filesystem::exists(files.back()))
                WriteJPEGFile(PhotoLike(photo), files.back(), 90);
        }
        return files;
    }();
    auto album = std::make_unique<AlbumDocument>();
    album->Clear();
    std::vector<AlbumItem> made;
    for (const std::string& path : paths) {
        AlbumItem item(path);
        item.LoadPreview(album->Layout().boxWidth, album->Layout().boxHeight, AppPalette());
        made.push_back(item);
    }
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int i = 0; i < kPhotos; ++i)
        items.push_back(std::make_unique<AlbumItem>(made[static_cast<size_t>(i % kDistinctPhotos)]));
    bench::AppendItems(*album, std::move(items));
    return album;
}

void BM_AlbumToPdf(benchmark::State& state)
{
    App();
    const auto album = Album();
    const AlbumSheets sheets(*album, nullptr, {false, true, false});
    for (auto _ : state) {
        QByteArray pdf;
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setResolution(300);
            writer.setPageSize(QPageSize(QPageSize::A4));
            PrintAlbumSheets(writer, sheets, 1, sheets.Count());
        }
        state.counters["pages"] = sheets.Count();
        state.counters["MB"] = pdf.size() / 1e6;
    }
}
BENCHMARK(BM_AlbumToPdf)->Unit(benchmark::kSecond)->Iterations(1);

// The preview window: every sheet recorded from the previews, then the
// current page painted.
void BM_PreviewWindowPage(benchmark::State& state)
{
    App();
    const auto album = Album();
    const AlbumSheets sheets(*album, nullptr, {false, true, true});
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewWidget preview(&printer);
    preview.resize(900, 1000);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested, &preview,
                     [&sheets](QPrinter* p) { PrintAlbumSheets(*p, sheets, 1, sheets.Count()); });
    preview.show();
    for (auto _ : state) {
        preview.updatePreview();
        preview.setCurrentPage(21);
        const QPixmap shown = preview.grab();
        benchmark::DoNotOptimize(shown.cacheKey());
    }
}
BENCHMARK(BM_PreviewWindowPage)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace lumora
