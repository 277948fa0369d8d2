#pragma once
// Builds Photo CD image packs for the tests and the benchmark: the sectors,
// the stored pictures from chosen Y/C1/C2 samples, the orientation byte,
// a Huffman table and a luma residual stream for the largest size.
// Test-only: the program never writes packs.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace lumora::test::pcd {

// One stored picture: luma width x height, chroma halved both ways.
struct YccPicture {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> luma, chroma1, chroma2;

    uint8_t Y(uint32_t x, uint32_t y) const { return luma[y * width + x]; }
    uint8_t C1(uint32_t x, uint32_t y) const { return chroma1[y * (width / 2) + x]; }
    uint8_t C2(uint32_t x, uint32_t y) const { return chroma2[y * (width / 2) + x]; }
};

using SampleFn = std::function<uint8_t(uint32_t x, uint32_t y)>;
YccPicture MakePicture(uint32_t width, uint32_t height, const SampleFn& luma,
                       const SampleFn& chroma1, const SampleFn& chroma2);

struct HuffmanCode {
    unsigned length;  // 1..16 (more only to build bad tables)
    uint16_t code;    // left-aligned
    int8_t value;
};

// The table sector: count - 1, then length - 1, code bytes, value.
std::vector<uint8_t> EncodeHuffmanTable(const std::vector<HuffmanCode>& codes);

// A small prefix code with no long runs of ones (so rows never look like a
// synchronisation pattern): 0, +-1, +-2, +-50 and +-100.
const std::vector<HuffmanCode>& SampleCodes();

// Writes bits most significant first.
class BitWriter {
public:
    void Put(uint32_t bits, unsigned count);
    void PadToByte();  // zero bits
    unsigned BitsInLastByte() const { return used_ % 8; }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    uint64_t used_ = 0;
};

// The residual stream: rows of codes, each after the pattern and a header.
class ResidualStreamWriter {
public:
    explicit ResidualStreamWriter(std::vector<HuffmanCode> codes) : codes_(std::move(codes)) {}

    void Header(unsigned plane, unsigned row);     // pattern + 16-bit header
    void Codes(const std::vector<int>& values);    // one code per value
    void Row(unsigned plane, unsigned row, const std::vector<int>& values)
    {
        Header(plane, row);
        Codes(values);
    }
    void End(unsigned height) { Header(0, height); }
    BitWriter& Bits() { return bits_; }
    std::vector<uint8_t> Bytes() { return bits_.Bytes(); }

private:
    std::vector<HuffmanCode> codes_;
    BitWriter bits_;
};

struct PackContents {
    uint8_t attributeByte = 0;  // bits 0-1: orientation
    std::optional<YccPicture> mini, medium, normal;
    std::vector<uint8_t> tableSector;     // sector 388 when not empty
    std::vector<uint8_t> residualStream;  // from sector 389 when not empty
};

// The pack's bytes, whole sectors up to its last content.
std::vector<uint8_t> BuildPack(const PackContents& contents);

// A pack with all three stored pictures made from the same sample
// functions (scaled to each size).
PackContents StandardContents(uint8_t attributeByte, const SampleFn& luma,
                              const SampleFn& chroma1, const SampleFn& chroma2);

}  // namespace lumora::test::pcd
