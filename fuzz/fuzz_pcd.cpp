// Photo CD packs from anywhere. The first byte picks what is exercised:
// the whole reader at one of its sizes, or (odd values) the luma
// correction decoder alone on a small plane, with the table and the stream
// taken from the rest of the input. Nothing may read or write outside the
// planes, and every run must end.
#include <cstddef>
#include <cstdint>

#include "core/formats/pcd/huffman_table.h"
#include "core/formats/pcd/photo_cd.h"
#include "core/formats/pcd/residuals.h"

namespace {

using namespace lumora;
using namespace lumora::pcd;

void FuzzResiduals(const uint8_t* data, size_t size)
{
    if (size < 1)
        return;
    const size_t tableBytes = 1 + (size_t{data[0]} + 1) * 4;
    if (size < tableBytes)
        return;
    PcdErrorLog errors;
    const HuffmanTable table = HuffmanTable::Parse({data, tableBytes}, errors);
    PcdPlane luma = AllocatePlane(48, 16, 48, 16, 94, errors);
    PcdPlane chroma = AllocatePlane(24, 8, 24, 8, 156, errors);
    MemorySource source({data + tableBytes, size - tableBytes});
    SectorReader reader(source, errors);
    DecodeResiduals(reader, table, ResidualTargets{.luma = &luma, .chroma1 = &chroma}, errors);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t mode = data[0];
    if (mode & 1) {
        FuzzResiduals(data + 1, size - 1);
        return 0;
    }
    MemorySource source({data + 1, size - 1});
    ReadOptions options;
    options.photoCDSize = (mode >> 1) & 3;
    const ReadResult read = ReadPhotoCDFromSource(source, options);
    if (static_cast<bool>(read.picture) != (read.error == ReadError::None))
        __builtin_trap();
    const Picture& dib = read.picture;
    // A file without the pack's signature gives no picture; every pack that
    // can be read gives a well-formed one.
    if (dib && !IsValidPicture(dib.Bytes()))
        __builtin_trap();
    return 0;
}
