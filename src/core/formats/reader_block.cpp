#include "core/formats/reader_block.h"

namespace lumora {

ReadResult AllocPictureToFill(int32_t width, int32_t height, int bitCount, const ReadOptions& options)
{
    const uint64_t w = width > 0 ? uint64_t(width) : 0, h = height > 0 ? uint64_t(height) : 0;
    if (!options.SizeAllowed(w, h))
        return options.TooLarge(w, h);
    const bool depthOfAPicture = bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24;
    if (!depthOfAPicture || !w || !h || PictureRowBytes(w, static_cast<uint64_t>(bitCount)) * h > kMaxPixelBytes)
        return ReadFailed(ReadError::Damaged);  // a size or depth no picture has
    // Readers count on the image size being filled in.
    Picture dib = Picture::Make(width, height, bitCount, {ColourTable::Black, false, true});
    if (!dib)
        return ReadFailed(ReadError::OutOfMemory);
    return dib;
}

}  // namespace lumora
