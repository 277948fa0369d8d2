// Gathering an album against the shell: a hundred 3 MB JPEG photos (4000 x
// 3000) gathered into a fresh folder on the same disk, copied as they are
// (against `cp -r` of the same files) and converted to JPEG at quality 75
// (against `djpeg | cjpeg -quality 75` run on each file in turn).
//   build/bench/bench_gather
// LUMORA_BENCH_GATHER_PHOTOS sets another number of photos. The files stay
// in the page cache between runs, for the gather and the shell alike.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/album/album_document.h"
#include "core/formats/jpeg_writer.h"
#include "core/platform/services.h"
#include "core/gather/gather.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 4000, kHeight = 3000;
constexpr int kCompression = 25;  // quality 75

int PhotoCount()
{
    const char* text = std::getenv("LUMORA_BENCH_GATHER_PHOTOS");
    return text && std::atoi(text) > 0 ? std::atoi(text) : 100;
}

const fs::path& Root()
{
    static const fs::path root = fs::temp_directory_path() / "lumora-bench-gather";
    return root;
}

// The album and its photos, written once per run.
struct Source {
    std::string album;
    std::vector<std::string> photos;
    uintmax_t bytes = 0;
};

const Source& TheSource()
{
    static const Source source = [] {
        Source s;
        const fs::path dir = Root() / "source";
        fs::remove_all(Root());
        fs::create_directories(dir);
        const auto jpeg = EncodeJPEG(bench::PhotoLikePicture(kWidth, kHeight, 7), 85);
        AlbumDocument doc;
        doc.Clear();
        std::vector<std::unique_ptr<AlbumItem>> items;
        for (int i = 0; i < PhotoCount(); ++i) {
            s.photos.push_back((dir / ("photo" + std::to_string(i) + ".jpg")).string());
            FILE* file = std::fopen(s.photos.back().c_str(), "wb");
            std::fwrite(jpeg->data(), 1, jpeg->size(), file);
            std::fclose(file);
            s.bytes += jpeg->size();
            items.push_back(std::make_unique<AlbumItem>(s.photos.back()));
        }
        bench::AppendItems(doc, std::move(items));
        s.album = (dir / "album.qza").string();
        doc.Save(s.album);
        return s;
    }();
    return source;
}

// A fresh destination for each iteration, emptied outside the timing.
std::string FreshDestination(benchmark::State& state)
{
    state.PauseTiming();
    const fs::path destination = Root() / "destination";
    fs::remove_all(destination);
    fs::create_directories(destination.parent_path());
    state.ResumeTiming();
    return destination.string();
}

void Shell(const std::string& command, benchmark::State& state)
{
    if (std::system(command.c_str()) != 0)
        state.SkipWithError(("failed: " + command).c_str());
}

void Report(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(TheSource().bytes));
    state.counters["photos"] = PhotoCount();
    state.counters["MB_per_photo"] = static_cast<double>(TheSource().bytes) / PhotoCount() / 1e6;
}

void BM_GatherCopy(benchmark::State& state)
{
    const Source& source = TheSource();
    AlbumDocument doc;
    doc.Open(source.album);
    for (auto _ : state) {
        const std::string destination = FreshDestination(state);
        fs::create_directories(destination);
        const GatherResult result = RunGather(doc, source.album, destination, {false, false, false, 50}, {});
        if (result.outcome != GatherOutcome::Done)
            state.SkipWithError("gather failed");
    }
    Report(state);
}
BENCHMARK(BM_GatherCopy)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_ShellCpR(benchmark::State& state)
{
    const Source& source = TheSource();
    const std::string from = fs::path(source.album).parent_path().string();
    for (auto _ : state) {
        const std::string destination = FreshDestination(state);
        Shell("cp -r '" + from + "' '" + destination + "'", state);
    }
    Report(state);
}
BENCHMARK(BM_ShellCpR)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_GatherConvert(benchmark::State& state)
{
    const Source& source = TheSource();
    AlbumDocument doc;
    doc.Open(source.album);
    for (auto _ : state) {
        const std::string destination = FreshDestination(state);
        fs::create_directories(destination);
        const GatherResult result =
            RunGather(doc, source.album, destination, {true, false, false, kCompression}, {});
        if (result.outcome != GatherOutcome::Done)
            state.SkipWithError("gather failed");
    }
    Report(state);
}
BENCHMARK(BM_GatherConvert)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_ShellDjpegCjpeg(benchmark::State& state)
{
    const Source& source = TheSource();
    for (auto _ : state) {
        const std::string destination = FreshDestination(state);
        std::string script = "mkdir -p '" + destination + "' && cp '" + source.album + "' '" + destination + "'";
        for (size_t i = 0; i < source.photos.size(); ++i)
            script += " && djpeg '" + source.photos[i] + "' | cjpeg -quality " + std::to_string(100 - kCompression) +
                      " > '" + destination + "/photo" + std::to_string(i) + ".JPG'";
        Shell(script, state);
    }
    Report(state);
}
BENCHMARK(BM_ShellDjpegCjpeg)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace
}  // namespace lumora
