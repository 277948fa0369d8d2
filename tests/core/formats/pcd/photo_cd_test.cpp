// Whole packs through the public readers: sizes, turns, colours, the large
// picture's corrections, damaged and cut packs, the shared test pictures.
#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "core/formats/pcd/pcd_errors.h"
#include "core/formats/pcd/photo_cd.h"
#include "support/pcd_pack_writer.h"
#include "pcd_reference.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using namespace test::pcd;
using test::CapturingReporter;
using test::ColorAt;

constexpr ColorTriple kMidGrey{128, 128, 128};

uint8_t Gradient(uint32_t x, uint32_t y)
{
    return static_cast<uint8_t>((x * 3 + y * 5) & 0xFF);
}
uint8_t Neutral1(uint32_t, uint32_t) { return 156; }
uint8_t Neutral2(uint32_t, uint32_t) { return 137; }
uint8_t Wavy1(uint32_t x, uint32_t y) { return static_cast<uint8_t>(100 + (x * 7 + y) % 90); }
uint8_t Wavy2(uint32_t x, uint32_t y) { return static_cast<uint8_t>(90 + (x + y * 11) % 100); }

// The error codes of a decoding and the messages they make. Nothing is
// shown while the pack is decoded.
struct Decoded {
    Picture dib;
    std::vector<int> errors;
    std::vector<HeldMessage> messages;
};

Decoded Decode(const std::vector<uint8_t>& pack, int sizeCode, bool reportProgress = false)
{
    CapturingReporter reporter;
    MemorySource source(pack);
    ReadOptions options;
    options.photoCDSize = sizeCode;
    options.progress = reportProgress;
    ReadResult read = ReadPhotoCDFromSource(source, options);
    EXPECT_TRUE(reporter.messages.empty());
    Decoded d;
    d.errors = read.photoCDErrors;
    d.messages = ReadMessages(read);
    d.dib = std::move(read.picture);
    return d;
}

std::pair<uint32_t, uint32_t> SizeOf(const Picture& dib)
{
    return {dib.Width(), dib.Height()};
}

// Output pixel (x, y), y counted from the top.
ColorTriple TopDownAt(const Picture& dib, uint32_t x, uint32_t y)
{
    return ColorAt(dib, x, dib.Height() - 1 - y);
}

// A stream that only closes: the large picture with no corrections.
std::vector<uint8_t> ClosingOnlyStream()
{
    ResidualStreamWriter w(SampleCodes());
    w.End(1024);
    return w.Bytes();
}

const std::vector<uint8_t>& StandardPack(uint8_t orientation)
{
    static std::vector<uint8_t> packs[4];
    std::vector<uint8_t>& pack = packs[orientation];
    if (pack.empty()) {
        PackContents c = StandardContents(orientation, Gradient, Neutral1, Neutral2);
        c.tableSector = EncodeHuffmanTable(SampleCodes());
        c.residualStream = ClosingOnlyStream();
        pack = BuildPack(c);
    }
    return pack;
}

TEST(PhotoCDSizes, EachSizeCodeAndTurnGivesItsDimensions)
{
    const std::pair<uint32_t, uint32_t> landscape[] = {{192, 128}, {384, 256}, {768, 512}, {1536, 1024}};
    for (uint8_t orientation = 0; orientation < 4; ++orientation) {
        for (int size = 0; size < 4; ++size) {
            const Decoded d = Decode(StandardPack(orientation), size);
            ASSERT_TRUE(d.dib);
            EXPECT_TRUE(IsValidPicture(d.dib.Bytes()));
            EXPECT_EQ(d.dib.BitCount(), 24);
            auto [w, h] = landscape[size];
            if (orientation % 2 == 1)
                std::swap(w, h);
            EXPECT_EQ(SizeOf(d.dib), std::make_pair(w, h)) << size << '/' << int{orientation};
            EXPECT_TRUE(d.errors.empty()) << size << '/' << int{orientation};
        }
    }
}

TEST(PhotoCDSizes, OtherSizeCodesMeanTheNormalPicture)
{
    for (int code : {-1, 4, 99})
        EXPECT_EQ(SizeOf(Decode(StandardPack(1), code).dib), std::make_pair(512u, 768u)) << code;
}

