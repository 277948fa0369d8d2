#include "core/formats/image_format.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "core/formats/bmp_reader.h"
#include "core/formats/gif_reader.h"
#include "core/formats/heif_reader.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/pcd/photo_cd.h"
#include "core/formats/pcx_reader.h"
#include "core/picture/dib_errors.h"
#include "core/formats/png_reader.h"
#include "core/formats/tga_reader.h"
#include "core/formats/tiff_reader.h"
#include "core/formats/webp_reader.h"
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

// What follows the last dot of the file name, in capitals.
std::string ExtensionUpper(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return {};
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return extension;
}

struct Extension {
    const char* text;
    int code;
};
constexpr Extension kModernExtensions[] = {
    {"JPEG", kFormatJPG}, {"JFIF", kFormatJPG}, {"TIFF", kFormatTIF}, {"PNG", kFormatPNG},
    {"WEBP", kFormatWEBP}, {"HEIC", kFormatHEIF}, {"HEIF", kFormatHEIF}, {"AVIF", kFormatHEIF},
};

}  // namespace

int ImageFormat(const std::string& path)
{
    const std::string extension = ExtensionUpper(path);
    for (const Extension& modern : kModernExtensions)
        if (extension == modern.text)
            return modern.code;
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
    switch (ImageFormat(path)) {
    case kFormatJPG: return LoadString(kStrTypeJpeg);
    case kFormatTIF: return LoadString(kStrTypeTiff);
    case kFormatPNG: return LoadString(kStrTypePng);
    case kFormatWEBP: return LoadString(kStrTypeWebp);
    case kFormatHEIF: return LoadString(kStrTypeHeif);
    default: break;
    }
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

namespace {

ReadResult ReadByKind(const PictureFile& file, int format, const ReadOptions& options)
{
    switch (format) {
    case kFormatBMP:
    case kFormatRLE:
    case kFormatDIB: return ReadDIBFromFile(file, options);
    case kFormatPCX: return ReadPCXFile(file, options);
    case kFormatGIF: return ReadGIFFile(file, options);
    case kFormatJPG: return ReadJPEGFile(file, options);
    case kFormatPCD: return ReadPhotoCDFile(file, options);
    case kFormatTGA: return ReadTGAFile(file, options);
    case kFormatTIF: return ReadTIFFFile(file, options);
    case kFormatPNG: return ReadPNGFile(file, options);
    case kFormatWEBP: return ReadWebPFile(file, options);
    case kFormatHEIF: return ReadHEIFFile(file, options);
    default: return ReadFailed(ReadError::NotThisType);
    }
}

}  // namespace

ReadResult ReadPictureFile(const PictureFile& file, int format, const ReadOptions& options)
{
    // Only regular files reach a reader (PictureFile::Open): some read
    // through stdio or libtiff, which would wait forever on a FIFO, and a
    // device is no picture.
    if (!file)
        return ReadFailed(file.Error());
    // A picture whose memory cannot be found is refused with a message; the
    // album or window that asked for it stays as it was.
    try {
        return ReadByKind(file, format, options);
    } catch (const std::bad_alloc&) {
        return PictureOutOfMemory(file.Path());
    }
}

ReadResult ReadImageFile(const PictureFile& file, const ReadOptions& options)
{
    const int format = ImageFormat(file.Path());
    // A bitmap that exists but cannot be opened has always said so.
    const bool bitmap = format == kFormatBMP || format == kFormatRLE || format == kFormatDIB;
    if (!file && bitmap && file.Error() == ReadError::NotFound && !file.Missing())
        return ReadFailedSaying(ReadError::NotFound, DIBErrorText(DIBError::FileNotFound));
    return ReadPictureFile(file, format, options);
}

ReadResult ReadImageFile(const std::string& path, const ReadOptions& options)
{
    return ReadImageFile(PictureFile::Open(path), options);
}

}  // namespace lumora
