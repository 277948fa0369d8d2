#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/formats/bmp_reader.h"
#include "core/formats/bmp_writer.h"
#include "core/picture/byte_order.h"
#include "core/picture/dib_errors.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::ColorAt;
using test::TestDataPath;

// Files of the shared suite that must yield no picture, and why.
const std::map<std::string, const char*> kRefused = {
    {"bmpsuite-b-badbitcount.bmp", "30000 bits per pixel"},
    {"bmpsuite-b-badpalettesize.bmp", "colour table larger than the file"},
    {"bmpsuite-b-badwidth.bmp", "negative width"},
    {"bmpsuite-b-reallybig.bmp", "pixel area above 1 GiB"},
    {"bmpsuite-b-rletopdown.bmp", "run-length pictures cannot be top-down"},
    {"bmpsuite-b-shortfile.bmp", "pixels cut short"},
    {"bmpsuite-g-pal4rle.bmp", "4-bit run-length is not read"},
    {"bmpsuite-g-pal8os2.bmp", "OS/2 core header"},
    {"bmpsuite-q-pal2.bmp", "2 bits per pixel"},
    {"bmpsuite-q-pal2color.bmp", "2 bits per pixel"},
    {"bmpsuite-q-pal4rlecut.bmp", "4-bit run-length is not read"},
    {"bmpsuite-q-pal4rletrns.bmp", "4-bit run-length is not read"},
    {"bmpsuite-q-pal8os2-hs.bmp", "OS/2 header"},
    {"bmpsuite-q-pal8os2-sz.bmp", "OS/2 header"},
    {"bmpsuite-q-pal8os2sp.bmp", "OS/2 core header"},
    {"bmpsuite-q-pal8os2v2-16.bmp", "16-byte OS/2 header"},
    {"bmpsuite-q-rgb24jpeg.bmp", "embedded JPEG"},
    {"bmpsuite-q-rgb24png.bmp", "embedded PNG"},
    {"bmpsuite-q-rgb24rle24.bmp", "24-bit run-length"},
    {"commons-crash-3afb569de74522535ef65922233e1920455cdc14.bmp", "absurd colour count"},
    {"commons-negative_array_size_exception.bmp", "absurd header"},
    {"commons-rle4.bmp", "4-bit run-length is not read"},
    {"imagers-Bad_clrsUsed.bmp", "absurd colour count"},
    {"imagers-Bad_height.bmp", "absurd height"},
    {"imagers-Bad_unusual_extend_buffer_usage.bmp", "4-bit run-length is not read"},
    {"imagers-Bad_width.bmp", "absurd width"},
    {"imagers-Core_1_Bit.bmp", "OS/2 core header"},
    {"imagers-Core_4_Bit.bmp", "OS/2 core header"},
    {"imagers-Core_8_Bit.bmp", "OS/2 core header"},
    {"libtiff-palette-1c-8b.bmp", "OS/2 core header"},
    {"libtiff-rgb-3c-8b.bmp", "OS/2 core header"},
    {"pillow-clipboard.dib", "no file header"},
    {"pillow-l2rgb_read.bmp", "pixels past the end of the file"},
};

struct ManifestEntry {
    std::string file, description;
    uint32_t width = 0, height = 0;
};

std::vector<ManifestEntry> BmpManifest()
{
    std::ifstream in(TestDataPath("MANIFEST.tsv"));
    std::vector<ManifestEntry> entries;
    std::string line;
    std::getline(in, line);  // column names
    while (std::getline(in, line)) {
        std::vector<std::string> cells;
        std::stringstream fields(line);
        for (std::string cell; std::getline(fields, cell, '\t');)
            cells.push_back(cell);
        if (cells.size() < 9 || cells[0] != "bmp")
            continue;
        entries.push_back({cells[1], cells[6], static_cast<uint32_t>(std::stoul(cells[7])),
                           static_cast<uint32_t>(std::stoul(cells[8]))});
    }
    return entries;
}

// Bits per pixel the file declares ("8 bpp"), as the reader stores it.
int ExpectedBits(const std::string& description)
{
    const auto at = description.find(" bpp");
    const auto start = description.rfind(' ', at - 1) + 1;
    const int declared = std::stoi(description.substr(start, at - start));
    return declared == 16 || declared == 32 ? 24 : declared;
}

