#include "core/formats/jpeg_dc_image.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>

namespace lumora {
namespace {

// libjpeg's own limits: larger sides, more blocks in an MCU or sampling
// factors beyond 4 are errors to it.
constexpr uint32_t kLargestSide = 65500;
constexpr int kMostBlocksInMcu = 10;
constexpr int kLargestSampling = 4;

// Codes up to this length are decoded by one table look-up.
constexpr int kLookBits = 10;
// AC codes are stepped over several at a time, as many as these bits hold.
constexpr int kStepBits = 12;

// A Huffman table as the decoder uses it. For codes of kLookBits or fewer,
// `symbolOf` gives (length << 8 | symbol) for the next kLookBits bits and
// `stepOf` the AC step: (length + magnitude bits) << 8 | coefficients
// advanced, 0 advanced meaning the end of the block. 0 in either: a longer
// code, looked for length by length.
struct HuffmanTable {
    bool defined = false;
    std::array<uint16_t, 1 << kLookBits> symbolOf{};
    std::array<uint16_t, 1 << kLookBits> stepOf{};
    std::array<int32_t, 17> maxCode{};      // the largest code of each length, -1 for none
    std::array<int32_t, 17> valueOffset{};  // value index = code + offset, for each length
    std::array<uint8_t, 256> values{};
    bool dcSizesValid = true;                // every symbol a DC size libjpeg accepts
};

// A symbol's AC step: coefficients advanced (the run and the coefficient
// itself), 0 for the end of the block. libjpeg ends the block at any zero
// size but the sixteen-zero run.
int AcAdvance(uint8_t symbol)
{
    const int run = symbol >> 4, size = symbol & 15;
    if (size == 0 && run != 15)
        return 0;
    return run + 1;
}

// Builds the canonical codes from the counts, as libjpeg does, refusing
// what libjpeg refuses (more codes than a length holds).
bool BuildHuffmanTable(std::span<const uint8_t, 16> counts, std::span<const uint8_t> values, HuffmanTable& table)
{
    table = HuffmanTable{};
    std::copy(values.begin(), values.end(), table.values.begin());
    int32_t code = 0;
    size_t index = 0;
    for (int length = 1; length <= 16; ++length) {
        const int count = counts[static_cast<size_t>(length - 1)];
        table.valueOffset[static_cast<size_t>(length)] = static_cast<int32_t>(index) - code;
        for (int i = 0; i < count; ++i, ++code, ++index) {
            if (code >= (1 << length))
                return false;
            const uint8_t symbol = values[index];
            if (symbol > 15)
                table.dcSizesValid = false;
            if (length <= kLookBits) {
                const int spread = kLookBits - length;
                const int magnitudeBits = symbol & 15;
                const int first = code << spread;
                const auto symbolEntry = static_cast<uint16_t>(length << 8 | symbol);
                const auto stepEntry = static_cast<uint16_t>((length + magnitudeBits) << 8 | AcAdvance(symbol));
                for (int fill = 0; fill < (1 << spread); ++fill) {
                    table.symbolOf[static_cast<size_t>(first + fill)] = symbolEntry;
                    table.stepOf[static_cast<size_t>(first + fill)] = stepEntry;
                }
            }
        }
        table.maxCode[static_cast<size_t>(length)] = count ? code - 1 : -1;
        if (code >= (1 << length))
            return false;  // libjpeg allows no code of all ones
        code <<= 1;
    }
    table.defined = true;
    return true;
}

// The symbol whose code begins `bits` (the low `available` bits), by
// length: the code's length, or 0 when no code fits.
int SymbolAt(const HuffmanTable& table, uint32_t bits, int available, uint8_t& symbol)
{
    for (int length = 1; length <= available; ++length) {
        const auto code = static_cast<int32_t>((bits >> (available - length)) & ((1u << length) - 1));
        if (code <= table.maxCode[static_cast<size_t>(length)]) {
            symbol = table.values[static_cast<size_t>(code + table.valueOffset[static_cast<size_t>(length)])];
            return length;
        }
    }
    return 0;
}

// For each kStepBits bits: the AC codes (with their magnitude bits) they
// hold whole, stepped over at once. Entry: bits consumed << 8, 0x80 when
// the last is the end of the block, and the coefficients advanced before
// it; 0 when the first code is longer than kLookBits. A first code whose
// magnitude bits go beyond kStepBits is an entry on its own.
using AcSteps = std::array<uint16_t, 1 << kStepBits>;

void BuildAcSteps(const HuffmanTable& table, AcSteps& steps)
{
    for (uint32_t bits = 0; bits < steps.size(); ++bits) {
        int used = 0, advanced = 0;
        bool ended = false;
        for (;;) {
            uint8_t symbol = 0;
            const int length = SymbolAt(table, bits & ((1u << (kStepBits - used)) - 1), kStepBits - used, symbol);
            if (length == 0 || (used == 0 && length > kLookBits))
                break;
            const int consumed = length + (symbol & 15);
            if (used > 0 && used + consumed > kStepBits)
                break;
            used += consumed;
            const int advance = AcAdvance(symbol);
            if (advance == 0) {
                ended = true;
                break;
            }
            advanced += advance;
            if (used >= kStepBits || advanced >= 63)
                break;
        }
        steps[bits] = used == 0 ? 0 : static_cast<uint16_t>(used << 8 | (ended ? 0x80 : 0) | advanced);
    }
}

// The entropy-coded bytes as bits, most significant first: 0xFF 0x00 is
// one 0xFF byte; any other marker ends the data, after which zeros are fed
// and counted, so that a read beyond the data is seen afterwards.
class BitReader {
public:
    BitReader(const uint8_t* data, const uint8_t* end) : at_(data), end_(end) {}

