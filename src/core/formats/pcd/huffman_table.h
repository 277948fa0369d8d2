#pragma once
// The Huffman table that codes the large picture's luma corrections:
// a count byte (entries - 1), then four bytes per entry: code length - 1,
// the code left-aligned in two bytes, and the signed correction.
#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "core/formats/pcd/pcd_errors.h"

namespace lumora::pcd {

constexpr unsigned kMaxCodeLength = 16;

struct HuffmanMatch {
    uint8_t length = 0;  // 0: no entry matches
    int8_t value = 0;
};

class HuffmanTable {
public:
    // Reads a table from its bytes. Codes longer than 16 bits, two entries
    // with the same code, or a table with no entries (or not all of them in
    // `bytes`) raise error 7 and give an empty table.
    static HuffmanTable Parse(std::span<const uint8_t> bytes, PcdErrorLog& errors);

    explicit operator bool() const { return lookup_ != nullptr; }
    unsigned EntryCount() const { return entryCount_; }

    // The entry whose code begins these 16 bits; the first one in table
    // order when several would.
    HuffmanMatch Match(uint16_t leadingBits) const { return (*lookup_)[leadingBits]; }

private:
    using Lookup = std::array<HuffmanMatch, 65536>;
    std::unique_ptr<Lookup> lookup_;
    unsigned entryCount_ = 0;
};

}  // namespace lumora::pcd
