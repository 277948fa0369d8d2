#include "core/formats/bmp_writer.h"

#include <cstring>

#include "core/picture/byte_order.h"
#include "core/platform/atomic_file.h"

namespace lumora {

std::vector<uint8_t> EncodeBMPFile(const HDIB& dib)
{
    if (!dib || !IsValidDIB(dib.Bytes()))
        return {};
    const uint8_t* block = dib.Data();
    const uint64_t used = DIBPixelOffset(block) +
                          DIBRowBytes(DIBPixelWidth(block), DIBBitCount(block)) * DIBPixelHeight(block);
    std::vector<uint8_t> file(14 + used);
    file[0] = 'B';
    file[1] = 'M';
    WriteLE32(&file[2], static_cast<uint32_t>(file.size()));
    WriteLE32(&file[10], static_cast<uint32_t>(14 + DIBPixelOffset(block)));
    std::memcpy(file.data() + 14, block, used);
    return file;
}

bool WriteBMPFile(const std::string& path, const HDIB& dib, WriteFailure* failure)
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
