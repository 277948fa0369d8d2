#include "core/properties/photo_properties.h"

#include "core/album/album_item.h"
#include "core/formats/image_format.h"
#include "core/res/strings.h"

namespace lumora {

PhotoProperties DescribePhoto(const AlbumItem& photo)
{
    const std::string format = ImageTypeName(photo.imagePath);
    const std::string colours = ColorDepthName(photo.bitsPerPixel);
    const std::string bytes = std::to_string(photo.imageFileSize);
    return {FileNamePart(photo.imagePath),
            FormatString(kStrPictureProperties, format.c_str(), photo.imageWidth, photo.imageHeight,
                         colours.c_str(), bytes.c_str())};
}

}  // namespace lumora
