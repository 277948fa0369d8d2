// The book at any size: a Micro 12+12 album (24 photos a spread) of
// 12-megapixel JPEG files, in a 2560 x 1440 window at ratio 1 (the book
// about 3.6 times the classic size) and a 1280 x 720 window at ratio 2.
// Targets: the first frame of a spread from the previews under 30 ms; every
// photo sharp under 400 ms on 2 cores; a page-turn frame under 16 ms; the
// sharp cache never above its limit and the program under 600 MB after
// turning 40 spreads; a sharp photo within 2 levels of an area-averaged
// reduction of its original (means of 8 x 8 blocks).
// The album headers come first, before any Qt header defines its keyword
// macros: the page layouts have a field named "slots".
#include "core/album/album_layout.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <cmath>
#include <ctime>
#include <random>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_support.h"
#include "core/album/album_document.h"
#include "core/colour/palette.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "core/layout/layout_table.h"
#include "core/picture/area_reduce.h"
#include "gui/album/album_picture.h"
#include "gui/album/album_view.h"
#include "gui/album/book_pictures.h"
#include "gui/album/page_turn_frame.h"
#include "gui/album/sharp_book.h"
#include "gui/album/sharp_photos.h"
#include "gui/platform/dib_painter.h"
#include "bench_gui.h"

