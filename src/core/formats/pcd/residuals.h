#pragma once
// Corrections to upsampled planes, Huffman-coded row by row: each row opens
// with the synchronisation pattern and a header naming its plane and row,
// then one code per pixel whose value is added to the sample. A row number
// equal to the plane's height closes the stream.
#include "core/formats/pcd/huffman_table.h"
#include "core/formats/pcd/pcd_errors.h"
#include "core/formats/pcd/pcd_plane.h"
#include "core/formats/pcd/sector_reader.h"

namespace lumora::pcd {

// The planes being corrected; rows for a missing chroma plane are passed
// over, rows for a missing luma plane are an error (15).
struct ResidualTargets {
    PcdPlane* luma = nullptr;
    PcdPlane* chroma1 = nullptr;
    PcdPlane* chroma2 = nullptr;
};

// Decodes the stream that starts at the reader's position until its closing
// row or the end of the pack. Every fault is raised and decoding goes on
// from the next synchronisation pattern; nothing is written outside the
// planes, and the work is bounded by the pack's length.
void DecodeResiduals(SectorReader& reader, const HuffmanTable& table,
                     const ResidualTargets& targets, PcdErrorLog& errors);

}  // namespace lumora::pcd
