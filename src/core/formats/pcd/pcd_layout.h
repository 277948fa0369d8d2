#pragma once
// Where things are in a Photo CD image pack: a run of 2048-byte sectors
// holding the same picture at several resolutions, smallest first.
#include <cstdint>

namespace lumora::pcd {

constexpr uint32_t kSectorSize = 2048;

// Sector 1 carries the pack's attributes; bits 0-1 of this byte say how the
// picture was turned when scanned.
constexpr uint32_t kAttributeSector = 1;
constexpr uint32_t kOrientationOffset = 0x602;

// The resolutions a reader can ask for, by the preference's size code.
enum class PcdSize { Mini = 0, Medium = 1, Normal = 2, Large = 3 };

struct PictureGeometry {
    uint32_t width;        // upright landscape picture, as stored
    uint32_t height;
    uint32_t startSector;  // first sector of the uncompressed rows
};

constexpr PictureGeometry kMiniPicture{192, 128, 4};
constexpr PictureGeometry kMediumPicture{384, 256, 23};
constexpr PictureGeometry kNormalPicture{768, 512, 96};
// The largest size keeps no rows of its own: it is the normal picture
// doubled, with a luma correction coded after one Huffman table.
constexpr uint32_t kLargeWidth = 1536;
constexpr uint32_t kLargeHeight = 1024;
constexpr uint32_t kLargeTableSector = 388;
constexpr uint32_t kLargeResidualSector = 389;

// Any size code but 0..3 means the normal picture.
constexpr PcdSize SizeFromCode(int code)
{
    return code >= 0 && code <= 3 ? static_cast<PcdSize>(code) : PcdSize::Normal;
}

// Planes start filled with these samples, so rows a short file never
// delivered come out mid-grey (128, 128, 128) instead of leftover memory.
constexpr uint8_t kNeutralLuma = 94;
constexpr uint8_t kNeutralChroma1 = 156;
constexpr uint8_t kNeutralChroma2 = 137;

}  // namespace lumora::pcd