    // At least 32 bits are there to peek at after this.
    void Fill()
    {
        if (count_ < 32)
            Refill();
    }

    uint32_t Peek(int n) const { return static_cast<uint32_t>(bits_ >> (64 - n)); }
    void Skip(int n)
    {
        bits_ <<= n;
        count_ -= n;
    }
    // n from 1 to 16, after a Fill.
    uint32_t Take(int n)
    {
        const uint32_t value = Peek(n);
        Skip(n);
        return value;
    }

    // Whether everything read so far came from the data itself.
    bool WithinData() const { return padding_ <= count_; }

    // At the end of an interval or of the scan the data must stop at a
    // marker within the byte: the marker's code then, or -1.
    int MarkerAfterData()
    {
        if (!WithinData() || count_ - padding_ >= 8)
            return -1;  // bytes left over before the marker
        if (!atMarker_ && (at_ + 1 >= end_ || at_[0] != 0xFF))
            return -1;
        const uint8_t* at = at_;
        while (at < end_ && *at == 0xFF)
            ++at;
        if (at >= end_ || *at == 0x00)
            return -1;
        at_ = at + 1;
        return *at;
    }

    // After a restart marker: an empty buffer over the following data.
    void Restart()
    {
        bits_ = 0;
        count_ = 0;
        padding_ = 0;
        atMarker_ = false;
    }

    const uint8_t* Position() const { return at_; }

private:
    static bool HasByteFF(uint64_t word)
    {
        const uint64_t inverted = ~word;
        return ((inverted - 0x0101010101010101u) & ~inverted & 0x8080808080808080u) != 0;
    }

    void Refill()
    {
        // Mostly eight bytes without a 0xFF among them: as many as fit at once.
        if (!atMarker_ && end_ - at_ >= 8) {
            uint64_t word = 0;
            std::memcpy(&word, at_, sizeof word);
            word = __builtin_bswap64(word);
            if (!HasByteFF(word)) {
                const int bytes = (63 - count_) >> 3;
                bits_ |= (word >> (64 - 8 * bytes)) << (64 - count_ - 8 * bytes);
                count_ += 8 * bytes;
                at_ += bytes;
                return;
            }
        }
        while (count_ <= 56) {
            uint8_t byte = 0;
            if (!atMarker_ && at_ < end_) {
                byte = *at_;
                if (byte != 0xFF) {
                    ++at_;
                } else if (at_ + 1 < end_ && at_[1] == 0x00) {
                    at_ += 2;
                } else {
                    atMarker_ = true;  // left at the marker's first byte
                    byte = 0;
                }
            } else {
                atMarker_ = true;
            }
            if (atMarker_)
                padding_ += 8;
            bits_ |= uint64_t{byte} << (56 - count_);
            count_ += 8;
        }
    }

