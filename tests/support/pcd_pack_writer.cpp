#include "pcd_pack_writer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace lumora::test::pcd {
namespace {

constexpr size_t kSector = 2048;

void PutAtSector(std::vector<uint8_t>& pack, uint32_t sector, const std::vector<uint8_t>& bytes)
{
    const size_t at = size_t{sector} * kSector;
    const size_t end = at + (bytes.size() + kSector - 1) / kSector * kSector;
    if (pack.size() < end)
        pack.resize(end, 0);
    std::copy(bytes.begin(), bytes.end(), pack.begin() + static_cast<ptrdiff_t>(at));
}

std::vector<uint8_t> RowPairs(const YccPicture& p)
{
    std::vector<uint8_t> out;
    const uint32_t half = p.width / 2;
    for (uint32_t pair = 0; pair < p.height / 2; ++pair) {
        for (uint32_t row : {2 * pair, 2 * pair + 1})
            out.insert(out.end(), p.luma.begin() + row * p.width, p.luma.begin() + (row + 1) * p.width);
        out.insert(out.end(), p.chroma1.begin() + pair * half, p.chroma1.begin() + (pair + 1) * half);
        out.insert(out.end(), p.chroma2.begin() + pair * half, p.chroma2.begin() + (pair + 1) * half);
    }
    return out;
}

}  // namespace

YccPicture MakePicture(uint32_t width, uint32_t height, const SampleFn& luma,
                       const SampleFn& chroma1, const SampleFn& chroma2)
{
    YccPicture p;
    p.width = width;
    p.height = height;
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            p.luma.push_back(luma(x, y));
    for (uint32_t y = 0; y < height / 2; ++y)
        for (uint32_t x = 0; x < width / 2; ++x) {
            p.chroma1.push_back(chroma1(x, y));
            p.chroma2.push_back(chroma2(x, y));
        }
    return p;
}

std::vector<uint8_t> EncodeHuffmanTable(const std::vector<HuffmanCode>& codes)
{
    std::vector<uint8_t> sector(kSector, 0);
    sector[0] = static_cast<uint8_t>(codes.size() - 1);
    for (size_t i = 0; i < codes.size(); ++i) {
        uint8_t* e = sector.data() + 1 + i * 4;
        e[0] = static_cast<uint8_t>(codes[i].length - 1);
        e[1] = static_cast<uint8_t>(codes[i].code >> 8);
        e[2] = static_cast<uint8_t>(codes[i].code);
        e[3] = static_cast<uint8_t>(codes[i].value);
    }
    return sector;
}

const std::vector<HuffmanCode>& SampleCodes()
{
    static const std::vector<HuffmanCode> codes = {
        {1, 0x0000, 0},     // 0
        {3, 0x8000, 1},     // 100
        {3, 0xA000, -1},    // 101
        {4, 0xC000, 2},     // 1100
        {4, 0xD000, -2},    // 1101
        {5, 0xE000, 50},    // 11100
        {5, 0xE800, -50},   // 11101
        {6, 0xF000, 100},   // 111100
        {6, 0xF400, -100},  // 111101
    };
    return codes;
}

void BitWriter::Put(uint32_t bits, unsigned count)
{
    for (unsigned i = count; i-- > 0;) {
        if (used_ % 8 == 0)
            bytes_.push_back(0);
        if ((bits >> i) & 1)
            bytes_.back() |= static_cast<uint8_t>(0x80 >> (used_ % 8));
        ++used_;
    }
}

void BitWriter::PadToByte()
{
    used_ = (used_ + 7) / 8 * 8;
}

void ResidualStreamWriter::Header(unsigned plane, unsigned row)
{
    bits_.Put(0xFFFFFE, 24);
    bits_.Put((plane << 14) | ((row & 0x1FFF) << 1), 16);
}

void ResidualStreamWriter::Codes(const std::vector<int>& values)
{
    for (int v : values) {
        const auto code = std::find_if(codes_.begin(), codes_.end(),
                                       [v](const HuffmanCode& c) { return c.value == v; });
        if (code == codes_.end())
            throw std::invalid_argument("no code for this residual");
        bits_.Put(code->code >> (16 - code->length), code->length);
    }
}

std::vector<uint8_t> BuildPack(const PackContents& contents)
{
    std::vector<uint8_t> pack(4 * kSector, 0xFF);  // sector 0 is unused, all ones
    std::memset(pack.data() + kSector, 0, 3 * kSector);
    std::memcpy(pack.data() + kSector, "PCD_IPI", 7);
    pack[kSector + 0x602] = contents.attributeByte;
    if (contents.mini)
        PutAtSector(pack, 4, RowPairs(*contents.mini));
    if (contents.medium)
        PutAtSector(pack, 23, RowPairs(*contents.medium));
    if (contents.normal)
        PutAtSector(pack, 96, RowPairs(*contents.normal));
    if (!contents.tableSector.empty())
        PutAtSector(pack, 388, contents.tableSector);
    if (!contents.residualStream.empty())
        PutAtSector(pack, 389, contents.residualStream);
    return pack;
}

PackContents StandardContents(uint8_t attributeByte, const SampleFn& luma,
                              const SampleFn& chroma1, const SampleFn& chroma2)
{
    PackContents c;
    c.attributeByte = attributeByte;
    c.mini = MakePicture(192, 128, luma, chroma1, chroma2);
    c.medium = MakePicture(384, 256, luma, chroma1, chroma2);
    c.normal = MakePicture(768, 512, luma, chroma1, chroma2);
    return c;
}

}  // namespace lumora::test::pcd
