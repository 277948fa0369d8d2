// Opening and saving a large album, against reading its bytes alone.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>
#include <filesystem>
#include <memory>
#include <vector>

#include "core/album/album_document.h"
#include "core/colour/palette.h"
#include "core/platform/file.h"
#include "bench_support.h"

namespace lumora {
namespace {

constexpr int kPhotos = 2000;

// A 2000-photo album with 185 x 140 previews of 8 bits (the argument 8) or
// 24 bits (24, the default previews), written once each.
std::string MakeLargeAlbum(int bits)
{
    {
        const std::string file = (std::filesystem::temp_directory_path() /
                                  ("lumora-bench-album-" + std::to_string(bits) + ".qza"))
                                     .string();
        AlbumDocument doc;
        doc.Clear();
        std::vector<std::unique_ptr<AlbumItem>> items;
        for (int i = 0; i < kPhotos; ++i) {
            auto item = std::make_unique<AlbumItem>("/home/anne/photos/vacances/img" +
                                                    std::to_string(i) + ".jpg");
            item->description = "Photo numéro " + std::to_string(i);
            Picture preview = Picture::Make(185, 140, bits);
            if (bits == 8)
                FillColorTableFromPalette(preview.Data(), &AppPalette(), ColorTableMode::Rgb);
            std::memset(preview.Pixels(), i & 0xFF, PictureRowBytes(185, static_cast<uint64_t>(bits)));
            item->preview.Attach(std::move(preview));
            items.push_back(std::move(item));
        }
        bench::AppendItems(doc, std::move(items));
        doc.Save(file);
        return file;
    }
}

const std::string& LargeAlbumPath(int bits = 8)
{
    static const std::string eight = MakeLargeAlbum(8);
    static const std::string twentyFour = MakeLargeAlbum(24);
    return bits == 24 ? twentyFour : eight;
}

void BM_ReadAlbumBytes(benchmark::State& state)
{
    const std::string& path = LargeAlbumPath(static_cast<int>(state.range(0)));
    std::vector<uint8_t> buffer(32768);
    for (auto _ : state) {
        File file(path, File::Mode::Read);
        size_t total = 0, n = 0;
        while ((n = file.Read(buffer.data(), buffer.size())) > 0)
            total += n;
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_ReadAlbumBytes)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);

// The bytes read into memory of their own, as opening must keep them.
void BM_ReadAlbumBytesIntoMemory(benchmark::State& state)
{
    const std::string& path = LargeAlbumPath(static_cast<int>(state.range(0)));
    const size_t size = std::filesystem::file_size(path);
    for (auto _ : state) {
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[size]);
        File file(path, File::Mode::Read);
        for (size_t at = 0; at < size; at += 32768)
            file.Read(bytes.get() + at, std::min<size_t>(32768, size - at));
        benchmark::DoNotOptimize(bytes.get());
    }
}
BENCHMARK(BM_ReadAlbumBytesIntoMemory)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);

// Opening is measured in memory the process already has. With glibc's
// defaults, whether the previews' 155 MB go back to the kernel when an album
// closes (and are faulted in again, about 35 ms, at the next open) depends on
// what else happens to lie at the top of the heap — the benchmark's own
// set-up decided it, not the open. The thresholds are fixed so that it
// never trims; compare older builds with the same settings
// (GLIBC_TUNABLES=glibc.malloc.mmap_threshold=4194304:glibc.malloc.trim_threshold=1073741824).
void KeepFreedMemory()
{
    static const bool kept = [] {
        mallopt(M_MMAP_THRESHOLD, 4 << 20);
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        return true;
    }();
    (void)kept;
}

void BM_OpenAlbum(benchmark::State& state)
{
    KeepFreedMemory();
    const std::string& path = LargeAlbumPath(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        AlbumDocument doc;
        if (!doc.Open(path) || doc.ItemCount() != kPhotos)
            state.SkipWithError("open failed");
    }
    state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(path));
}
BENCHMARK(BM_OpenAlbum)->Arg(8)->Arg(24)->Unit(benchmark::kMillisecond);

void BM_WriteAlbumBytes(benchmark::State& state)
{
    const std::string& path = LargeAlbumPath();
    std::vector<uint8_t> bytes(std::filesystem::file_size(path));
    File(path, File::Mode::Read).Read(bytes.data(), bytes.size());
    const std::string out = path + ".raw";
    for (auto _ : state) {
        // The same bytes in the same pieces, flushed to disk as a save does.
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        for (size_t at = 0; at < bytes.size(); at += 32768)
            benchmark::DoNotOptimize(
                ::write(fd, bytes.data() + at, std::min<size_t>(32768, bytes.size() - at)));
        ::fsync(fd);
        ::close(fd);
    }
    std::filesystem::remove(out);
}
BENCHMARK(BM_WriteAlbumBytes)->Unit(benchmark::kMillisecond);

// Saving: temporary file, flush to disk, rename.
void BM_SaveAlbum(benchmark::State& state)
{
    AlbumDocument doc;
    doc.Open(LargeAlbumPath());
    const std::string out = LargeAlbumPath() + ".saved";
    for (auto _ : state)
        if (!doc.Save(out))
            state.SkipWithError("save failed");
    std::filesystem::remove(out);
}
BENCHMARK(BM_SaveAlbum)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lumora