    const uint8_t* at_;
    const uint8_t* end_;
    uint64_t bits_ = 0;
    int count_ = 0;
    int padding_ = 0;
    bool atMarker_ = false;
};

// A code longer than the look-up: its length (0 for no code) and symbol.
int DecodeLongCode(const HuffmanTable& table, uint32_t next16, uint8_t& symbol)
{
    for (int length = kLookBits + 1; length <= 16; ++length) {
        const auto code = static_cast<int32_t>(next16 >> (16 - length));
        if (code <= table.maxCode[static_cast<size_t>(length)]) {
            symbol = table.values[static_cast<size_t>(code + table.valueOffset[static_cast<size_t>(length)])];
            return length;
        }
    }
    return 0;
}

// One DC difference, or false on a code no table has.
bool DecodeDcDifference(BitReader& reader, const HuffmanTable& table, int32_t& difference)
{
    reader.Fill();
    uint8_t size = 0;
    if (const uint16_t entry = table.symbolOf[reader.Peek(kLookBits)]) {
        reader.Skip(entry >> 8);
        size = static_cast<uint8_t>(entry);
    } else {
        const int length = DecodeLongCode(table, reader.Peek(16), size);
        if (length == 0)
            return false;
        reader.Skip(length);
    }
    difference = 0;
    if (size) {
        const auto bits = static_cast<int32_t>(reader.Take(size));
        difference = bits < (1 << (size - 1)) ? bits - (1 << size) + 1 : bits;
    }
    return true;
}

// Steps over one block's AC codes; false on a code no table has or a run
// past the block's end.
bool SkipAcCoefficients(BitReader& reader, const HuffmanTable& table, const AcSteps& steps)
{
    for (int k = 1; k < 64;) {
        reader.Fill();
        // Several codes at once while they stay within the block: a block
        // filled to its last coefficient has no end code, so an end read
        // there would be the next block's bits.
        const uint16_t step = steps[reader.Peek(kStepBits)];
        if (step && k + (step & 0x7F) + (step >> 7 & 1) <= 64) {
            reader.Skip(step >> 8);
            if (step & 0x80)
                return true;
            k += step & 0x7F;
            continue;
        }
        int advance = 0;
        if (const uint16_t step = table.stepOf[reader.Peek(kLookBits)]) {
            reader.Skip(step >> 8);
            advance = step & 0xFF;
        } else {
            uint8_t symbol = 0;
            const int length = DecodeLongCode(table, reader.Peek(16), symbol);
            if (length == 0)
                return false;
            reader.Skip(length + (symbol & 15));
            advance = AcAdvance(symbol);
        }
        if (advance == 0)
            return true;
        k += advance;
        if (k > 64)
            return false;
    }
    return true;
}

// libjpeg's sample for a dequantised DC (its 1 x 1 inverse transform and
// range limit, wrapping as its table does for values no sane file has).
uint8_t DcSample(int16_t coefficient, uint16_t quantiser)
{
    const int value = (coefficient * static_cast<int>(quantiser) + 4) >> 3;
    const int index = value & 1023;
    if (index < 128)
        return static_cast<uint8_t>(index + 128);
    if (index < 512)
        return 255;
    if (index < 896)
        return 0;
    return static_cast<uint8_t>(index - 896);
}

struct Component {
    int id = 0;
    int h = 1, v = 1;
    int quantTable = 0;
    int dcTable = 0, acTable = 0;
    uint16_t dcQuantiser = 0;
    // One sample per block, blocksWide x blocksHigh (the MCUs' whole grid).
    uint32_t blocksWide = 0, blocksHigh = 0;
    std::vector<uint8_t> samples;
    int32_t predictor = 0;
};

class DcDecoder {
public:
    DcDecoder(std::span<const uint8_t> bytes, const ReadOptions& options)
        : at_(bytes.data()), end_(bytes.data() + bytes.size()), options_(options)
    {
    }