namespace lumora {
namespace {

constexpr int kPhotoFiles = 4;    // distinct pictures, each under many names
constexpr int kMicro = 4;         // the Micro 12+12 layout
constexpr int kSpreads = 40;

QApplication& Gui() { return bench::OffscreenApplication(); }

const BookPictures& Book() { return bench::BuiltInBook(); }

std::string Folder()
{
    static const std::string folder = [] {
        const auto path = std::filesystem::temp_directory_path() / "lumora-bench-zoom";
        std::filesystem::create_directories(path);
        return path.string();
    }();
    return folder;
}

// Photo n of the album: one of the few 12-megapixel files under a name of
// its own, so that every photo is read from a file of its own name.
std::string PhotoPath(int n)
{
    const std::string original = Folder() + "/photo" + std::to_string(n % kPhotoFiles) + ".jpg";
    if (!std::filesystem::exists(original))
        WriteJPEGFile(bench::PhotoLikePicture(4000, 3000, static_cast<unsigned>(n % kPhotoFiles)), original, 85);
    const std::string alias = Folder() + "/p" + std::to_string(n) + ".jpg";
    if (!std::filesystem::exists(alias))
        std::filesystem::create_symlink(original, alias);
    return alias;
}

// The album of `spreads` full spreads; previews made once per file and
// copied into each photo.
std::shared_ptr<AlbumDocument> MicroAlbum(int spreads)
{
    auto doc = std::make_shared<AlbumDocument>();
    doc->Clear();
    EditSettings(*doc, [](AlbumSettings& s) {
        s.layout = BookLayout::Micro;
        s.flyleaf = false;
    });
    const Size box = BoxSize(LayoutAt(kMicro));
    std::vector<std::unique_ptr<AlbumItem>> made;
    for (int n = 0; n < kPhotoFiles; ++n) {
        auto item = std::make_unique<AlbumItem>(PhotoPath(n));
        item->LoadPreview(static_cast<uint16_t>(box.width), static_cast<uint16_t>(box.height), AppPalette());
        made.push_back(std::move(item));
    }
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int n = 0; n < spreads * 24; ++n) {
        auto item = std::make_unique<AlbumItem>(PhotoPath(n));
        const AlbumItem& model = *made[static_cast<size_t>(n % kPhotoFiles)];
        item->preview.Attach(model.preview.Image().Clone());
        items.push_back(std::move(item));
    }
    bench::AppendItems(*doc, std::move(items));
    return doc;
}

double ProcessCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Screen {
    QSize client;
    double ratio;
};
const Screen kScreens[] = {{{2560, 1440}, 1.0}, {{1280, 720}, 2.0}};

void FirstFramePreviewsOnly(benchmark::State& state)
{
    Gui();
    const Screen screen = kScreens[state.range(0)];
    const auto doc = MicroAlbum(2);
    for (auto _ : state) {
        const QImage frame = DrawAlbumWindow(*doc, Book(), {true, false}, {screen.client, {true, 1.0}, screen.ratio},
                                             {2, 14});
        benchmark::DoNotOptimize(frame.constBits());
    }
}
BENCHMARK(FirstFramePreviewsOnly)->ArgName("screen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A spread first shown: previews, the 24 photos read sharp, the frame again.
void EveryPhotoSharp(benchmark::State& state)
{
    Gui();
    const Screen screen = kScreens[state.range(0)];
    const auto doc = MicroAlbum(2);
    size_t cached = 0;
    double processSeconds = 0;
    for (auto _ : state) {
        const double before = ProcessCpuSeconds();
        SharpPhotos sharp;
        const QImage frame = DrawAlbumWindow(*doc, Book(), {true, false}, {screen.client, {true, 1.0}, screen.ratio},
                                             {2, 14}, &sharp);
        benchmark::DoNotOptimize(frame.constBits());
        cached = sharp.Cache().Count();
        processSeconds += ProcessCpuSeconds() - before;
    }
    state.counters["sharp_photos"] = static_cast<double>(cached);
    // The work of every thread, which a machine busy with other programs
    // changes far less than the time it takes.
    state.counters["cpu_all_threads_ms"] =
        benchmark::Counter(processSeconds * 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(EveryPhotoSharp)->ArgName("screen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The book's artwork made for a level the first time a painting needs it
// (decoding the five pieces at that level and cutting the four pictures).
void BookArtworkAtLevel(benchmark::State& state)
{
    Gui();
    const int level = static_cast<int>(state.range(0));
    for (auto _ : state) {
        const auto sharp = SharpBook::FromResources();
        if (!sharp || !sharp->AtLevel(level)) {
            state.SkipWithError("no artwork at that level");
            return;
        }
    }
}
BENCHMARK(BookArtworkAtLevel)->ArgName("level")->Arg(2)->Arg(4)->Arg(8)->Unit(benchmark::kMillisecond);

void PageTurnAnimationFrame(benchmark::State& state)
{
    Gui();
    const Screen screen = kScreens[state.range(0)];
    const auto doc = MicroAlbum(2);
    SharpPhotos sharp;
    const QImage shown = DrawAlbumWindow(*doc, Book(), {true, false}, {screen.client, {true, 1.0}, screen.ratio},
                                         {2, 14}, &sharp);
    const Size client{screen.client.width(), screen.client.height()};
    const ViewTransform view = PlaceBook(client, FittedZoom(client), {0, 0}, screen.ratio);
    int frame = 0;
    for (auto _ : state) {
        const QImage turned = PageTurnFrame(shown, frame++ % 15, true, view);
        benchmark::DoNotOptimize(turned.constBits());
    }
}
BENCHMARK(PageTurnAnimationFrame)->ArgName("screen")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

long PeakResidentKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

// Forty spreads turned in a real album view, each shown sharp before the
// next: the cache's largest size and the program's peak memory.
void TurnFortySpreads(benchmark::State& state)
{
    Gui();
    Preferences prefs;
    prefs.animatePages = false;
    prefs.fastBitmaps = false;
    const auto doc = MicroAlbum(kSpreads);
    size_t largest = 0, limit = 0;
    for (auto _ : state) {
        AlbumView view(doc, Book(), prefs);
        view.resize(2560, 1440);
        view.show();
        for (int spread = 0; spread < kSpreads; ++spread) {
            view.SetPosition(2 * spread + 2);
            view.Render();
            view.Sharp().WaitForReads();
            largest = std::max(largest, view.Sharp().Cache().Bytes());
            benchmark::DoNotOptimize(view.Render().constBits());
        }
        limit = view.Sharp().Cache().Limit();
    }
    state.counters["cache_peak_MB"] = static_cast<double>(largest) / (1 << 20);
    state.counters["cache_limit_MB"] = static_cast<double>(limit) / (1 << 20);
    state.counters["peak_RSS_MB"] = static_cast<double>(PeakResidentKilobytes()) / 1024;
}
BENCHMARK(TurnFortySpreads)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// A 12-megapixel photo of smooth gradients and grain whose channels stay
// within 0..255: the album's photos wrap a channel from 255 to 0 pixel by
// pixel in one band, where any decode reduced inside the transform (libjpeg's
// own eighth too) gives the clipped mean of a block rather than the mean of
// clipped pixels, up to 25 levels apart.
std::string PhotoWithoutWrapPath()
{
    const std::string path = Folder() + "/smooth.jpg";
    if (!std::filesystem::exists(path)) {
        constexpr int kWidth = 4000, kHeight = 3000;
        Picture picture = Picture::Make(kWidth, kHeight, 24);
        std::mt19937 rng(7);
        for (int y = 0; y < kHeight; ++y) {
            uint8_t* p = picture.Pixels() + static_cast<uint64_t>(y) * picture.RowBytes();
            for (int x = 0; x < kWidth; ++x, p += 3) {
                const int grain = static_cast<int>(rng() % 24);
                p[0] = static_cast<uint8_t>(x * 220 / kWidth + grain);
                p[1] = static_cast<uint8_t>(y * 220 / kHeight + grain);
                p[2] = static_cast<uint8_t>((x + y) * 110 / (kWidth + kHeight) + 100 + grain);
            }
        }
        WriteJPEGFile(picture, path, 85);
    }
    return path;
}

// A photo at zoom 3.6 against an area-averaged reduction of its original
// to the same size: the mean difference of 8 x 8 block means (as the
// previews' quality test measures it), and the largest. Argument 0: one of
// the album's photos; 1: the photo without wrapping channels.
void SharpnessAgainstTheOriginal(benchmark::State& state)
{
    Gui();
    const std::string path = state.range(0) == 0 ? PhotoPath(0) : PhotoWithoutWrapPath();
    // The original in true colour.
    const Picture original = ReadJPEGFile(path).picture;
    const Size box = BoxSize(LayoutAt(kMicro));
    const QSize device(static_cast<int>(std::lround(box.width * 3.6)), static_cast<int>(std::lround(box.height * 3.6)));
    double mean = 0, worst = 0;
    for (auto _ : state) {
        SharpPhotos sharp;
        sharp.Get(path, {}, device);
        sharp.WaitForReads();
        const QImage* shown = sharp.Get(path, {}, device);
        if (!shown) {
            state.SkipWithError("no sharp picture");
            return;
        }
        const QImage reference =
            DIBToQImage(ReduceToTrueColor(original, shown->width(), shown->height())).convertToFormat(QImage::Format_RGB32);
        double total = 0;
        int blocks = 0;
        worst = 0;
        for (int by = 0; by + 8 <= shown->height(); by += 8)
            for (int bx = 0; bx + 8 <= shown->width(); bx += 8)
                for (const int shift : {16, 8, 0}) {  // red, green, blue
                    double a = 0, b = 0;
                    for (int y = by; y < by + 8; ++y)
                        for (int x = bx; x < bx + 8; ++x) {
                            a += (shown->pixel(x, y) >> shift) & 0xFF;
                            b += (reference.pixel(x, y) >> shift) & 0xFF;
                        }
                    const double difference = std::abs(a - b) / 64;
                    total += difference;
                    worst = std::max(worst, difference);
                    ++blocks;
                }
        mean = blocks ? total / blocks : 0;
    }
    state.counters["block_mean_diff"] = mean;
    state.counters["block_mean_max_diff"] = worst;
}
BENCHMARK(SharpnessAgainstTheOriginal)->ArgName("photo")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace lumora
