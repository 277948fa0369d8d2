// Photo CD decoding from the page cache: the normal picture, and the large
// one with a full luma correction stream.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "core/formats/pcd/photo_cd.h"
#include "support/pcd_pack_writer.h"
#include "core/platform/file.h"

namespace {

using namespace lumora;
using namespace lumora::test::pcd;

uint8_t Luma(uint32_t x, uint32_t y) { return static_cast<uint8_t>((x * 3 + y * 5) & 0xFF); }
uint8_t Chroma1(uint32_t x, uint32_t y) { return static_cast<uint8_t>(100 + (x * 7 + y) % 90); }
uint8_t Chroma2(uint32_t x, uint32_t y) { return static_cast<uint8_t>(90 + (x + y * 11) % 100); }

// A pack with every size and a correction for every large-picture pixel,
// written once to a temporary file.
const std::string& PackPath()
{
    static const std::string path = [] {
        PackContents c = StandardContents(0, Luma, Chroma1, Chroma2);
        c.tableSector = EncodeHuffmanTable(SampleCodes());
        ResidualStreamWriter stream(SampleCodes());
        static const int values[] = {0, 1, -1, 2, -2, 0, 1, 0, -1, 50, 0};
        std::vector<int> row(1536);
        for (uint32_t y = 0; y < 1024; ++y) {
            for (uint32_t x = 0; x < 1536; ++x)
                row[x] = values[(x + 3 * y) % 11];
            stream.Row(0, y, row);
        }
        stream.End(1024);
        c.residualStream = stream.Bytes();
        const std::vector<uint8_t> bytes = BuildPack(c);
        const std::string name = "/tmp/lumora-bench-pcd.pcd";
        File file(name, File::Mode::Write);
        file.Write(bytes.data(), bytes.size());
        return name;
    }();
    return path;
}

void DecodeAtSize(benchmark::State& state)
{
    const std::string& path = PackPath();
    ReadOptions options;
    options.photoCDSize = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Picture dib = ReadPhotoCDFile(path, options).picture;
        benchmark::DoNotOptimize(dib.Data());
    }
}
BENCHMARK(DecodeAtSize)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace
