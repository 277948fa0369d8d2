#include "core/formats/pcd/huffman_table.h"

#include <algorithm>
#include <vector>

namespace lumora::pcd {
namespace {

constexpr size_t kEntryBytes = 4;

struct Entry {
    unsigned length;
    uint16_t code;  // left-aligned, bits past the length cleared
    int8_t value;
};

bool SameCode(const Entry& a, const Entry& b)
{
    return a.length == b.length && a.code == b.code;
}

}  // namespace

HuffmanTable HuffmanTable::Parse(std::span<const uint8_t> bytes, PcdErrorLog& errors)
{
    if (bytes.empty()) {
        errors.Raise(kPcdErrHuffmanTable);
        return {};
    }
    const size_t count = size_t{bytes[0]} + 1;
    if (bytes.size() < 1 + count * kEntryBytes) {
        errors.Raise(kPcdErrHuffmanTable);
        return {};
    }
    std::vector<Entry> entries;
    entries.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* raw = bytes.data() + 1 + i * kEntryBytes;
        const unsigned length = raw[0] + 1u;
        if (length > kMaxCodeLength) {
            errors.Raise(kPcdErrHuffmanTable);
            return {};
        }
        const uint16_t mask = static_cast<uint16_t>(0xFFFFu << (kMaxCodeLength - length));
        const Entry entry{length, static_cast<uint16_t>(((raw[1] << 8) | raw[2]) & mask),
                          static_cast<int8_t>(raw[3])};
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const Entry& e) { return SameCode(e, entry); })) {
            errors.Raise(kPcdErrHuffmanTable);
            return {};
        }
        entries.push_back(entry);
    }

    HuffmanTable table;
    table.lookup_ = std::make_unique<Lookup>();
    table.entryCount_ = static_cast<unsigned>(count);
    // Last entry first, so an earlier entry overwrites any later one whose
    // code it shares a prefix with: lookups find entries in table order.
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        const size_t span = size_t{1} << (kMaxCodeLength - e->length);
        std::fill_n(table.lookup_->begin() + e->code, span,
                    HuffmanMatch{static_cast<uint8_t>(e->length), e->value});
    }
    return table;
}

}  // namespace lumora::pcd
