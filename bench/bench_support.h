#pragma once
// What several benchmarks share: camera-like pictures to write as JPEG files,
// and timing a shell command against our own code.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

#include <memory>
#include <vector>

#include "core/album/album_document.h"
#include "core/picture/picture.h"

namespace lumora::bench {

// A photo-like picture: smooth light with some grain, which compresses and
// decodes like a real photograph rather than a flat or random one (about
// 3 MB at quality 85 for 4000 x 3000). `seed` shifts its colours.
inline Picture PhotoLikePicture(int width, int height, unsigned seed)
{
    Picture dib = Picture::Make(width, height, 24);
    std::mt19937 rng(seed);
    uint8_t* pixels = dib.Pixels();
    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(width), 24);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = pixels + static_cast<uint64_t>(y) * stride;
        for (int x = 0; x < width; ++x, p += 3) {
            const int grain = static_cast<int>(rng() % 24);
            p[0] = static_cast<uint8_t>((x * 255 / width + seed * 40 + grain) & 0xFF);
            p[1] = static_cast<uint8_t>((y * 255 / height + grain) & 0xFF);
            p[2] = static_cast<uint8_t>(((x + y) * 128 / (width + height) + 100 + grain) & 0xFF);
        }
    }
    return dib;
}

// Appends `items` to `doc` through one insertion step, then forgets the
// step: the album as built is where the benchmark starts, saved.
inline void AppendItems(AlbumDocument& doc, std::vector<std::unique_ptr<AlbumItem>> items)
{
    doc.Perform(MakeInsertion(doc, doc.ItemCount(), std::move(items), InsertionKind::Paste));
    doc.ClearHistory();
    doc.MarkSaved();
}

// Runs `command` through the shell once per iteration; a failure ends the
// benchmark with the command named.
inline void RunShell(benchmark::State& state, const std::string& command)
{
    for (auto _ : state)
        if (std::system(command.c_str()) != 0)
            state.SkipWithError(("failed: " + command).c_str());
}

}  // namespace lumora::bench