TEST(PhotoCDSizes, OnlyTheLowBitsOfTheAttributeByteTurn)
{
    PackContents c = StandardContents(0xFC | 2, Gradient, Neutral1, Neutral2);
    const Decoded d = Decode(BuildPack(c), 0);
    EXPECT_EQ(SizeOf(d.dib), std::make_pair(192u, 128u));
    EXPECT_EQ(TopDownAt(d.dib, 0, 0), ReferenceRgb(Gradient(191, 127), 156, 137));
}

TEST(PhotoCDOrientation, PixelsLandWhereTheTurnPutsThem)
{
    constexpr uint32_t w = 192, h = 128;
    // Where output pixel (x, y) comes from in the stored picture.
    using SourceOf = std::pair<uint32_t, uint32_t> (*)(uint32_t, uint32_t);
    const SourceOf sources[4] = {
        [](uint32_t x, uint32_t y) { return std::make_pair(x, y); },
        [](uint32_t x, uint32_t y) { return std::make_pair(w - 1 - y, x); },        // anticlockwise
        [](uint32_t x, uint32_t y) { return std::make_pair(w - 1 - x, h - 1 - y); },
        [](uint32_t x, uint32_t y) { return std::make_pair(y, h - 1 - x); },        // clockwise
    };
    for (uint8_t orientation = 0; orientation < 4; ++orientation) {
        const Decoded d = Decode(StandardPack(orientation), 0);
        ASSERT_TRUE(d.dib);
        const auto [ow, oh] = SizeOf(d.dib);
        for (uint32_t y = 0; y < oh; ++y)
            for (uint32_t x = 0; x < ow; ++x) {
                const auto [sx, sy] = sources[orientation](x, y);
                ASSERT_EQ(TopDownAt(d.dib, x, y), ReferenceRgb(Gradient(sx, sy), 156, 137))
                    << int{orientation} << " at " << x << ',' << y;
            }
    }
}

SamplePlane LumaOf(const YccPicture& p)
{
    return {p.width, p.height, p.luma};
}
SamplePlane ChromaOf(const YccPicture& p, bool second)
{
    return {p.width / 2, p.height / 2, second ? p.chroma2 : p.chroma1};
}

void ExpectPicture(const Picture& dib, const SamplePlane& y, const SamplePlane& c1, const SamplePlane& c2)
{
    ASSERT_EQ(SizeOf(dib), std::make_pair(y.width, y.height));
    for (uint32_t row = 0; row < y.height; ++row)
        for (uint32_t x = 0; x < y.width; ++x)
            ASSERT_EQ(TopDownAt(dib, x, row), ReferenceRgb(y.At(x, row), c1.At(x, row), c2.At(x, row)))
                << x << ',' << row;
}

TEST(PhotoCDColours, StoredPictureIsLumaWithDoubledChroma)
{
    PackContents c = StandardContents(0, Gradient, Wavy1, Wavy2);
    const Decoded d = Decode(BuildPack(c), 1);
    EXPECT_TRUE(d.errors.empty());
    ExpectPicture(d.dib, LumaOf(*c.medium), ReferenceUpsample(ChromaOf(*c.medium, false)),
                  ReferenceUpsample(ChromaOf(*c.medium, true)));
}

// The residual for large-picture pixel (x, y); some push past 0 or 255.
int ResidualAt(uint32_t x, uint32_t y)
{
    static const int values[] = {0, 1, -1, 2, -2, 0, 50, -50, 100, -100, 0};
    return values[(x + 3 * y) % 11];
}

TEST(PhotoCDLarge, LumaIsDoubledThenCorrected)
{
    PackContents c = StandardContents(0, Gradient, Wavy1, Wavy2);
    c.tableSector = EncodeHuffmanTable(SampleCodes());
    ResidualStreamWriter stream(SampleCodes());
    for (uint32_t y = 0; y < 1024; ++y) {
        std::vector<int> row(1536);
        for (uint32_t x = 0; x < 1536; ++x)
            row[x] = ResidualAt(x, y);
        stream.Row(0, y, row);
    }
    stream.End(1024);
    c.residualStream = stream.Bytes();
    const Decoded d = Decode(BuildPack(c), 3);
    EXPECT_TRUE(d.errors.empty());

    SamplePlane luma = ReferenceUpsample(LumaOf(*c.normal));
    for (uint32_t y = 0; y < 1024; ++y)
        for (uint32_t x = 0; x < 1536; ++x) {
            uint8_t& s = luma.samples[y * 1536 + x];
            s = static_cast<uint8_t>(std::clamp(s + ResidualAt(x, y), 0, 255));
        }
    ExpectPicture(d.dib, luma, ReferenceUpsample(ReferenceUpsample(ChromaOf(*c.normal, false))),
                  ReferenceUpsample(ReferenceUpsample(ChromaOf(*c.normal, true))));
}