TEST(BmpSuite, EveryFileDecodesOrIsRefusedAsTheRulesSay)
{
    const auto manifest = BmpManifest();
    ASSERT_GT(manifest.size(), 100u);
    for (const ManifestEntry& entry : manifest) {
        SCOPED_TRACE(entry.file);
        const Picture dib = ReadDIBFromFile(TestDataPath("bmp/" + entry.file)).picture;
        if (kRefused.count(entry.file)) {
            EXPECT_FALSE(dib) << kRefused.at(entry.file);
            continue;
        }
        ASSERT_TRUE(dib);
        ASSERT_TRUE(IsValidPicture(dib.Bytes()));
        const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
        EXPECT_EQ(h.size, 40u);
        EXPECT_EQ(h.compression, 0u);
        EXPECT_EQ(static_cast<uint32_t>(h.width), entry.width);
        EXPECT_EQ(static_cast<uint32_t>(h.height), entry.height);
        EXPECT_EQ(h.bitCount, ExpectedBits(entry.description));
        EXPECT_EQ(h.sizeImage, PictureRowBytes(entry.width, h.bitCount) * entry.height);
        if (h.bitCount == 24) {
            EXPECT_EQ(dib.ColorCount(), 0);
        }
    }
}

TEST(BmpSuite, KnownPixelValues)
{
    // Reference values from an independent decoder; (x, y) from the top.
    struct Probe {
        const char* file;
        uint32_t x, y;
        ColorTriple color;
    };
    const Probe probes[] = {
        {"bmpsuite-g-rgb24.bmp", 0, 0, {0xFF, 0, 0}},
        {"bmpsuite-g-rgb24.bmp", 126, 63, {0x60, 0x60, 0x7E}},
        {"bmpsuite-g-pal8.bmp", 126, 63, {0x66, 0x55, 0x66}},
        {"bmpsuite-g-pal1bg.bmp", 0, 0, {0x40, 0xFF, 0x40}},
        {"bmpsuite-g-pal1bg.bmp", 126, 63, {0x40, 0x40, 0xFF}},
        {"bmpsuite-g-pal4.bmp", 0, 0, {0xFF, 0, 0}},
    };
    for (const Probe& p : probes) {
        const Picture dib = ReadDIBFromFile(TestDataPath(std::string("bmp/") + p.file)).picture;
        ASSERT_TRUE(dib) << p.file;
        const uint32_t row = dib.Height() - 1 - p.y;
        EXPECT_EQ(ColorAt(dib, p.x, row), p.color) << p.file << " at " << p.x << "," << p.y;
    }
}

// Every pixel of two decodings, as colours.
void ExpectSamePicture(const std::string& a, const std::string& b, int tolerance = 0)
{
    const Picture first = ReadDIBFromFile(TestDataPath("bmp/" + a)).picture;
    const Picture second = ReadDIBFromFile(TestDataPath("bmp/" + b)).picture;
    ASSERT_TRUE(first) << a;
    ASSERT_TRUE(second) << b;
    const uint32_t w = first.Width(), h = first.Height();
    ASSERT_EQ(w, second.Width());
    ASSERT_EQ(h, second.Height());
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const ColorTriple c1 = ColorAt(first, x, y), c2 = ColorAt(second, x, y);
            ASSERT_LE(std::abs(c1.red - c2.red), tolerance) << a << " vs " << b << " at " << x << "," << y;
            ASSERT_LE(std::abs(c1.green - c2.green), tolerance) << a << " vs " << b;
            ASSERT_LE(std::abs(c1.blue - c2.blue), tolerance) << a << " vs " << b;
        }
}

TEST(BmpVariants, DecodeToTheSamePicture)
{
    // Top-down, RLE8, long headers and zeroed fields give the same pixels.
    ExpectSamePicture("bmpsuite-g-pal8.bmp", "bmpsuite-g-pal8topdown.bmp");
    ExpectSamePicture("bmpsuite-g-pal8.bmp", "bmpsuite-g-pal8rle.bmp");
    ExpectSamePicture("bmpsuite-g-pal8.bmp", "bmpsuite-g-pal8v4.bmp");
    ExpectSamePicture("bmpsuite-g-pal8.bmp", "bmpsuite-g-pal8v5.bmp");
    ExpectSamePicture("bmpsuite-g-pal8.bmp", "bmpsuite-q-pal8offs.bmp");
    // 32-bit plain and bit-field files become the same 24-bit picture.
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-g-rgb32.bmp");
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-g-rgb32bf.bmp");
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-q-rgb32h52.bmp");
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-q-rgb24largepal.bmp");
    // 16-bit files lose precision: 5 bits -> within 4 of the 8-bit value.
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-g-rgb16-565.bmp", 4);
    ExpectSamePicture("bmpsuite-g-rgb24.bmp", "bmpsuite-g-rgb16.bmp", 4);
}

