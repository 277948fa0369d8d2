#include "core/formats/pcd/sector_reader.h"

#include "core/formats/pcd/pcd_layout.h"

namespace lumora::pcd {

bool SectorReader::SeekToSector(uint32_t sector)
{
    const uint64_t target = uint64_t{sector} * kSectorSize;
    if (target < position_) {
        errors_.Raise(kPcdErrConsistency);
        return false;
    }
    if (target == position_)
        return true;
    if (!source_.SeekTo(target)) {
        errors_.Raise(kPcdErrRead);
        return false;
    }
    position_ = target;
    return true;
}

size_t SectorReader::ReadBytes(uint8_t* out, size_t count)
{
    size_t done = 0;
    // A source may hand over less than asked before its end; keep asking
    // until it delivers nothing.
    while (done < count) {
        const size_t n = source_.Read(out + done, count - done);
        if (n == 0)
            break;
        done += n;
    }
    position_ += done;
    if (done < count)
        errors_.Raise(kPcdErrRead);
    return done;
}

size_t SectorReader::ReadSector(uint8_t* out)
{
    if (AtEnd())
        return 0;
    return ReadBytes(out, kSectorSize);
}

}  // namespace lumora::pcd
