#include "core/formats/pcd/residual_bits.h"

namespace lumora::pcd {

constexpr uint32_t kByteSkipMask = 0x01FFFE;

bool ResidualBits::LoadSector()
{
    if (ended_)
        return false;
    const bool atEnd = reader_.AtEnd();
    sectorBytes_ = atEnd ? 0 : static_cast<uint32_t>(reader_.ReadSector(sector_.data()));
    sectorPos_ = 0;
    if (sectorBytes_ < kSectorSize) {
        // A short sector is the last one: what arrived is still decoded.
        cameShort_ = cameShort_ || !atEnd;
        ended_ = true;
    }
    return sectorBytes_ > 0;
}

bool ResidualBits::FindSync(uint64_t bitLimit)
{
    for (;;) {
        if (Available() < kSyncBits || consumed_ + kSyncBits > bitLimit)
            return false;
        const uint32_t window = Peek(kSyncBits);
        if (window == kSyncPattern)
            return true;
        // A pattern starting in the next eight bits would make window bits
        // 7 to 22 all ones; without them a whole byte can go. (Testing only
        // the top twelve bits could jump into a pattern that is not
        // byte-aligned and lose its row.)
        Skip((window & kByteSkipMask) == kByteSkipMask ? 1 : 8);
    }
}

}  // namespace lumora::pcd