TEST(PhotoCDLarge, BadOrMissingTableLeavesTheDoubledPicture)
{
    PackContents c = StandardContents(0, Gradient, Wavy1, Wavy2);
    c.tableSector = EncodeHuffmanTable(SampleCodes());
    c.residualStream = ClosingOnlyStream();
    const Decoded plain = Decode(BuildPack(c), 3);
    ASSERT_TRUE(plain.errors.empty());

    // A 17-bit code: the table is refused and the pass skipped, even with
    // a stream that would change every pixel.
    c.tableSector = EncodeHuffmanTable({{1, 0, 0}, {17, 0x8000, 50}});
    ResidualStreamWriter stream(SampleCodes());
    stream.Row(0, 0, std::vector<int>(1536, 50));
    stream.End(1024);
    c.residualStream = stream.Bytes();
    const Decoded refused = Decode(BuildPack(c), 3);
    EXPECT_EQ(refused.errors, std::vector<int>{pcd::kPcdErrHuffmanTable});
    EXPECT_TRUE(std::equal(plain.dib.Bytes().begin(), plain.dib.Bytes().end(),
                           refused.dib.Bytes().begin(), refused.dib.Bytes().end()));

    // A pack that stops after the normal picture.
    c.tableSector.clear();
    c.residualStream.clear();
    const Decoded missing = Decode(BuildPack(c), 3);
    EXPECT_EQ(missing.errors, std::vector<int>{pcd::kPcdErrRead});
    EXPECT_TRUE(std::equal(plain.dib.Bytes().begin(), plain.dib.Bytes().end(),
                           missing.dib.Bytes().begin(), missing.dib.Bytes().end()));
}

bool RowsAreGrey(const Picture& dib, uint32_t from)
{
    const auto [w, h] = SizeOf(dib);
    for (uint32_t y = from; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x)
            if (TopDownAt(dib, x, y) != kMidGrey)
                return false;
    return true;
}

TEST(PhotoCDDamage, CutPacksStillGiveAPictureWithGreyWhereRowsAreMissing)
{
    const std::vector<uint8_t>& full = StandardPack(0);
    const Decoded whole = Decode(full, 2);
    constexpr size_t kNormalStart = 96 * 2048, kPairBytes = 768 * 3;
    // Cut before the end of its signature, a pack is no pack: no picture.
    for (size_t cut : {size_t{0}, size_t{1}, size_t{2048}, size_t{2054}}) {
        const std::vector<uint8_t> pack(full.begin(), full.begin() + static_cast<ptrdiff_t>(cut));
        EXPECT_FALSE(Decode(pack, 2).dib) << cut;
    }
    std::vector<size_t> cuts = {2055, 2048 + 0x602, 4096, 4 * 2048 + 77, 23 * 2048,
                                kNormalStart, kNormalStart + 1, kNormalStart + kPairBytes * 100 + 5,
                                384 * 2048 - 1};
    for (size_t at = 3000; at < 384 * 2048; at += 37501)
        cuts.push_back(at);
    for (size_t cut : cuts) {
        const std::vector<uint8_t> pack(full.begin(), full.begin() + static_cast<ptrdiff_t>(cut));
        const Decoded d = Decode(pack, 2);
        ASSERT_TRUE(d.dib) << cut;
        EXPECT_EQ(SizeOf(d.dib), std::make_pair(768u, 512u)) << cut;
        ASSERT_FALSE(d.errors.empty()) << cut;
        EXPECT_EQ(d.errors.back(), pcd::kPcdErrRead) << cut;
        // Pairs read in full keep their pixels, except the last one whose
        // chroma blends with the missing rows; from two rows after it the
        // picture is mid-grey.
        const size_t pairs = cut > kNormalStart ? (cut - kNormalStart) / kPairBytes : 0;
        for (uint32_t y = 0; y + 2 < 2 * pairs; ++y)
            for (uint32_t x = 0; x < 768; x += 7)
                ASSERT_EQ(TopDownAt(d.dib, x, y), TopDownAt(whole.dib, x, y)) << cut;
        EXPECT_TRUE(RowsAreGrey(d.dib, static_cast<uint32_t>(2 * pairs + 2))) << cut;
    }
}