TEST(BmpReader, ZeroFieldsAreFilledIn)
{
    const Picture dib = ReadDIBFromFile(TestDataPath("bmp/bmpsuite-g-pal8-0.bmp")).picture;
    ASSERT_TRUE(dib);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(h.sizeImage, 128u * 64u);
}

TEST(BmpReader, MissingFileSaysFileNotFound)
{
    test::CapturingReporter reporter;
    const ReadResult missing = ReadDIBFromFile("/nonexistent/x.bmp");
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.error, ReadError::NotFound);
    const std::vector<HeldMessage> messages = ReadMessages(missing);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "File Not Found!");
    EXPECT_TRUE(messages[0].caption.empty());
    EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
    // Other failures have nothing to show; the reader itself never shows.
    const ReadResult os2 = ReadDIBFromFile(TestDataPath("bmp/bmpsuite-g-pal8os2.bmp"));
    EXPECT_EQ(os2.error, ReadError::Unsupported);
    EXPECT_TRUE(ReadMessages(os2).empty());
    EXPECT_TRUE(reporter.messages.empty());
}

// A hand-made 8-bit file: header, `colors` table entries, then `pixels`.
std::vector<uint8_t> MakeBmp(int32_t width, int32_t height, uint32_t compression,
                             const std::vector<uint8_t>& pixels, uint32_t colors = 4)
{
    std::vector<uint8_t> file(14 + 40 + colors * 4);
    file[0] = 'B';
    file[1] = 'M';
    WriteLE32(&file[10], static_cast<uint32_t>(file.size()));
    BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.bitCount = 8;
    h.compression = compression;
    h.sizeImage = static_cast<uint32_t>(pixels.size());
    h.clrUsed = colors;
    h.Write(&file[14]);
    for (uint32_t i = 0; i < colors; ++i)
        file[54 + i * 4 + 2] = static_cast<uint8_t>(i * 10);  // red = 10 x index
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Picture ReadBytes(const std::vector<uint8_t>& bytes)
{
    MemorySource source(bytes);
    return ReadDIBFromSource(source).picture;
}

TEST(Rle8, EscapesAndRunsDecodeToPlainRows)
{
    // 5 x 3 picture, stride 8.
    const std::vector<uint8_t> rle = {
        3, 1,             // row 0: 1 1 1
        0, 3, 7, 8, 9, 0, // absolute run of 3 with its padding byte: 7 8 9
        0, 0,             // end of line
        0, 2, 2, 1,       // delta: right 2, up 1 -> row 2, column 2
        2, 3,             // 3 3
        0, 1,             // end of picture
        9, 9,             // never read
    };
    const Picture dib = ReadBytes(MakeBmp(5, 3, kCompressionRLE8, rle));
    ASSERT_TRUE(dib);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.sizeImage, 24u);
    const uint8_t* p = dib.Pixels();
    const std::vector<uint8_t> expected = {1, 1, 1, 7, 8, 9, 0, 0,  // row 0 spills past width
                                           0, 0, 0, 0, 0, 0, 0, 0,  //
                                           0, 0, 3, 3, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(p, p + 24), expected);
}

TEST(Rle8, OverrunsStopAtTheEndOfThePixelArea)
{
    // 4 x 2 picture = 8 pixel bytes; the data tries to write far more.
    const std::vector<uint8_t> bigRun = {255, 5, 255, 6, 0, 1};
    Picture dib = ReadBytes(MakeBmp(4, 2, kCompressionRLE8, bigRun));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.Size(), 40u + 16u + 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(dib.Pixels()[i], 5);

    const std::vector<uint8_t> bigDelta = {0, 2, 255, 255, 4, 1, 0, 1};
    dib = ReadBytes(MakeBmp(4, 2, kCompressionRLE8, bigDelta));
    ASSERT_TRUE(dib);

    const std::vector<uint8_t> absolutePastEnd = {0, 200, 1, 2, 3};  // input ends mid-run
    dib = ReadBytes(MakeBmp(4, 2, kCompressionRLE8, absolutePastEnd));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.Pixels()[2], 3);

    const std::vector<uint8_t> manyLines = {0, 0, 0, 0, 0, 0, 0, 0, 1, 9};
    dib = ReadBytes(MakeBmp(4, 2, kCompressionRLE8, manyLines));
    ASSERT_TRUE(dib);
}

