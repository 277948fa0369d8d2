#include "core/formats/reader_block.h"


namespace lumora {

ReadResult AllocPictureToFill(int32_t width, int32_t height, int bitCount, const ReadOptions& options)
{
    const uint64_t w = width > 0 ? uint64_t(width) : 0, h = height > 0 ? uint64_t(height) : 0;
    if (!options.SizeAllowed(w, h))
        return options.TooLarge(w, h);
    Picture dib = Picture::Make(width, height, bitCount, {ColourTable::Black, false});
    if (!dib)  // a size or depth no picture has, or memory refused
        return ReadFailed(w && h && (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24) &&
                                  PictureRowBytes(w, static_cast<uint64_t>(bitCount)) * h <= kMaxPixelBytes
                              ? ReadError::OutOfMemory
                              : ReadError::Damaged);
    // readers count on the image size being filled in
    WriteLE32(dib.Data() + 20, static_cast<uint32_t>(PictureRowBytes(w, static_cast<uint64_t>(bitCount)) * h));
    return dib;
}

}  // namespace lumora