    std::optional<JpegEighth> Decode()
    {
        if (end_ - at_ < 2 || at_[0] != 0xFF || at_[1] != 0xD8)
            return std::nullopt;
        at_ += 2;
        if (!ReadHeaders() || !DecodeScan())
            return std::nullopt;
        return Compose();
    }

private:
    // Markers up to the scan; false on anything not read here.
    bool ReadHeaders()
    {
        for (;;) {
            const int marker = NextMarker();
            if (marker < 0)
                return false;
            if (marker == 0xDA)
                return ReadScanHeader();
            const int length = SegmentLength();
            if (length < 0)
                return false;
            const std::span<const uint8_t> segment(at_ + 2, static_cast<size_t>(length - 2));
            at_ += length;
            bool read = true;
            if (marker == 0xC0 || marker == 0xC1)
                read = ReadFrame(segment);
            else if (marker == 0xC4)
                read = ReadHuffmanTables(segment);
            else if (marker == 0xDB)
                read = ReadQuantisers(segment);
            else if (marker == 0xDD)
                read = ReadRestartInterval(segment);
            else if (marker == 0xE0)
                NoteJfif(segment);
            else if (marker == 0xEE)
                NoteAdobe(segment);
            else if (!(marker > 0xE0 && marker <= 0xEF) && marker != 0xFE)
                read = false;  // another process, arithmetic tables, DNL, a stray marker
            if (!read)
                return false;
        }
    }

    // The next marker's code, fill bytes skipped; -1 if bytes come first.
    int NextMarker()
    {
        if (at_ >= end_ || *at_ != 0xFF)
            return -1;
        while (at_ < end_ && *at_ == 0xFF)
            ++at_;
        if (at_ >= end_ || *at_ == 0x00)
            return -1;
        return *at_++;
    }

    int SegmentLength() const
    {
        if (end_ - at_ < 2)
            return -1;
        const int length = at_[0] << 8 | at_[1];
        return length >= 2 && length <= end_ - at_ ? length : -1;
    }

    bool ReadRestartInterval(std::span<const uint8_t> segment)
    {
        if (segment.size() != 2)
            return false;
        restartInterval_ = static_cast<uint32_t>(segment[0] << 8 | segment[1]);
        return true;
    }

    void NoteJfif(std::span<const uint8_t> segment)
    {
        constexpr uint8_t kJfif[] = {'J', 'F', 'I', 'F', 0};
        if (segment.size() >= 14 && std::equal(std::begin(kJfif), std::end(kJfif), segment.begin()))
            sawJfif_ = true;
    }

    void NoteAdobe(std::span<const uint8_t> segment)
    {
        constexpr uint8_t kAdobe[] = {'A', 'd', 'o', 'b', 'e'};
        if (segment.size() >= 12 && std::equal(std::begin(kAdobe), std::end(kAdobe), segment.begin())) {
            sawAdobe_ = true;
            adobeTransform_ = segment[11];
        }
    }

    bool ReadFrame(std::span<const uint8_t> segment)
    {
        if (sawFrame_ || segment.size() < 6 || segment[0] != 8)
            return false;
        sawFrame_ = true;
        height_ = static_cast<uint32_t>(segment[1] << 8 | segment[2]);
        width_ = static_cast<uint32_t>(segment[3] << 8 | segment[4]);
        const int count = segment[5];
        if (height_ == 0 || width_ == 0 || width_ > kLargestSide || height_ > kLargestSide ||
            (count != 1 && count != 3) || segment.size() != 6 + 3 * static_cast<size_t>(count))
            return false;
        components_.resize(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            Component& component = components_[static_cast<size_t>(i)];
            const uint8_t* field = &segment[6 + 3 * static_cast<size_t>(i)];
            component.id = field[0];
            component.h = field[1] >> 4;
            component.v = field[1] & 15;
            component.quantTable = field[2];
            if (component.h < 1 || component.h > kLargestSampling || component.v < 1 ||
                component.v > kLargestSampling || component.quantTable > 3)
                return false;
            for (int j = 0; j < i; ++j)
                if (components_[static_cast<size_t>(j)].id == component.id)
                    return false;
            maxH_ = std::max(maxH_, component.h);
            maxV_ = std::max(maxV_, component.v);
        }
        // libjpeg upsamples only by whole factors.
        for (const Component& component : components_)
            if (maxH_ % component.h || maxV_ % component.v)
                return false;
        return true;
    }

