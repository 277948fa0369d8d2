#pragma once
// Reading an image pack forwards by sectors. The reader keeps its own byte
// position: every seek goes forwards, so a pack is read in one pass.
#include <cstddef>
#include <cstdint>

#include "core/formats/byte_source.h"
#include "core/formats/pcd/pcd_errors.h"

namespace lumora::pcd {

class SectorReader {
public:
    SectorReader(ByteSource& source, PcdErrorLog& errors) : source_(source), errors_(errors) {}

    // Moves to the start of `sector`. Going backwards is a consistency error
    // (3), a failing seek a read error (1); both leave the position alone.
    bool SeekToSector(uint32_t sector);

    // Reads `count` bytes at the current position. A short read raises
    // error 1; the bytes that did arrive are in `out` and counted in the
    // return value.
    size_t ReadBytes(uint8_t* out, size_t count);
    bool ReadAll(uint8_t* out, size_t count) { return ReadBytes(out, count) == count; }

    // Reads the next whole sector into `out` (kSectorSize bytes); returns the
    // bytes read, raising error 1 when it comes short. At the end of the
    // source nothing is read and nothing raised: see AtEnd.
    size_t ReadSector(uint8_t* out);
    bool AtEnd() const { return position_ >= source_.Length(); }

    uint64_t Position() const { return position_; }

private:
    ByteSource& source_;
    PcdErrorLog& errors_;
    uint64_t position_ = 0;
};

}  // namespace lumora::pcd
