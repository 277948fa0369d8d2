// The Huffman table, the luma residual stream and the sector reader under
// them: values land where they belong, and each fault is raised and
// decoding goes on.
#include <gtest/gtest.h>

#include "core/formats/pcd/huffman_table.h"
#include "core/formats/pcd/pcd_layout.h"
#include "core/formats/pcd/residuals.h"
#include "core/formats/pcd/sector_reader.h"
#include "support/pcd_pack_writer.h"

namespace lumora::pcd {
namespace {

using test::pcd::EncodeHuffmanTable;
using test::pcd::HuffmanCode;
using test::pcd::ResidualStreamWriter;
using test::pcd::SampleCodes;
using Codes = std::vector<int>;

HuffmanTable TableOf(const std::vector<HuffmanCode>& codes)
{
    PcdErrorLog errors;
    HuffmanTable table = HuffmanTable::Parse(EncodeHuffmanTable(codes), errors);
    EXPECT_TRUE(table);
    return table;
}

std::vector<uint8_t> WholeSectors(std::vector<uint8_t> bytes)
{
    bytes.resize((bytes.size() + kSectorSize - 1) / kSectorSize * kSectorSize, 0);
    return bytes;
}

// A 6 x 2 luma plane whose samples are all 100.
PcdPlane SmallPlane(uint32_t width = 6, uint32_t height = 2, uint8_t fill = 100)
{
    PcdErrorLog errors;
    return AllocatePlane(width, height, width, height, fill, errors);
}

std::vector<int> RowOf(const PcdPlane& plane, uint32_t y)
{
    return {plane.Row(y), plane.Row(y) + plane.width};
}

std::vector<int> Decode(const std::vector<uint8_t>& stream, const ResidualTargets& targets,
                        const HuffmanTable& table)
{
    MemorySource source(stream);
    PcdErrorLog errors;
    SectorReader reader(source, errors);
    DecodeResiduals(reader, table, targets, errors);
    return errors.Codes();
}

std::vector<int> DecodeLuma(ResidualStreamWriter& writer, PcdPlane& luma)
{
    return Decode(WholeSectors(writer.Bytes()), {.luma = &luma}, TableOf(SampleCodes()));
}

TEST(HuffmanTable, FindsEntriesInTableOrderIgnoringBitsPastTheLength)
{
    // The second entry's code has stray low bits; the third shares the
    // first's prefix and can never match.
    const std::vector<HuffmanCode> codes = {{2, 0x4000, 7}, {1, 0x7FFF, -3}, {3, 0x4000, 9}};
    PcdErrorLog errors;
    const HuffmanTable table = HuffmanTable::Parse(EncodeHuffmanTable(codes), errors);
    ASSERT_TRUE(table);
    EXPECT_EQ(table.EntryCount(), 3u);
    EXPECT_EQ(table.Match(0x4000).value, 7);
    EXPECT_EQ(table.Match(0x4000).length, 2);
    EXPECT_EQ(table.Match(0x5FFF).value, 7);
    EXPECT_EQ(table.Match(0x0123).value, -3);
    EXPECT_EQ(table.Match(0x0123).length, 1);
    EXPECT_EQ(table.Match(0x8000).length, 0);  // no entry starts with 1
    EXPECT_TRUE(errors.Codes().empty());
}

TEST(HuffmanTable, RefusesUnusableTables)
{
    auto refused = [](std::vector<uint8_t> bytes) {
        PcdErrorLog errors;
        const HuffmanTable table = HuffmanTable::Parse(bytes, errors);
        return !table && errors.Codes() == std::vector<int>{kPcdErrHuffmanTable};
    };
    EXPECT_TRUE(refused(EncodeHuffmanTable({{1, 0, 0}, {17, 0x8000, 1}})));     // too long
    EXPECT_TRUE(refused(EncodeHuffmanTable({{3, 0x8000, 1}, {3, 0x9FFF, 2}})));  // same code
    EXPECT_TRUE(refused({}));                                                   // no entries
    std::vector<uint8_t> cut = EncodeHuffmanTable(SampleCodes());
    cut.resize(1 + 4 * 3);  // nine entries announced, three present
    EXPECT_TRUE(refused(cut));
    // Sixteen bits is still fine.
    PcdErrorLog errors;
    EXPECT_TRUE(HuffmanTable::Parse(EncodeHuffmanTable({{16, 0xFFFF, 1}, {1, 0, 0}}), errors));
}

TEST(Residuals, AddKnownCodesWithClamping)
{
    PcdPlane luma = SmallPlane();
    luma.Row(0)[0] = 250, luma.Row(0)[1] = 3, luma.Row(0)[5] = 255;
    ResidualStreamWriter w(SampleCodes());
    w.Row(0, 1, {0, 1, -1, 2, -2, 50});
    w.Row(0, 0, {50, -50, 100, -100, 0, 1});
    w.End(2);
    EXPECT_TRUE(DecodeLuma(w, luma).empty());
    EXPECT_EQ(RowOf(luma, 0), (Codes{255, 0, 200, 0, 100, 255}));
    EXPECT_EQ(RowOf(luma, 1), (Codes{100, 101, 99, 102, 98, 150}));
}

TEST(Residuals, AcceptPaddingToAByteBeforeThePattern)
{
    PcdPlane luma = SmallPlane();
    ResidualStreamWriter w(SampleCodes());
    w.Row(0, 0, {1, 1, 1, 1, 1, 2});  // 19 bits: five bits of padding follow
    w.Bits().PadToByte();
    w.Row(0, 1, {-1, 0, 0, 0, 0, 0});
    w.End(2);
    EXPECT_TRUE(DecodeLuma(w, luma).empty());
    EXPECT_EQ(RowOf(luma, 0), (Codes{101, 101, 101, 101, 101, 102}));
    EXPECT_EQ(RowOf(luma, 1)[0], 99);
}

TEST(Residuals, PassOverRowsOfComponentsNotBeingCorrected)
{
    PcdPlane luma = SmallPlane();
    ResidualStreamWriter w(SampleCodes());
    w.Row(2, 0, {50, 50, 50});
    w.Row(3, 1, {50, 50, 50, 50});
    w.Row(0, 1, {1, 1, 1, 1, 1, 1});
    w.End(2);
    EXPECT_TRUE(DecodeLuma(w, luma).empty());
    EXPECT_EQ(RowOf(luma, 0), Codes(6, 100));
    EXPECT_EQ(RowOf(luma, 1), Codes(6, 101));
}

// Each fault: the codes raised, and the good row written after it.
struct FaultCase {
    const char* name;
    void (*write)(ResidualStreamWriter&);
    std::vector<int> expected;
};

class ResidualFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ResidualFaults, RaiseTheirCodeAndCarryOn)
{
    PcdPlane luma = SmallPlane();
    ResidualStreamWriter w(SampleCodes());
    GetParam().write(w);
    w.Row(0, 1, {2, 2, 2, 2, 2, 2});
    w.End(2);
    EXPECT_EQ(DecodeLuma(w, luma), GetParam().expected);
    EXPECT_EQ(RowOf(luma, 1), Codes(6, 102));
}

INSTANTIATE_TEST_SUITE_P(
    EachCode, ResidualFaults,
    ::testing::Values(
        FaultCase{"HeaderBeforeRowIsFull", [](ResidualStreamWriter& w) { w.Row(0, 0, {1, 1, 1}); },
                  {kPcdErrRowIncomplete}},
        FaultCase{"RowBeyondHeight", [](ResidualStreamWriter& w) { w.Header(0, 3); },
                  {kPcdErrRowNumber}},
        FaultCase{"InvalidPlane", [](ResidualStreamWriter& w) { w.Header(1, 0); },
                  {kPcdErrPlaneCode}},
        FaultCase{"CodesAfterABadHeaderAreOutsideARow",
                  [](ResidualStreamWriter& w) { w.Row(0, 7, {1, 1}); },
                  {kPcdErrRowNumber, kPcdErrNoSync}},
        FaultCase{"TooManyCodes", [](ResidualStreamWriter& w) { w.Row(0, 0, Codes(9, 1)); },
                  {kPcdErrRowOverrun}},
        FaultCase{"BitsMatchingNoEntry",
                  [](ResidualStreamWriter& w) {
                      w.Header(0, 0);
                      w.Bits().Put(0b1111110, 7);  // no code begins 111111
                  },
                  {kPcdErrBadCode}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Residuals, LumaRowWithoutALumaPlaneIsRaised)
{
    PcdPlane chroma = SmallPlane(3, 1, 10);
    ResidualStreamWriter w(SampleCodes());
    w.Row(0, 0, {1, 1, 1, 1, 1, 1});
    w.Row(2, 0, {1, 2, -1});
    w.Header(2, 1);  // closes the chroma plane
    const std::vector<int> raised =
        Decode(WholeSectors(w.Bytes()), {.chroma1 = &chroma}, TableOf(SampleCodes()));
    EXPECT_EQ(raised, (Codes{kPcdErrLumaRow, kPcdErrNoSync}));
    EXPECT_EQ(RowOf(chroma, 0), (Codes{11, 12, 9}));
}

TEST(Residuals, NoPatternInTheFirstSectorSkipsThePass)
{
    PcdPlane luma = SmallPlane();
    ResidualStreamWriter w(SampleCodes());
    for (uint32_t i = 0; i < kSectorSize; ++i)
        w.Bits().Put(0, 8);  // a sector of zeros first
    w.Row(0, 0, Codes(6, 1));
    w.End(2);
    EXPECT_EQ(DecodeLuma(w, luma), Codes{kPcdErrNoSync});
    EXPECT_EQ(RowOf(luma, 0), Codes(6, 100));
}

TEST(Residuals, CutStreamKeepsTheRowsThatArrived)
{
    PcdPlane luma = SmallPlane(600, 4);
    ResidualStreamWriter w(SampleCodes());
    w.Row(0, 0, Codes(600, 1));   // 3-bit codes: ends at byte 230
    w.Row(0, 1, Codes(600, 2));   // 4-bit codes: ends at byte 535
    w.Row(0, 2, Codes(600, 50));  // 5-bit codes: runs past the cut
    w.End(4);
    std::vector<uint8_t> stream = w.Bytes();
    stream.resize(700);  // part of a sector: a short read, inside row 2
    const std::vector<int> raised = Decode(stream, {.luma = &luma}, TableOf(SampleCodes()));
    EXPECT_EQ(raised.front(), kPcdErrRead);
    EXPECT_EQ(RowOf(luma, 0), Codes(600, 101));
    EXPECT_EQ(RowOf(luma, 1), Codes(600, 102));
    EXPECT_EQ(RowOf(luma, 2)[0], 150);
    EXPECT_EQ(RowOf(luma, 2)[599], 100);
    EXPECT_EQ(RowOf(luma, 3), Codes(600, 100));
}

TEST(Residuals, StreamEndingWithoutClosingRowIsRaised)
{
    PcdPlane luma = SmallPlane();
    ResidualStreamWriter w(SampleCodes());
    w.Row(0, 0, Codes(6, 1));
    // Whole sectors of zero bits after the row: codes past its end, then
    // nothing more.
    const std::vector<int> raised = DecodeLuma(w, luma);
    EXPECT_EQ(raised, (Codes{kPcdErrRowOverrun, kPcdErrRead}));
    EXPECT_EQ(RowOf(luma, 0), Codes(6, 101));
}

TEST(Residuals, AllOnesEndsWithoutLooping)
{
    PcdPlane luma = SmallPlane();
    const std::vector<uint8_t> ones(3 * kSectorSize, 0xFF);
    EXPECT_EQ(Decode(ones, {.luma = &luma}, TableOf(SampleCodes())), Codes{kPcdErrNoSync});
}

// A source whose seeks fail.
class UnseekableSource final : public ByteSource {
public:
    size_t Read(void*, size_t) override { return 0; }
    bool SeekTo(uint64_t) override { return false; }
    uint64_t Position() const override { return 0; }
    uint64_t Length() const override { return 1 << 20; }
};

TEST(SectorReader, RaisesBackwardSeeksShortReadsAndFailedSeeks)
{
    std::vector<uint8_t> bytes(3 * kSectorSize + 10, 1);
    MemorySource source(bytes);
    PcdErrorLog errors;
    SectorReader reader(source, errors);
    ASSERT_TRUE(reader.SeekToSector(2));
    EXPECT_FALSE(reader.SeekToSector(1));
    EXPECT_EQ(errors.LastError(), kPcdErrConsistency);
    EXPECT_EQ(reader.Position(), 2u * kSectorSize);

    std::vector<uint8_t> sector(kSectorSize);
    EXPECT_EQ(reader.ReadSector(sector.data()), kSectorSize);
    EXPECT_EQ(reader.ReadSector(sector.data()), 10u);
    EXPECT_EQ(errors.Codes(), (Codes{kPcdErrConsistency, kPcdErrRead}));
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadSector(sector.data()), 0u);  // past the end: quietly nothing
    EXPECT_EQ(errors.Codes().size(), 2u);

    UnseekableSource unseekable;
    PcdErrorLog seekErrors;
    SectorReader stuck(unseekable, seekErrors);
    EXPECT_FALSE(stuck.SeekToSector(4));
    EXPECT_EQ(seekErrors.Codes(), Codes{kPcdErrRead});
}

}  // namespace
}  // namespace lumora::pcd