TEST(BmpReader, ShortAndCorruptHeadersGiveNoPicture)
{
    std::vector<uint8_t> good = MakeBmp(4, 2, 0, std::vector<uint8_t>(8, 1));
    ASSERT_TRUE(ReadBytes(good));
    // Every truncation fails cleanly.
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(ReadBytes({good.begin(), good.begin() + static_cast<long>(n)})) << n;

    auto broken = good;
    broken[0] = 'X';
    EXPECT_FALSE(ReadBytes(broken));
    broken = good;
    WriteLE32(&broken[14], 12);  // OS/2 core header
    EXPECT_FALSE(ReadBytes(broken));
    broken = good;
    WriteLE32(&broken[14 + 16], kCompressionRLE4);
    EXPECT_FALSE(ReadBytes(broken));
    broken = good;
    WriteLE32(&broken[14 + 4], 0x7FFFFFFF);  // huge width: refused before allocating
    EXPECT_FALSE(ReadBytes(broken));
    broken = good;
    WriteLE32(&broken[14 + 8], 0x80000000u);  // most negative height
    EXPECT_FALSE(ReadBytes(broken));
}

TEST(BmpReader, PixelOffsetZeroMeansRightAfterTheTable)
{
    auto bytes = MakeBmp(4, 1, 0, {1, 2, 3, 0});
    WriteLE32(&bytes[10], 0);
    const Picture dib = ReadBytes(bytes);
    ASSERT_TRUE(dib);
    EXPECT_EQ(ColorAt(dib, 2, 0), (ColorTriple{30, 0, 0}));

    // 24 bits with a two-entry table: the table is skipped, not read as pixels.
    auto rgb = MakeBmp(2, 1, 0, {1, 2, 3, 4, 5, 6, 0, 0}, 2);
    WriteLE16(&rgb[14 + 14], 24);
    WriteLE32(&rgb[10], 0);
    const Picture trueColour = ReadBytes(rgb);
    ASSERT_TRUE(trueColour);
    EXPECT_EQ(ColorAt(trueColour, 0, 0), (ColorTriple{3, 2, 1}));
    EXPECT_EQ(ColorAt(trueColour, 1, 0), (ColorTriple{6, 5, 4}));
}

// A short file declaring a large uncompressed picture is refused before its
// memory is taken; one above 200 megapixels says why.
TEST(BmpReader, ImplausibleAndHugeSizesRefused)
{
    auto bytes = MakeBmp(4000, 3000, 0, {1, 2, 3, 0});
    MemorySource shortSource(bytes);
    const ReadResult implausible = ReadDIBFromSource(shortSource);
    EXPECT_EQ(implausible.error, ReadError::Damaged);
    EXPECT_TRUE(ReadMessages(implausible).empty());
    bytes = MakeBmp(30000, 30000, 0, {1, 2, 3, 0});
    MemorySource hugeSource(bytes);
    const ReadResult huge = ReadDIBFromSource(hugeSource);
    EXPECT_EQ(huge.error, ReadError::TooLarge);
    const std::vector<HeldMessage> messages = ReadMessages(huge);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].text.find("Image trop grande"), std::string::npos);
}

TEST(BmpWriter, WritesFileHeaderAndBlockAsIs)
{
    Picture dib = Picture::Make(3, 2, 24);
    test::SetRgb(dib, 1, 1, {10, 20, 30});
    const auto file = EncodeBMPFile(dib);
    ASSERT_EQ(file.size(), 14 + dib.Size());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(ReadLE32(&file[2]), file.size());
    EXPECT_EQ(ReadLE32(&file[10]), 54u);
    EXPECT_TRUE(std::equal(dib.Bytes().begin(), dib.Bytes().end(), file.begin() + 14));
    EXPECT_TRUE(EncodeBMPFile(Picture{}).empty());
}

}  // namespace
}  // namespace lumora