    bool ReadHuffmanTables(std::span<const uint8_t> segment)
    {
        while (!segment.empty()) {
            if (segment.size() < 17)
                return false;
            const int tableClass = segment[0] >> 4, slot = segment[0] & 15;
            if (tableClass > 1 || slot > 3)
                return false;
            const std::span<const uint8_t, 16> counts(segment.subspan(1, 16));
            size_t total = 0;
            for (const uint8_t count : counts)
                total += count;
            if (total > 256 || segment.size() < 17 + total)
                return false;
            HuffmanTable& table = (tableClass == 0 ? dcTables_ : acTables_)[static_cast<size_t>(slot)];
            if (!BuildHuffmanTable(counts, segment.subspan(17, total), table))
                return false;
            segment = segment.subspan(17 + total);
        }
        return true;
    }

    bool ReadQuantisers(std::span<const uint8_t> segment)
    {
        while (!segment.empty()) {
            const int precision = segment[0] >> 4, slot = segment[0] & 15;
            const size_t size = 1 + 64 * static_cast<size_t>(precision + 1);
            if (precision > 1 || slot > 3 || segment.size() < size)
                return false;
            // Only the first value, the DC's, is needed (it is first in
            // the zig-zag order too).
            dcQuantisers_[static_cast<size_t>(slot)] =
                static_cast<uint16_t>(precision ? segment[1] << 8 | segment[2] : segment[1]);
            quantiserDefined_[static_cast<size_t>(slot)] = true;
            segment = segment.subspan(size);
        }
        return true;
    }

    // The three-component files libjpeg reads as YCbCr whatever its
    // version's rule for guessing the colour space.
    bool IsYCbCr() const
    {
        if (components_[0].id == 'R' && components_[1].id == 'G' && components_[2].id == 'B')
            return false;
        return sawJfif_ || !sawAdobe_ || adobeTransform_ == 1;
    }

    bool ReadScanHeader()
    {
        const int length = SegmentLength();
        if (!sawFrame_ || length < 0)
            return false;
        const std::span<const uint8_t> segment(at_ + 2, static_cast<size_t>(length - 2));
        at_ += length;
        if (components_.size() == 3 && !IsYCbCr())
            return false;
        // Every component in this one scan, in the scan's order.
        if (segment.empty() || segment[0] != static_cast<uint8_t>(components_.size()) ||
            segment.size() != 4 + 2 * components_.size())
            return false;
        for (size_t i = 0; i < components_.size(); ++i) {
            const int id = segment[1 + 2 * i];
            const auto found = std::find_if(components_.begin(), components_.end(),
                                            [id](const Component& c) { return c.id == id; });
            if (found == components_.end() ||
                std::find(scanOrder_.begin(), scanOrder_.end(), found - components_.begin()) != scanOrder_.end())
                return false;
            found->dcTable = segment[2 + 2 * i] >> 4;
            found->acTable = segment[2 + 2 * i] & 15;
            if (found->dcTable > 3 || found->acTable > 3 || !dcTables_[static_cast<size_t>(found->dcTable)].defined ||
                !dcTables_[static_cast<size_t>(found->dcTable)].dcSizesValid ||
                !acTables_[static_cast<size_t>(found->acTable)].defined ||
                !quantiserDefined_[static_cast<size_t>(found->quantTable)])
                return false;
            found->dcQuantiser = dcQuantisers_[static_cast<size_t>(found->quantTable)];
            scanOrder_.push_back(found - components_.begin());
        }
        const size_t tail = 1 + 2 * components_.size();
        // Sequential: the whole band of coefficients, no successive approximation.
        return segment[tail] == 0 && segment[tail + 1] == 63 && segment[tail + 2] == 0;
    }

    bool Interleaved() const { return components_.size() > 1; }

