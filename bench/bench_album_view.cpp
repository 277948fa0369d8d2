// Painting a full spread of a Micro 12+12 album (24 photos) offscreen, with
// photos drawn from their screen copies and from their previews.
// The album headers come first, before any Qt header defines its keyword
// macros: the page layouts have a field named "slots".
#include "core/album/album_layout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>

#include "core/platform/services.h"
#include "gui/album/book_pictures.h"
#include "gui/platform/ini_preferences.h"
#include "gui/album/album_painter.h"
#include "gui/album/album_view.h"
#include "gui/album/fast_bitmap.h"
#include "bench_gui.h"
#include "bench_support.h"

namespace lumora {
namespace {

QApplication& Gui() { return bench::OffscreenApplication(); }

const BookPictures& Book() { return bench::BuiltInBook(); }

// 36 photos of 68 x 51 (items 12 to 35 fill pages 1 and 2), titles and page
// numbers on, positioning corners or no frame.
std::unique_ptr<AlbumDocument> MicroAlbum(int frameStyle)
{
    auto doc = std::make_unique<AlbumDocument>();
    doc->Clear();
    EditSettings(*doc, [&](AlbumSettings& s) { s.layout = BookLayout::Micro; });
    EditSettings(*doc, [&](AlbumSettings& s) { s.frameStyle = static_cast<FrameStyle>(frameStyle); });
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int i = 0; i < 36; ++i) {
        auto item = std::make_unique<AlbumItem>("photo.bmp");
        Picture preview = Picture::Make(68, 51, 24);
        std::fill(preview.Pixels(), preview.Pixels() + PictureRowBytes(68, 24) * 51,
                  static_cast<uint8_t>(i * 7));
        item->preview.Attach(std::move(preview));
        item->MakeFastBitmap();
        items.push_back(std::move(item));
    }
    bench::AppendItems(*doc, std::move(items));
    return doc;
}

void PaintSpread(benchmark::State& state)
{
    Gui();
    EnableFastBitmaps();
    const bool fast = state.range(0) != 0;
    const auto doc = MicroAlbum(static_cast<int>(state.range(1)));
    const AlbumPainter painter(doc.get(), Book(), {true, fast});
    QImage image(580, 392, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        painter.OnDraw(p, image.size(), {2, 14});
        p.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(PaintSpread)->ArgNames({"fast", "frame"})->Args({1, 0})->Args({0, 0})->Args({1, 1})->Args({1, 2});

// One page turn in a shown album window: fifteen frames of the outline.
void PageTurn(benchmark::State& state)
{
    Gui();
    Preferences prefs;
    AlbumView view(MicroAlbum(1), Book(), prefs);
    view.resize(580, 392);
    view.show();
    view.SetPosition(2);
    QCoreApplication::processEvents();
    for (auto _ : state)
        view.AnimatePageTurn(state.range(0) != 0);
}
BENCHMARK(PageTurn)->ArgName("forward")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(8);

}  // namespace
}  // namespace lumora