TEST(PhotoCDDamage, CutsInTheLargePicturesStreamAreSafe)
{
    PackContents c = StandardContents(3, Gradient, Neutral1, Neutral2);
    c.tableSector = EncodeHuffmanTable(SampleCodes());
    ResidualStreamWriter stream(SampleCodes());
    for (uint32_t y = 0; y < 1024; y += 3)
        stream.Row(0, y, std::vector<int>(1536, 1));
    stream.End(1024);
    c.residualStream = stream.Bytes();
    const std::vector<uint8_t> full = BuildPack(c);
    for (size_t cut = 388 * 2048 + 5; cut < full.size(); cut += 41017) {
        const Decoded d = Decode({full.begin(), full.begin() + static_cast<ptrdiff_t>(cut)}, 3);
        ASSERT_TRUE(d.dib) << cut;
        EXPECT_EQ(SizeOf(d.dib), std::make_pair(1024u, 1536u));
        EXPECT_FALSE(d.errors.empty()) << cut;
    }
}

TEST(PhotoCDErrors, EachFaultIsAStopBoxNamingItsCodeWithoutASourceLine)
{
    // A pack cut just after its signature: the first read comes short.
    const std::vector<uint8_t> cut(StandardPack(0).begin(), StandardPack(0).begin() + 2055);
    const Decoded d = Decode(cut, 0);
    ASSERT_FALSE(d.errors.empty());
    ASSERT_EQ(d.messages.size(), d.errors.size());
    EXPECT_EQ(d.errors.front(), pcd::kPcdErrRead);
    const HeldMessage& m = d.messages.front();
    EXPECT_EQ(m.text, "CORVANT-Error #0001 in PCD routine\n");
    EXPECT_EQ(m.caption, "Error");
    EXPECT_EQ(m.icon, MessageIcon::Stop);

    ReadResult several;
    several.photoCDErrors = {pcd::kPcdErrBadCode, pcd::kPcdErrRowNumber};
    const std::vector<HeldMessage> both = ReadMessages(several);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].text, "CORVANT-Error #0013 in PCD routine\n");
    EXPECT_EQ(both[1].text, "CORVANT-Error #0010 in PCD routine\n");
}

const char kHopper[] = "pcd/pillow-hopper.pcd";

ReadResult ReadWithSize(const std::string& path, int size)
{
    ReadOptions options;
    options.photoCDSize = size;
    return ReadPhotoCDFile(path, options);
}

ColorTriple MeanColour(const Picture& dib)
{
    const auto [w, h] = SizeOf(dib);
    uint64_t sum[3] = {};
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const ColorTriple c = ColorAt(dib, x, y);
            sum[0] += c.red, sum[1] += c.green, sum[2] += c.blue;
        }
    const uint64_t n = uint64_t{w} * h;
    return {static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
            static_cast<uint8_t>(sum[2] / n)};
}

TEST(PhotoCDFiles, PublicPackDecodesAtEverySizeItHolds)
{
    CapturingReporter reporter;
    const Picture mini = ReadWithSize(test::TestDataPath(kHopper), 0).picture;
    const Picture medium = ReadWithSize(test::TestDataPath(kHopper), 1).picture;
    const Picture normal = ReadWithSize(test::TestDataPath(kHopper), 2).picture;
    ASSERT_TRUE(mini && medium && normal);
    EXPECT_EQ(SizeOf(mini), std::make_pair(192u, 128u));
    EXPECT_EQ(SizeOf(medium), std::make_pair(384u, 256u));
    EXPECT_EQ(SizeOf(normal), std::make_pair(768u, 512u));
    // The three are the same photograph: their average colours agree.
    const ColorTriple a = MeanColour(mini), b = MeanColour(normal);
    EXPECT_NEAR(a.red, b.red, 6);
    EXPECT_NEAR(a.green, b.green, 6);
    EXPECT_NEAR(a.blue, b.blue, 6);
    EXPECT_NE(TopDownAt(normal, 100, 100), TopDownAt(normal, 600, 400));

    // No corrections stored: the large size is the normal one doubled.
    const ReadResult largeRead = ReadWithSize(test::TestDataPath(kHopper), 3);
    const Picture& large = largeRead.picture;
    ASSERT_TRUE(large);
    EXPECT_EQ(SizeOf(large), std::make_pair(1536u, 1024u));
    const std::vector<HeldMessage> messages = ReadMessages(largeRead);
    ASSERT_FALSE(messages.empty());
    EXPECT_NE(messages[0].text.find("#0001"), std::string::npos);
    EXPECT_EQ(TopDownAt(large, 200, 200), TopDownAt(normal, 100, 100));
    EXPECT_TRUE(reporter.messages.empty());  // the decoder itself never shows
}