    // The block grid of each component and the MCUs that cover it.
    bool LayOutBlocks()
    {
        if (!options_.SizeAllowed(OutputWidth(), OutputHeight()))
            return false;
        if (Interleaved()) {
            int blocksInMcu = 0;
            for (const Component& component : components_)
                blocksInMcu += component.h * component.v;
            if (blocksInMcu > kMostBlocksInMcu)
                return false;
            mcusWide_ = (width_ + 8 * static_cast<uint32_t>(maxH_) - 1) / (8 * static_cast<uint32_t>(maxH_));
            mcusHigh_ = (height_ + 8 * static_cast<uint32_t>(maxV_) - 1) / (8 * static_cast<uint32_t>(maxV_));
            for (Component& component : components_) {
                component.blocksWide = mcusWide_ * static_cast<uint32_t>(component.h);
                component.blocksHigh = mcusHigh_ * static_cast<uint32_t>(component.v);
            }
        } else {
            // A single component's scan has one block an MCU and no
            // padding blocks; its sampling factors equal the maxima.
            Component& only = components_[0];
            only.blocksWide = mcusWide_ = (width_ + 7) / 8;
            only.blocksHigh = mcusHigh_ = (height_ + 7) / 8;
        }
        for (Component& component : components_)
            component.samples.resize(size_t{component.blocksWide} * component.blocksHigh);
        return true;
    }

    bool DecodeBlock(BitReader& reader, Component& component, uint32_t blockX, uint32_t blockY)
    {
        int32_t difference = 0;
        if (!DecodeDcDifference(reader, dcTables_[static_cast<size_t>(component.dcTable)], difference) ||
            !SkipAcCoefficients(reader, acTables_[static_cast<size_t>(component.acTable)],
                                (*acSteps_)[static_cast<size_t>(component.acTable)]))
            return false;
        // libjpeg keeps the coefficient in 16 bits.
        component.predictor = static_cast<int32_t>(static_cast<uint32_t>(component.predictor) +
                                                   static_cast<uint32_t>(difference));
        const auto coefficient = static_cast<int16_t>(static_cast<uint16_t>(component.predictor));
        component.samples[size_t{blockY} * component.blocksWide + blockX] =
            DcSample(coefficient, component.dcQuantiser);
        return true;
    }

    bool DecodeMcu(BitReader& reader, uint32_t mcuX, uint32_t mcuY)
    {
        if (!Interleaved())
            return DecodeBlock(reader, components_[0], mcuX, mcuY);
        for (const std::ptrdiff_t index : scanOrder_) {
            Component& component = components_[static_cast<size_t>(index)];
            for (int by = 0; by < component.v; ++by)
                for (int bx = 0; bx < component.h; ++bx)
                    if (!DecodeBlock(reader, component, mcuX * static_cast<uint32_t>(component.h) + static_cast<uint32_t>(bx),
                                     mcuY * static_cast<uint32_t>(component.v) + static_cast<uint32_t>(by)))
                        return false;
        }
        return true;
    }

    bool DecodeScan()
    {
        if (!LayOutBlocks())
            return false;
        acSteps_ = std::make_unique<std::array<AcSteps, 4>>();
        for (const Component& component : components_)
            BuildAcSteps(acTables_[static_cast<size_t>(component.acTable)],
                         (*acSteps_)[static_cast<size_t>(component.acTable)]);
        BitReader reader(at_, end_);
        uint32_t inInterval = 0;
        int nextRestart = 0;
        for (uint32_t mcuY = 0; mcuY < mcusHigh_; ++mcuY) {
            if (options_.StopRequested())
                return false;
            for (uint32_t mcuX = 0; mcuX < mcusWide_; ++mcuX) {
                if (restartInterval_ && inInterval == restartInterval_) {
                    if (reader.MarkerAfterData() != 0xD0 + nextRestart)
                        return false;
                    nextRestart = (nextRestart + 1) & 7;
                    inInterval = 0;
                    reader.Restart();
                    for (Component& component : components_)
                        component.predictor = 0;
                }
                if (!DecodeMcu(reader, mcuX, mcuY) || !reader.WithinData())
                    return false;
                ++inInterval;
            }
        }
        return reader.MarkerAfterData() == 0xD9;
    }

    uint32_t OutputWidth() const { return (width_ + 7) / 8; }
    uint32_t OutputHeight() const { return (height_ + 7) / 8; }

    // One component's sample for output pixel (x, y), repeated over the
    // pixels its block covers.
    static uint8_t SampleAt(const Component& component, uint32_t x, uint32_t y, uint32_t xStep, uint32_t yStep)
    {
        return component.samples[size_t{y / yStep} * component.blocksWide + x / xStep];
    }

