#include "core/formats/pcd/base_picture.h"

namespace lumora::pcd {
namespace {

bool HasRoom(const PcdPlane& plane, uint32_t width, uint32_t height)
{
    return plane && plane.allocWidth >= width && plane.allocHeight >= height;
}

}  // namespace

bool ReadRowPairs(SectorReader& reader, uint32_t width, uint32_t height, YccPlanes& planes,
                  PcdErrorLog& errors)
{
    const uint32_t half = width / 2;
    if (!HasRoom(planes.luma, width, height) || !HasRoom(planes.chroma1, half, height / 2) ||
        !HasRoom(planes.chroma2, half, height / 2)) {
        errors.Raise(kPcdErrConsistency);
        return false;
    }
    planes.luma.width = width;
    planes.luma.height = height;
    for (PcdPlane* chroma : {&planes.chroma1, &planes.chroma2}) {
        chroma->width = half;
        chroma->height = height / 2;
    }
    for (uint32_t pair = 0; pair < height / 2; ++pair) {
        if (!reader.ReadAll(planes.luma.Row(2 * pair), width) ||
            !reader.ReadAll(planes.luma.Row(2 * pair + 1), width) ||
            !reader.ReadAll(planes.chroma1.Row(pair), half) ||
            !reader.ReadAll(planes.chroma2.Row(pair), half))
            return false;
    }
    return true;
}

}  // namespace lumora::pcd