TEST(PhotoCDFiles, HeaderOnlyPackIsTurnedAndGrey)
{
    const ReadResult read = ReadWithSize(test::TestDataPath("pcd/exiftool-PhotoCD.pcd"), 7);
    const Picture& dib = read.picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(SizeOf(dib), std::make_pair(512u, 768u));
    EXPECT_TRUE(RowsAreGrey(dib, 0));
    ASSERT_FALSE(read.photoCDErrors.empty());
    EXPECT_EQ(read.photoCDErrors[0], pcd::kPcdErrRead);
}

TEST(PhotoCDFiles, MissingFileOrFileWithoutSignatureGivesNoPictureAndNoMessage)
{
    CapturingReporter reporter;
    EXPECT_EQ(ReadPhotoCDFile("/nonexistent/dir/photo.pcd").error, ReadError::NotFound);
    test::TempDir dir;
    test::WriteBytes(dir.File("empty.pcd"), {});
    EXPECT_EQ(ReadPhotoCDFile(dir.File("empty.pcd")).error, ReadError::NotThisType);
    std::vector<uint8_t> unsigned_ = StandardPack(0);
    unsigned_[2048] = 'X';  // a whole pack but for its signature
    test::WriteBytes(dir.File("other.pcd"), unsigned_);
    EXPECT_EQ(ReadPhotoCDFile(dir.File("other.pcd")).error, ReadError::NotThisType);
    unsigned_[2048] = 'P';
    test::WriteBytes(dir.File("good.pcd"), unsigned_);
    EXPECT_TRUE(ReadPhotoCDFile(dir.File("good.pcd")));
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(PhotoCDFiles, TwoPicturesDecodeAtOnce)
{
    const std::vector<uint8_t>& turned = StandardPack(1);
    const std::vector<uint8_t> hopper = test::ReadBytes(test::TestDataPath(kHopper));
    auto decode = [](const std::vector<uint8_t>& pack, int size) {
        MemorySource source(pack);
        ReadOptions options;
        options.photoCDSize = size;
        return ReadPhotoCDFromSource(source, options).picture;
    };
    const Picture expectedA = decode(turned, 3), expectedB = decode(hopper, 2);
    Picture a, b;
    std::thread first([&] { a = decode(turned, 3); });
    std::thread second([&] { b = decode(hopper, 2); });
    first.join();
    second.join();
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(std::ranges::equal(a.Bytes(), expectedA.Bytes()));
    EXPECT_TRUE(std::ranges::equal(b.Bytes(), expectedB.Bytes()));
}

class CountingProgress final : public ProgressSink {
public:
    ScopedServices installed_{[this](Services& services) { services.progress = this; }};
    void Begin() override { ++begun; }
    void SetProgress(long done, long total) override
    {
        ++steps;
        last = {done, total};
    }
    void End() override { ++ended; }
    int begun = 0, ended = 0, steps = 0;
    std::pair<long, long> last;
};

TEST(PhotoCDFiles, DrivesTheGaugeOnlyWhenAsked)
{
    CountingProgress gauge;
    (void)Decode(StandardPack(1), 0, true);
    EXPECT_EQ(gauge.begun, 1);
    EXPECT_EQ(gauge.ended, 1);
    EXPECT_EQ(gauge.steps, 192);
    EXPECT_EQ(gauge.last, std::make_pair(192L, 192L));
    (void)Decode(StandardPack(1), 0, false);
    EXPECT_EQ(gauge.begun, 1);
    EXPECT_EQ(gauge.steps, 192);
}

}  // namespace
}  // namespace lumora
