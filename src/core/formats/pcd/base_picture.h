#pragma once
// The uncompressed pictures of a pack: rows in pairs, each pair stored as
// two full luma rows followed by one half-width row of each chroma
// component, shared by both luma rows.
#include <cstdint>

#include "core/formats/pcd/pcd_errors.h"
#include "core/formats/pcd/pcd_plane.h"
#include "core/formats/pcd/sector_reader.h"

namespace lumora::pcd {

struct YccPlanes {
    PcdPlane luma, chroma1, chroma2;
};

// Reads a width x height picture at the reader's position into the top-left
// corners of the planes (luma full size, chroma halved), which must have
// room for it (else error 3). Stops at the first short read (error 1): the
// rows not delivered keep the planes' fill.
bool ReadRowPairs(SectorReader& reader, uint32_t width, uint32_t height, YccPlanes& planes,
                  PcdErrorLog& errors);

}  // namespace lumora::pcd
