#include "core/formats/bmp_writer.h"

#include <cstring>

#include "core/picture/byte_order.h"
#include "core/platform/atomic_file.h"

namespace lumora {

std::vector<uint8_t> EncodeBMPFile(const Picture& dib)
{
    if (!dib || !IsValidPicture(dib.Bytes()))
        return {};
    const PictureSpan block = dib.Span();
    const uint64_t used = block.PixelOffset() +
                          PictureRowBytes(block.Width(), block.BitCount()) * block.Height();
    std::vector<uint8_t> file(14 + used);
    file[0] = 'B';
    file[1] = 'M';
    WriteLE32(&file[2], static_cast<uint32_t>(file.size()));
    WriteLE32(&file[10], static_cast<uint32_t>(14 + block.PixelOffset()));
    std::memcpy(file.data() + 14, block.Data(), used);
    return file;
}

bool WriteBMPFile(const std::string& path, const Picture& dib, WriteFailure* failure)
{
    const std::vector<uint8_t> bytes = EncodeBMPFile(dib);
    if (bytes.empty())
        return false;
    const WriteFailure result = WriteFileAtomically(path, bytes.data(), bytes.size());
    if (failure)
        *failure = result;
    return !result;
}

}  // namespace lumora