    JpegEighth Compose() const
    {
        JpegEighth eighth;
        eighth.width = OutputWidth();
        eighth.height = OutputHeight();
        eighth.grey = components_.size() == 1;
        eighth.likeLibjpeg = std::all_of(components_.begin(), components_.end(),
                                         [this](const Component& c) { return !LibjpegWidensByTransform(c); });
        eighth.bgr.resize(size_t{eighth.width} * eighth.height * 3);
        uint8_t* out = eighth.bgr.data();
        if (eighth.grey) {
            const Component& y = components_[0];
            for (uint32_t row = 0; row < eighth.height; ++row)
                for (uint32_t x = 0; x < eighth.width; ++x, out += 3)
                    out[0] = out[1] = out[2] = y.samples[size_t{row} * y.blocksWide + x];
            return eighth;
        }
        const ColourTables tables;
        const Component& luma = components_[0];
        const Component& cb = components_[1];
        const Component& cr = components_[2];
        const auto step = [](int factor, int max) { return static_cast<uint32_t>(max / factor); };
        for (uint32_t row = 0; row < eighth.height; ++row) {
            for (uint32_t x = 0; x < eighth.width; ++x, out += 3) {
                const int yValue = SampleAt(luma, x, row, step(luma.h, maxH_), step(luma.v, maxV_));
                const int cbValue = SampleAt(cb, x, row, step(cb.h, maxH_), step(cb.v, maxV_));
                const int crValue = SampleAt(cr, x, row, step(cr.h, maxH_), step(cr.v, maxV_));
                out[0] = Clamp(yValue + tables.cbBlue[static_cast<size_t>(cbValue)]);
                out[1] = Clamp(yValue + ((tables.cbGreen[static_cast<size_t>(cbValue)] +
                                          tables.crGreen[static_cast<size_t>(crValue)]) >> 16));
                out[2] = Clamp(yValue + tables.crRed[static_cast<size_t>(crValue)]);
            }
        }
        return eighth;
    }

    // libjpeg rebuilds a component whose halvings are whole in both
    // directions by a transform twice as wide (more AC coefficients)
    // rather than by repeating it.
    bool LibjpegWidensByTransform(const Component& component) const
    {
        return maxH_ % (component.h * 2) == 0 && maxV_ % (component.v * 2) == 0;
    }

    static uint8_t Clamp(int value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

    // libjpeg's YCbCr to RGB tables (16-bit fixed point, rounded).
    struct ColourTables {
        std::array<int, 256> crRed{}, cbBlue{}, crGreen{}, cbGreen{};
        ColourTables()
        {
            constexpr int kHalf = 1 << 15;
            const auto fix = [](double x) { return static_cast<int>(x * 65536.0 + 0.5); };
            for (int i = 0; i < 256; ++i) {
                const int x = i - 128;
                crRed[static_cast<size_t>(i)] = (fix(1.40200) * x + kHalf) >> 16;
                cbBlue[static_cast<size_t>(i)] = (fix(1.77200) * x + kHalf) >> 16;
                crGreen[static_cast<size_t>(i)] = -fix(0.71414) * x;
                cbGreen[static_cast<size_t>(i)] = -fix(0.34414) * x + kHalf;
            }
        }
    };

    const uint8_t* at_;
    const uint8_t* end_;
    const ReadOptions& options_;
    bool sawFrame_ = false, sawJfif_ = false, sawAdobe_ = false;
    int adobeTransform_ = -1;
    uint32_t width_ = 0, height_ = 0;
    int maxH_ = 1, maxV_ = 1;
    std::vector<Component> components_;
    std::vector<std::ptrdiff_t> scanOrder_;
    std::array<HuffmanTable, 4> dcTables_{}, acTables_{};
    std::unique_ptr<std::array<AcSteps, 4>> acSteps_;
    std::array<uint16_t, 4> dcQuantisers_{};
    std::array<bool, 4> quantiserDefined_{};
    uint32_t restartInterval_ = 0;
    uint32_t mcusWide_ = 0, mcusHigh_ = 0;
};

}  // namespace

std::optional<JpegEighth> DecodeJpegEighthFromDc(std::span<const uint8_t> bytes, const ReadOptions& options)
{
    return DcDecoder(bytes, options).Decode();
}

}  // namespace lumora
