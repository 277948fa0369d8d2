#pragma once
// JPEG files (extension JPG), decoded by libjpeg.
#include <cstdint>
#include <functional>
#include <span>
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

// Reads a JPEG file into a packed DIB, or says why not: NotFound, NotThisType
// (no start-of-image marker), Unsupported (a process or colour space not
// read), TooLarge, OutOfMemory, Damaged (any other libjpeg error), Stopped.
// Warnings do not fail the read.
//
// With options.jpeg256, colour and greyscale files give 8-bit pictures of
// at most 236 colours chosen by libjpeg (Floyd-Steinberg dithering);
// without, 24-bit pictures. CMYK and YCCK files are converted to 24-bit RGB
// in both modes. The progress gauge runs when options.progress asks.
ReadResult ReadJPEGFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadJPEGFile(const PictureFile& file, const ReadOptions& options = {});

// The same from bytes in memory.
ReadResult ReadJPEGFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

// The reduction 1/1, 1/2, 1/4 or 1/8 (the denominator is returned) that
// libjpeg's DCT scaling can apply while decoding a width x height file so
// that the picture still covers `needWidth` x `needHeight`: the largest
// one whose output (each side rounded up, as libjpeg does) is at least the
// needed size in both directions.
int JpegScaleForSize(uint32_t width, uint32_t height, uint32_t needWidth, uint32_t needHeight);

// The same in eighths: the smallest M of M/8 (1 to 8) whose output still
// covers the needed size (libjpeg-turbo scales by any M/8).
int JpegEighthsForSize(uint32_t width, uint32_t height, uint32_t needWidth, uint32_t needHeight);

// The size a picture of the given full size must still cover once decoded.
// `inEighths`: for a picture reduced again to a size between two halvings,
// reduced by JpegEighthsForSize rather than JpegScaleForSize while it
// reduces to a half or less; above a half, decoded whole with the fast
// transform, which libjpeg-turbo runs in vector code where its 5/8 to 7/8
// scalings run in plain C.
//
// `eighth`: how a picture decoded at 1/8 is made. By libjpeg, the same
// bytes every time (previews, which albums store); or, for pictures only
// shown, from the blocks' DC coefficients alone when the file is one
// DecodeJpegEighthFromDc reads (a baseline file held in memory), the same
// picture (see there how close) in about three quarters of the time.
enum class EighthDecoding { Libjpeg, DcWhenPossible };
struct NeededSize {
    uint32_t width = 0, height = 0;
    bool inEighths = false;
    EighthDecoding eighth = EighthDecoding::Libjpeg;
};
using NeededSizeRule = std::function<NeededSize(uint32_t fullWidth, uint32_t fullHeight)>;

// A JPEG file decoded for a picture box rather than for the file: 24 bits
// whatever the "JPEG en 256 couleurs" preference (no quantising), reduced
// while decoding by JpegScaleForSize to what `needed` asks for the file's
// full size. Like every read, the picture is turned upright by the camera's
// orientation, and sizes (the rule's and the file's) are upright ones. Also
// gives the file's own size and depth (8 for greyscale, 24 otherwise). Never drives the gauge, and safe to call from several threads
// at once. Empty picture on the same failures as ReadJPEGFile.
struct JpegBoxRead {
    Picture picture;
    ReadError error = ReadError::None;  // why there is no picture
    uint32_t fullWidth = 0, fullHeight = 0;
    int fullBitCount = 0;
};
// Of the options only the limit (on the decoded size) and the stop are used.
JpegBoxRead ReadJPEGForBox(const std::string& path, const NeededSizeRule& needed, const ReadOptions& options = {});
JpegBoxRead ReadJPEGForBox(const PictureFile& file, const NeededSizeRule& needed, const ReadOptions& options = {});
JpegBoxRead ReadJPEGForBox(std::span<const uint8_t> bytes, const NeededSizeRule& needed,
                           const ReadOptions& options = {});

}  // namespace lumora
