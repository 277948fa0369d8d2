#include "imaging/image_format.h"

#include <algorithm>
#include <cctype>

#include "imaging/bmp_reader.h"
#include "imaging/gif_reader.h"
#include "imaging/jpeg_reader.h"
#include "imaging/pcd/photo_cd.h"
#include "imaging/pcx_reader.h"
#include "imaging/tga_reader.h"
#include "imaging/tiff_reader.h"
#include "res/strings.h"

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
        {"BMP", 55018}, {"GIF", 55020}, {"JPG", 55021}, {"PCD", 55022}, {"TIF", 55085},
        {"TGA", 55084}, {"PCX", 55023}, {"RLE", 55024}, {"AVI", 55025}, {"FLI", 55026},
        {"FLC", 55027}, {"MMM", 55028}, {"DIB", 55019},
    };
    const std::string tail = LastThreeUpper(path);
    for (const Name& name : kNames)
        if (tail == name.extension)
            return LoadString(name.stringId);
    return LoadString(55014);
}

std::string PictureFilter()
{
    return LoadString(55007) + LoadString(55086);
}

HDIB ReadImageFile(const std::string& path)
{
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
