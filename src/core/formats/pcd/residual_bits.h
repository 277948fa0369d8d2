#pragma once
// The residual stream as bits, most significant first, read one sector at a
// time. The window is refilled a byte at a time; the stream ends where the
// pack does.
#include <array>
#include <cstdint>

#include "core/formats/pcd/pcd_layout.h"
#include "core/formats/pcd/sector_reader.h"

namespace lumora::pcd {

constexpr uint32_t kSyncPattern = 0xFFFFFE;
constexpr unsigned kSyncBits = 24;
constexpr unsigned kRowHeaderBits = 16;

class ResidualBits {
public:
    explicit ResidualBits(SectorReader& reader) : reader_(reader) {}

    // Bits still in the stream, at most 64 counted (enough for any peek).
    unsigned Available()
    {
        Refill();
        return count_;
    }
    // The next n bits (n <= 32); zeros past the end of the stream.
    uint32_t Peek(unsigned n) const { return static_cast<uint32_t>(window_ >> (64 - n)); }
    void Skip(unsigned n)
    {
        if (n > count_)
            n = count_;
        window_ = n >= 64 ? 0 : window_ << n;
        count_ -= n;
        consumed_ += n;
    }
    bool AtSync() { return Available() >= kSyncBits && Peek(kSyncBits) == kSyncPattern; }

    // Moves to the next synchronisation pattern: whole bytes while none can
    // start within them, then single bits. Gives up (false) at the end
    // of the stream or, when `bitLimit` is given, past that many bits from
    // the stream's start.
    bool FindSync(uint64_t bitLimit = UINT64_MAX);

    uint64_t BitPosition() const { return consumed_; }
    // True when a sector came short (error 1 already raised).
    bool CameShort() const { return cameShort_; }

private:
    void Refill()
    {
        while (count_ <= 56) {
            if (sectorPos_ == sectorBytes_ && !LoadSector())
                return;
            window_ |= uint64_t{sector_[sectorPos_++]} << (56 - count_);
            count_ += 8;
        }
    }
    bool LoadSector();

    SectorReader& reader_;
    std::array<uint8_t, kSectorSize> sector_{};
    uint32_t sectorBytes_ = 0;
    uint32_t sectorPos_ = 0;
    uint64_t window_ = 0;   // left-aligned
    unsigned count_ = 0;    // valid bits in the window
    uint64_t consumed_ = 0;
    bool ended_ = false;
    bool cameShort_ = false;
};

}  // namespace lumora::pcd
