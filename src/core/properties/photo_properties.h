#pragma once
// What the properties window shows for a photo of an album: its file name
// (as the file has it) and one properties text with the picture's format,
// size, colours and bytes.
#include <string>

namespace lumora {

class AlbumItem;

struct PhotoProperties {
    std::string fileName;
    std::string text;  // "FORMAT\nWxH, COLOURS couleurs, BYTES octets"
};

PhotoProperties DescribePhoto(const AlbumItem& photo);

}  // namespace lumora
