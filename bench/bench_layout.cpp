#include <benchmark/benchmark.h>

#include "fake_album.h"
#include "core/layout/page_queries.h"
#include "core/layout/pagination.h"

namespace lumora {
namespace {

constexpr int kItems = 10000;

// Photos in Micro 12+12, the densest layout; with tabs, a new section every
// 37 items so that section breaks fall on both page sides.
test::FakeAlbum LargeAlbum(bool usesTabs)
{
    test::FakeAlbum album;
    album.layout = 4;
    album.usesTabs = usesTabs;
    album.tabs.clear();
    for (int i = 0; i < kItems; ++i) {
        const int tab = usesTabs ? i / 37 : 0;
        if (tab == static_cast<int>(album.tabs.size()))
            album.tabs.push_back({"Onglet"});
        album.items.push_back({tab, Size{68, 45}});
    }
    return album;
}

void BM_Paginate(benchmark::State& state)
{
    test::FakeAlbum album = LargeAlbum(state.range(0) != 0);
    for (auto _ : state) {
        Paginate(album);
        benchmark::DoNotOptimize(album.pageCount);
    }
    state.SetItemsProcessed(state.iterations() * kItems);
}
BENCHMARK(BM_Paginate)->Arg(0)->Arg(1)->ArgNames({"tabs"})->Unit(benchmark::kMicrosecond);

// Drawing a spread asks for the items of two pages; the last spread is the
// slowest to find.
void BM_ItemsOnLastPage(benchmark::State& state)
{
    test::FakeAlbum album = LargeAlbum(true);
    Paginate(album);
    const int lastPage = album.pageCount - 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(ItemsOnPage(album, lastPage));
}
BENCHMARK(BM_ItemsOnLastPage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace lumora
