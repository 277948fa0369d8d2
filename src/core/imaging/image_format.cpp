#include "core/imaging/image_format.h"

#include <algorithm>
#include <cctype>

#include "core/imaging/bmp_reader.h"
#include "core/imaging/gif_reader.h"
#include "core/imaging/jpeg_reader.h"
#include "core/imaging/pcd/photo_cd.h"
#include "core/imaging/pcx_reader.h"
#include "core/imaging/tga_reader.h"
#include "core/imaging/tiff_reader.h"
#include "core/platform/file.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

std::string LastThreeUpper(const std::string& path)
{
    std::string tail = path.size() >= 3 ? path.substr(path.size() - 3) : path;
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return tail;
}

}  // namespace

int ImageFormat(const std::string& path)
{
    static const char* const kExtensions[] = {"BMP", "PCX", "GIF", "JPG", "RLE",
                                              "DIB", "PCD", "TGA", "TIF"};
    const std::string tail = LastThreeUpper(path);
    for (int code = 0; code < 9; ++code)
        if (tail == kExtensions[code])
            return code;
    return kFormatUnknown;
}

std::string ImageTypeName(const std::string& path)
{
    struct Name {
        const char* extension;
        int stringId;
    };
    static constexpr Name kNames[] = {
        {"BMP", kStrTypeBmp}, {"GIF", kStrTypeGif}, {"JPG", kStrTypeJpeg}, {"PCD", kStrTypePhotoCd},
        {"TIF", kStrTypeTiff}, {"TGA", kStrTypeTarga}, {"PCX", kStrTypePcx}, {"RLE", kStrTypeRle},
        {"AVI", kStrTypeAvi}, {"FLI", kStrTypeFli}, {"FLC", kStrTypeFlc}, {"MMM", kStrTypeMmm},
        {"DIB", kStrTypeDib},
    };
    const std::string tail = LastThreeUpper(path);
    for (const Name& name : kNames)
        if (tail == name.extension)
            return LoadString(name.stringId);
    return LoadString(kStrUndefined);
}

std::string PictureFilter()
{
    return LoadString(kStrPictureFilter) + LoadString(kStrPictureFilterMore);
}

HDIB ReadImageFile(const std::string& path)
{
    // Only regular files: some readers open with stdio or libtiff, which
    // would wait forever on a FIFO, and a device is no picture.
    if (!IsRegularFile(path))
        return {};
    switch (ImageFormat(path)) {
    case kFormatBMP:
    case kFormatRLE:
    case kFormatDIB: return ReadDIBFromFile(path);
    case kFormatPCX: return ReadPCXFile(path);
    case kFormatGIF: return ReadGIFFile(path);
    case kFormatJPG: return ReadJPEGFile(path);
    case kFormatPCD: return ReadPhotoCDFile(path);
    case kFormatTGA: return ReadTGAFile(path);
    case kFormatTIF: return ReadTIFFFile(path);
    default: return {};
    }
}

}  // namespace lumora
