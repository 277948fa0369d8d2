#pragma once
// Choosing a picture reader from a file name, without regard to case; the
// content is never examined. The nine original kinds are known by the last
// three characters of the name; the four-letter extensions (jpeg, jfif,
// tiff, webp, heic, heif, avif) and png by what follows the last dot.
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

enum ImageFormatCode {
    kFormatUnknown = -1,
    kFormatBMP = 0,
    kFormatPCX = 1,
    kFormatGIF = 2,
    kFormatJPG = 3,
    kFormatRLE = 4,
    kFormatDIB = 5,
    kFormatPCD = 6,
    kFormatTGA = 7,
    kFormatTIF = 8,
    kFormatPNG = 9,
    kFormatWEBP = 10,
    kFormatHEIF = 11,  // HEIC, HEIF and AVIF
};

int ImageFormat(const std::string& path);

// The type name shown in properties and status texts ("Image GIF
// Compuserve"...), "(indéfini)" for an unknown extension.
std::string ImageTypeName(const std::string& path);

// The open and insert dialogs' filter: "label|patterns|label|patterns||".
std::string PictureFilter();

// Reads any supported picture file as `options` ask: the picture, or why
// there is none (NotThisType for an unknown extension, a directory, a FIFO
// or a device). The file is opened once and handed to its reader.
ReadResult ReadImageFile(const std::string& path, const ReadOptions& options);
// The same for a file already opened by its name (PictureFile::Open).
ReadResult ReadImageFile(const PictureFile& file, const ReadOptions& options);

// The same for a file already open, read as the reader of `format`
// (ImageFormat of its name) reads it.
ReadResult ReadPictureFile(const PictureFile& file, int format, const ReadOptions& options);

}  // namespace lumora
