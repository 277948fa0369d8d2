#include "core/picture/block_pool.h"

#include <array>
#include <mutex>
#include <new>
#include <sys/mman.h>

namespace lumora {
namespace {

// Blocks from this size on are mapped directly and may be kept.
constexpr size_t kLargeBlock = size_t{1} << 20;
constexpr size_t kKeptBlocks = 2;
// A kept block is reused only if it is not much larger than needed.
constexpr size_t kMaxWasteFactor = 2;

struct Pool {
    std::mutex mutex;
    std::array<PictureBlock, kKeptBlocks> kept{};
};

Pool& ThePool()
{
    static Pool pool;
    return pool;
}

PictureBlock MapLargeBlock(size_t size)
{
    void* p = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        return {};
    ::madvise(p, size, MADV_HUGEPAGE);
    return {static_cast<uint8_t*>(p), size};
}

void UnmapLargeBlock(PictureBlock block) noexcept
{
    ::munmap(block.bytes, block.capacity);
}

}  // namespace

PictureBlock TakePictureBlock(size_t size)
{
    if (size < kLargeBlock)
        return {new (std::nothrow) uint8_t[size], size};
    {
        Pool& pool = ThePool();
        std::lock_guard lock(pool.mutex);
        for (PictureBlock& kept : pool.kept)
            if (kept.bytes && kept.capacity >= size && kept.capacity / kMaxWasteFactor <= size) {
                PictureBlock reused = kept;
                kept = {};
                return reused;
            }
    }
    return MapLargeBlock(size);
}

void GivePictureBlock(PictureBlock block) noexcept
{
    if (!block.bytes)
        return;
    if (block.capacity < kLargeBlock) {
        delete[] block.bytes;
        return;
    }
    Pool& pool = ThePool();
    std::unique_lock lock(pool.mutex);
    for (PictureBlock& kept : pool.kept)
        if (!kept.bytes) {
            kept = block;
            return;
        }
    // Keep the newest: evict the oldest slot.
    PictureBlock evicted = pool.kept[0];
    for (size_t i = 1; i < kKeptBlocks; ++i)
        pool.kept[i - 1] = pool.kept[i];
    pool.kept[kKeptBlocks - 1] = block;
    lock.unlock();
    UnmapLargeBlock(evicted);
}

void ReleaseKeptPictureBlocks() noexcept
{
    Pool& pool = ThePool();
    std::lock_guard lock(pool.mutex);
    for (PictureBlock& kept : pool.kept) {
        if (kept.bytes)
            UnmapLargeBlock(kept);
        kept = {};
    }
}

}  // namespace lumora
