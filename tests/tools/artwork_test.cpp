#include <gif_lib.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "artwork/book.h"
#include "artwork/compose.h"
#include "artwork/font.h"
#include "artwork/noise.h"
#include "artwork/quantize.h"
#include "artwork/writers.h"
#include "core/picture/app_palette.h"
#include "support/test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

const std::string kArtDir = LUMORA_ARTWORK_DIR;

// ---- reading the files back -------------------------------------------------

struct DecodedGif {
    std::string version;  // "87a" or "89a"
    int width = 0, height = 0, imageCount = 0, colorBits = 0;
    std::vector<ColorTriple> colors;
    std::vector<uint8_t> pixels;
    bool imageCoversScreen = false;
};

DecodedGif DecodeGif(const std::string& path)
{
    DecodedGif out;
    const std::vector<uint8_t> bytes = test::ReadBytes(path);
    if (bytes.size() >= 6)
        out.version.assign(bytes.begin() + 3, bytes.begin() + 6);
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return out;
    if (DGifSlurp(gif) == GIF_OK && gif->SColorMap && gif->ImageCount > 0) {
        out.width = gif->SWidth;
        out.height = gif->SHeight;
        out.imageCount = gif->ImageCount;
        out.colorBits = gif->SColorMap->BitsPerPixel;
        for (int i = 0; i < gif->SColorMap->ColorCount; ++i) {
            const GifColorType& c = gif->SColorMap->Colors[i];
            out.colors.push_back({c.Red, c.Green, c.Blue});
        }
        const GifImageDesc& d = gif->SavedImages[0].ImageDesc;
        out.imageCoversScreen = d.Left == 0 && d.Top == 0 && d.Width == gif->SWidth && d.Height == gif->SHeight;
        const uint8_t* raster = gif->SavedImages[0].RasterBits;
        out.pixels.assign(raster, raster + static_cast<size_t>(d.Width) * d.Height);
    }
    DGifCloseFile(gif, &error);
    return out;
}

uint32_t BigEndian(const uint8_t* p) { return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3]; }

struct DecodedPng {
    bool valid = false;
    std::string problem;
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> rgba;  // filter type 0 rows are required, so this is the pixels
};

// A strict reader for what the generator writes: signature, CRC of every
// chunk, 8-bit RGBA, one IDAT stream that inflates to exactly the rows.
DecodedPng DecodePng(const std::string& path)
{
    DecodedPng png;
    const std::vector<uint8_t> b = test::ReadBytes(path);
    static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (b.size() < 8 || !std::equal(kSignature, kSignature + 8, b.begin())) {
        png.problem = "signature";
        return png;
    }
    std::vector<uint8_t> idat;
    bool sawEnd = false;
    for (size_t at = 8; at + 12 <= b.size() && !sawEnd;) {
        const uint32_t length = BigEndian(&b[at]);
        if (at + 12 + length > b.size()) {
            png.problem = "truncated chunk";
            return png;
        }
        const std::string type(b.begin() + at + 4, b.begin() + at + 8);
        if (crc32(0, &b[at + 4], length + 4) != BigEndian(&b[at + 8 + length])) {
            png.problem = "crc of " + type;
            return png;
        }
        const uint8_t* data = &b[at + 8];
        if (type == "IHDR") {
            png.width = BigEndian(data);
            png.height = BigEndian(data + 4);
            if (data[8] != 8 || data[9] != 6 || data[12] != 0) {
                png.problem = "not 8-bit RGBA";
                return png;
            }
        } else if (type == "IDAT") {
            idat.insert(idat.end(), data, data + length);
        } else if (type == "IEND") {
            sawEnd = true;
        }
        at += 12 + length;
    }
    const size_t stride = 1 + 4 * static_cast<size_t>(png.width);
    std::vector<uint8_t> raw(stride * png.height + 1);
    uLongf rawSize = raw.size();
    if (!sawEnd || uncompress(raw.data(), &rawSize, idat.data(), idat.size()) != Z_OK || rawSize != stride * png.height) {
        png.problem = "image data";
        return png;
    }
    for (uint32_t y = 0; y < png.height; ++y) {
        if (raw[y * stride] != 0) {
            png.problem = "row filter";
            return png;
        }
        png.rgba.insert(png.rgba.end(), raw.begin() + y * stride + 1, raw.begin() + (y + 1) * stride);
    }
    png.valid = true;
    return png;
}

uint8_t AlphaAt(const DecodedPng& png, uint32_t x, uint32_t y) { return png.rgba[(y * png.width + x) * 4 + 3]; }

std::set<std::string> FilesUnder(const std::string& dir)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        if (entry.is_regular_file())
            names.insert(fs::relative(entry.path(), dir).generic_string());
    return names;
}

// ---- the book pieces and the splash -----------------------------------------

struct GifCase {
    int number, width, height;
    enum Colors { App, Sixteen, Own } colors;
};

class BookPictureFile : public testing::TestWithParam<GifCase> {};

TEST_P(BookPictureFile, IsOneGif87aImageOfItsSizeOnItsColourTable)
{
    const GifCase c = GetParam();
    const DecodedGif gif = DecodeGif(kArtDir + "/" + std::to_string(c.number) + ".gif");
    EXPECT_EQ(gif.version, "87a");
    ASSERT_EQ(gif.imageCount, 1);
    EXPECT_EQ(gif.width, c.width);
    EXPECT_EQ(gif.height, c.height);
    EXPECT_TRUE(gif.imageCoversScreen);
    if (c.colors == GifCase::Sixteen) {
        // The program's GIF reader builds a 4-bit picture from a 16-entry table.
        EXPECT_EQ(gif.colorBits, 4);
        EXPECT_EQ(gif.colors, std::vector<ColorTriple>(kSixteenColors.begin(), kSixteenColors.end()));
    } else {
        EXPECT_EQ(gif.colorBits, 8);
        if (c.colors == GifCase::App) {
            EXPECT_EQ(gif.colors, std::vector<ColorTriple>(kAppPaletteColors.begin(), kAppPaletteColors.end()));
        }
    }
    for (uint8_t index : gif.pixels)
        ASSERT_LT(index, gif.colors.size());
}

INSTANTIATE_TEST_SUITE_P(
    Artwork, BookPictureFile,
    testing::Values(GifCase{1, 250, 372, GifCase::App}, GifCase{2, 54, 372, GifCase::App},
                    GifCase{3, 282, 356, GifCase::App}, GifCase{4, 24, 372, GifCase::App},
                    GifCase{5, 166, 122, GifCase::App}, GifCase{6, 250, 372, GifCase::Sixteen},
                    GifCase{7, 54, 372, GifCase::Sixteen}, GifCase{8, 282, 356, GifCase::Sixteen},
                    GifCase{9, 23, 372, GifCase::Sixteen}, GifCase{10, 166, 122, GifCase::Sixteen},
                    GifCase{11, 550, 191, GifCase::Own}),
    [](const testing::TestParamInfo<GifCase>& info) { return "Picture" + std::to_string(info.param.number); });

// Mean colour of a rectangle of a decoded picture (inclusive corners).
struct Mean {
    double red = 0, green = 0, blue = 0;
    double Light() const { return 0.3 * red + 0.59 * green + 0.11 * blue; }
};
Mean MeanOf(const DecodedGif& gif, int x0, int y0, int x1, int y1)
{
    Mean m;
    int n = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const ColorTriple c = gif.colors[gif.pixels[static_cast<size_t>(y) * gif.width + x]];
            m.red += c.red;
            m.green += c.green;
            m.blue += c.blue;
            ++n;
        }
    m.red /= n;
    m.green /= n;
    m.blue /= n;
    return m;
}

// The pieces must read as what they are once the album view has cut them
// apart; a shifted column range or a wrong colour table shows up here.
TEST(BookPieces, LookLikeLeatherPaperAndGold)
{
    for (int first : {1, 6}) {
        SCOPED_TRACE(first);
        const DecodedGif leather = DecodeGif(kArtDir + "/" + std::to_string(first) + ".gif");
        const DecodedGif page = DecodeGif(kArtDir + "/" + std::to_string(first + 2) + ".gif");
        const DecodedGif plate = DecodeGif(kArtDir + "/" + std::to_string(first + 4) + ".gif");
        ASSERT_FALSE(leather.pixels.empty());
        ASSERT_FALSE(page.pixels.empty());
        ASSERT_FALSE(plate.pixels.empty());

        const Mean hide = MeanOf(leather, 0, 0, 249, 371);
        EXPECT_GT(hide.red, 2 * hide.green);
        EXPECT_LT(hide.Light(), 90);

        // The open page, away from its binding edge, is light paper.
        EXPECT_GT(MeanOf(page, 10, 10, 220, 345).Light(), 235);

        // The title is written on the plate's box (21,15)-(145,83): it must
        // be gold and even, with nothing engraved in it.
        const Mean box = MeanOf(plate, 21, 15, 145, 83);
        EXPECT_GT(box.red, box.blue + 60);
        EXPECT_GT(box.green, box.blue + 30);
        for (int y = 15; y <= 83; y += 17)
            EXPECT_NEAR(MeanOf(plate, 21, y, 145, y).Light(), box.Light(), 30) << "row " << y;
    }
}

TEST(BookPieces, RingEndsContinueTheMirroredRightPage)
{
    for (int number : {3, 8}) {
        SCOPED_TRACE(number);
        const DecodedGif page = DecodeGif(kArtDir + "/" + std::to_string(number) + ".gif");
        ASSERT_FALSE(page.pixels.empty());
        // The right page is the page mirrored, with its columns 0-22 replaced
        // by columns 259-281 of the sheet: away from the rings the last
        // ring-end column must match its neighbour, page column 256 - 23.
        const Mean ringEndsEdge = MeanOf(page, 281, 100, 281, 160);
        const Mean mirroredNeighbour = MeanOf(page, 233, 100, 233, 160);
        EXPECT_NEAR(ringEndsEdge.Light(), mirroredNeighbour.Light(), 8);
        // Around a ring the ring ends carry the hole and the wire: darker.
        EXPECT_LT(MeanOf(page, 259, 172, 281, 184).Light(), ringEndsEdge.Light() - 20);
    }
}

// ---- PNG pictures -------------------------------------------------------------------

TEST(SmallPictures, EveryPngIsValidRgbaOfItsDocumentedSize)
{
    std::map<std::string, std::pair<uint32_t, uint32_t>> sizes = {
        {"cursors/select.png", {32, 32}},     {"cursors/next_page.png", {32, 32}},
        {"cursors/previous_page.png", {32, 32}}, {"gauge.png", {20, 9}},
        {"slideshow_bar.png", {80, 15}},      {"slideshow_bar@2x.png", {160, 30}},
        {"titlebar.png", {56, 14}},
        {"buttons/poubelle.png", {48, 48}},   {"buttons/newonglet.png", {48, 48}},
        {"buttons/delonglet.png", {48, 48}},  {"buttons/rassemble.png", {48, 48}}};
    int toolbarIcons = 0;
    for (const std::string& name : FilesUnder(kArtDir)) {
        if (fs::path(name).extension() != ".png")
            continue;
        SCOPED_TRACE(name);
        const DecodedPng png = DecodePng(kArtDir + "/" + name);
        ASSERT_TRUE(png.valid) << png.problem;
        if (name.starts_with("toolbar/")) {
            const uint32_t side = name.starts_with("toolbar/16/") ? 16 : 32;
            EXPECT_EQ(png.width, side);
            EXPECT_EQ(png.height, side);
            ++toolbarIcons;
            // Drawn on a clear background, and not left empty.
            int opaque = 0;
            for (uint32_t i = 0; i < side * side; ++i)
                opaque += png.rgba[i * 4 + 3] > 200;
            EXPECT_GT(opaque, int(side * side / 8));
            EXPECT_LT(opaque, int(side * side));
            continue;
        }
        ASSERT_TRUE(sizes.count(name)) << "not documented";
        EXPECT_EQ(png.width, sizes[name].first);
        EXPECT_EQ(png.height, sizes[name].second);
        sizes.erase(name);
    }
    EXPECT_TRUE(sizes.empty()) << sizes.size() << " pictures missing, first " << sizes.begin()->first;
    EXPECT_GE(toolbarIcons, 2 * 20);
}

TEST(SmallPictures, ToolbarIconsComeInBothSizes)
{
    std::set<std::string> small, large;
    for (const std::string& name : FilesUnder(kArtDir + "/toolbar")) {
        (name.starts_with("16/") ? small : large).insert(name.substr(3));
    }
    EXPECT_EQ(small, large);
}

TEST(SmallPictures, CursorHotspotsLieOnTheShape)
{
    const std::pair<const char*, std::pair<uint32_t, uint32_t>> hotspots[] = {
        {"cursors/select.png", {12, 1}}, {"cursors/next_page.png", {16, 16}}, {"cursors/previous_page.png", {15, 16}}};
    for (const auto& [name, spot] : hotspots) {
        const DecodedPng png = DecodePng(kArtDir + "/" + name);
        ASSERT_TRUE(png.valid) << name;
        EXPECT_GT(AlphaAt(png, spot.first, spot.second), 128) << name;
        EXPECT_EQ(AlphaAt(png, 0, 31), 0) << name;
    }
    // The two page cursors are each other's mirror image.
    const DecodedPng next = DecodePng(kArtDir + "/cursors/next_page.png");
    const DecodedPng previous = DecodePng(kArtDir + "/cursors/previous_page.png");
    for (uint32_t y = 0; y < 32; ++y)
        for (uint32_t x = 0; x < 32; ++x)
            ASSERT_EQ(AlphaAt(next, x, y), AlphaAt(previous, 31 - x, y)) << x << "," << y;
}

TEST(SmallPictures, GaugeCellsDifferAndKeepTheirGap)
{
    const DecodedPng gauge = DecodePng(kArtDir + "/gauge.png");
    ASSERT_TRUE(gauge.valid);
    auto pixel = [&](uint32_t x, uint32_t y) {
        const uint8_t* p = &gauge.rgba[(y * gauge.width + x) * 4];
        return std::vector<uint8_t>(p, p + 4);
    };
    EXPECT_NE(pixel(4, 4), pixel(14, 4));
    for (uint32_t y = 0; y < 9; ++y) {
        EXPECT_EQ(AlphaAt(gauge, 9, y), 0) << y;
        EXPECT_EQ(AlphaAt(gauge, 19, y), 0) << y;
        EXPECT_EQ(AlphaAt(gauge, 4, y), 255) << y;
    }
}

// ---- the generator ----------------------------------------------------------------

int RunGenerator(const std::string& dir)
{
    const std::string command = std::string("\"") + LUMORA_ARTWORK_TOOL + "\" \"" + dir + "\"";
    return std::system(command.c_str());
}

TEST(Generator, IsDeterministicAndMatchesTheCommittedFiles)
{
    test::TempDir first, second;
    ASSERT_EQ(RunGenerator(first.Path()), 0);
    ASSERT_EQ(RunGenerator(second.Path()), 0);

    std::set<std::string> committed = FilesUnder(kArtDir);
    committed.erase("README.md");
    const std::set<std::string> generated = FilesUnder(first.Path());
    EXPECT_EQ(generated, committed);
    for (const std::string& name : generated) {
        const std::vector<uint8_t> bytes = test::ReadBytes(first.File(name));
        EXPECT_EQ(bytes, test::ReadBytes(second.File(name))) << name << " differs between runs";
        EXPECT_EQ(bytes, test::ReadBytes(kArtDir + "/" + name)) << name << " is out of date: rerun lumora-artwork";
    }
}

// ---- pieces of the generator ------------------------------------------------------

TEST(Diffusion, ExactPaletteColoursStayPure)
{
    const std::vector<ColorTriple> colors(kSixteenColors.begin(), kSixteenColors.end());
    art::Image image(9, 5, art::Rgb8(0x80, 0x00, 0x00));
    const art::IndexedImage out = art::DiffuseOnto(image, colors);
    for (uint8_t index : out.indices)
        EXPECT_EQ(index, 1);  // maroon
}

TEST(Diffusion, InBetweenShadesKeepTheirMeanBrightness)
{
    const std::vector<ColorTriple> blackAndWhite = {{0, 0, 0}, {255, 255, 255}};
    for (int level : {64, 128, 200}) {
        art::Image image(40, 40, art::Rgb8(level, level, level));
        const art::IndexedImage out = art::DiffuseOnto(image, blackAndWhite);
        double sum = 0;
        for (uint8_t index : out.indices)
            sum += index * 255.0;
        // Damped error diffusion may drift a little, never by a whole step.
        EXPECT_NEAR(sum / out.indices.size(), level, 20) << level;
    }
}

bool IsGrey(const ColorTriple& c) { return std::max({c.red, c.green, c.blue}) - std::min({c.red, c.green, c.blue}) <= 16; }

TEST(Diffusion, GreysOnlyAvoidsColouredEntries)
{
    const std::vector<ColorTriple> colors(kAppPaletteColors.begin(), kAppPaletteColors.end());
    art::Image image(30, 30, art::Rgb8(250, 248, 232));
    const art::IndexedImage out = art::DiffuseOnto(image, colors, art::ColorChoice::GreysOnly);
    for (uint8_t index : out.indices)
        ASSERT_TRUE(IsGrey(colors[index])) << int(index);
}

TEST(Diffusion, GreysWhereGreyKeepsColouredAreasColoured)
{
    // Bluish steel beside a dark red: with sixteen colours the steel would
    // otherwise pick up blue and cyan dots.
    const std::vector<ColorTriple> colors(kSixteenColors.begin(), kSixteenColors.end());
    art::Image image(40, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x)
            image.At(x, y) = x < 20 ? art::Rgb8(150, 156, 168) : art::Rgb8(150, 10, 12);
    const art::IndexedImage out = art::DiffuseOnto(image, colors, art::ColorChoice::GreysWhereGrey);
    int redOnRight = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 40; ++x) {
            const ColorTriple c = colors[out.indices[y * 40 + x]];
            if (x < 20)
                ASSERT_TRUE(IsGrey(c)) << x << "," << y;
            else
                redOnRight += c.red > c.green + 60;
        }
    EXPECT_GT(redOnRight, 200);
}

TEST(MedianCut, KeepsEveryColourOfASmallPicture)
{
    art::Image image(4, 2);
    const art::Color picks[] = {art::Rgb8(10, 20, 30), art::Rgb8(200, 10, 10), art::Rgb8(10, 200, 10),
                                art::Rgb8(250, 250, 250)};
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            image.At(x, y) = picks[x];
    const std::vector<ColorTriple> table = art::MedianCutColors(image, 16);
    EXPECT_EQ(table.size(), 16u);
    for (const art::Color& c : picks) {
        const ColorTriple want{art::ToByte(c.r), art::ToByte(c.g), art::ToByte(c.b)};
        EXPECT_NE(std::find(table.begin(), table.end(), want), table.end());
    }
}

TEST(PngWriter, RoundTripsPixelsAndAlpha)
{
    test::TempDir dir;
    art::Image image(3, 2);
    image.At(0, 0) = art::Rgb8(255, 0, 0);
    image.At(2, 1) = art::Rgb8(10, 20, 30, 0.5f);
    ASSERT_TRUE(art::WritePng(dir.File("t.png"), image));
    const DecodedPng png = DecodePng(dir.File("t.png"));
    ASSERT_TRUE(png.valid) << png.problem;
    ASSERT_EQ(png.width, 3u);
    ASSERT_EQ(png.height, 2u);
    EXPECT_EQ(std::vector<uint8_t>(png.rgba.begin(), png.rgba.begin() + 4), (std::vector<uint8_t>{255, 0, 0, 255}));
    EXPECT_EQ(AlphaAt(png, 1, 0), 0);
    EXPECT_EQ(std::vector<uint8_t>(png.rgba.end() - 4, png.rgba.end()), (std::vector<uint8_t>{10, 20, 30, 128}));
}

TEST(GifWriter, PadsASixteenColourTableAndKeepsIndices)
{
    test::TempDir dir;
    art::IndexedImage image{5, 3, {}, {{1, 2, 3}, {250, 0, 0}, {0, 0, 250}}};
    for (int i = 0; i < 15; ++i)
        image.indices.push_back(static_cast<uint8_t>(i % 3));
    ASSERT_TRUE(art::WriteGif87a(dir.File("t.gif"), image, 4));
    const DecodedGif gif = DecodeGif(dir.File("t.gif"));
    EXPECT_EQ(gif.version, "87a");
    EXPECT_EQ(gif.colorBits, 4);
    ASSERT_EQ(gif.colors.size(), 16u);
    EXPECT_EQ(gif.colors[1], (ColorTriple{250, 0, 0}));
    EXPECT_EQ(gif.colors[15], (ColorTriple{0, 0, 0}));
    EXPECT_EQ(gif.pixels, image.indices);
}

// ---- drawing primitives -------------------------------------------------------------

TEST(Shapes, SignTellsInsideFromOutside)
{
    EXPECT_LT(art::Circle(5, 5, 2)(5, 6), 0);
    EXPECT_NEAR(art::Circle(5, 5, 2)(9, 5), 2, 1e-5);
    EXPECT_LT(art::Box(0, 0, 10, 4, 1)(5, 2), 0);
    EXPECT_GT(art::Box(0, 0, 10, 4, 1)(0.1f, 0.1f), 0);  // the rounded corner is cut away
    // A concave "L": the notch is outside although it lies within the hull.
    const art::Shape ell = art::Polygon({0, 0, 2, 0, 2, 8, 6, 8, 6, 10, 0, 10});
    EXPECT_LT(ell(1, 5), 0);
    EXPECT_GT(ell(4, 4), 0);
    EXPECT_LT(ell(5, 9), 0);
    const art::Shape ring = art::Subtract(art::Circle(0, 0, 5), art::Circle(0, 0, 3));
    EXPECT_GT(ring(0, 0), 0);
    EXPECT_LT(ring(4, 0), 0);
}

TEST(Canvas, EdgePixelsGetPartialCoverage)
{
    art::Image image(4, 1);
    art::Canvas canvas(image, 1);
    canvas.Fill(art::Box(0, -1, 2.5f, 2), art::Rgb8(255, 255, 255));
    EXPECT_FLOAT_EQ(image.At(0, 0).a, 1);
    EXPECT_FLOAT_EQ(image.At(1, 0).a, 1);
    EXPECT_NEAR(image.At(2, 0).a, 0.5f, 0.01f);
    EXPECT_FLOAT_EQ(image.At(3, 0).a, 0);
    // Design units scale with the canvas.
    art::Image twice(8, 2);
    art::Canvas big(twice, 2);
    big.Fill(art::Box(0, -1, 2.5f, 2), art::Rgb8(255, 255, 255));
    EXPECT_FLOAT_EQ(twice.At(4, 1).a, 1);
    EXPECT_FLOAT_EQ(twice.At(5, 1).a, 0);
}

TEST(Noise, StaysInRangeAndDependsOnlyOnSeedAndPoint)
{
    const art::Noise a(7), b(7), c(8);
    bool differs = false;
    for (int i = 0; i < 200; ++i) {
        const float x = i * 0.37f, y = i * 0.11f;
        const float v = a.Fractal(x, y, 4);
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 1);
        ASSERT_EQ(v, b.Fractal(x, y, 4));
        differs |= v != c.Fractal(x, y, 4);
        const art::Noise::Cells cells = a.Cellular(x, y);
        ASSERT_LE(cells.nearest, cells.second);
    }
    EXPECT_TRUE(differs);
    // Value noise is continuous: neighbouring samples are close.
    EXPECT_NEAR(a.Value(3.5f, 2.25f), a.Value(3.501f, 2.25f), 0.01f);
}

TEST(StrokeFont, WidthsAddUpAndGlyphsLandWhereSet)
{
    const art::TextStyle style{40, 0.06f, 0, 0.05f};
    EXPECT_GT(art::TextWidth("Lumora", style), art::TextWidth("Lum", style));
    EXPECT_NEAR(art::TextWidth("LL", style), 2 * art::TextWidth("L", style) + style.tracking * style.size, 0.01f);
    EXPECT_EQ(art::TextWidth("", style), 0);
    // "L" set at (10, 50): its stem and foot are ink, the space above the
    // foot is not.
    const art::Shape text = art::TextShape("L", 10, 50, style);
    const float stemX = 10 + style.weight * style.size;
    EXPECT_LT(text(stemX, 35), 0);
    EXPECT_LT(text(stemX + 10, 50), 0);
    EXPECT_GT(text(stemX + 10, 38), 0);
}

// ---- putting the book together --------------------------------------------------------

// Pieces whose every column has its own colour, so each copy can be traced.
art::Image Columns(int width, int height, int tag)
{
    art::Image image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.At(x, y) = art::Color{float(tag), float(x), float(y), 1};
    return image;
}

TEST(Composition, CutsAndPlacesThePiecesByTheTable)
{
    const art::BookPieces pieces{Columns(250, 372, 1), Columns(54, 372, 2), Columns(282, 356, 3), Columns(24, 372, 4),
                                 Columns(166, 122, 5)};
    const art::BookPictures book = art::ComposeBook(pieces);
    auto source = [](const art::Image& image, int x, int y) { return std::pair(int(image.At(x, y).r), int(image.At(x, y).g)); };
    EXPECT_EQ(source(book.cover, 0, 9), std::pair(4, 0));
    EXPECT_EQ(source(book.cover, 12, 9), std::pair(1, 0));
    EXPECT_EQ(source(book.cover, 264, 9), std::pair(4, 21));
    EXPECT_EQ(source(book.cover, 55, 55), std::pair(5, 0));
    EXPECT_EQ(source(book.cover, 220, 176), std::pair(5, 165));
    EXPECT_EQ(source(book.openBook, 0, 0), std::pair(4, 14));
    EXPECT_EQ(source(book.openBook, 253, 0), std::pair(2, 0));
    EXPECT_EQ(source(book.openBook, 307, 0), std::pair(1, 0));
    EXPECT_EQ(source(book.openBook, 559, 0), std::pair(4, 21));
    EXPECT_EQ(source(book.leftPage, 256, 3), std::pair(3, 256));
    // The right page: ring ends first, then the page mirrored.
    EXPECT_EQ(source(book.rightPage, 0, 3), std::pair(3, 259));
    EXPECT_EQ(source(book.rightPage, 22, 3), std::pair(3, 281));
    EXPECT_EQ(source(book.rightPage, 23, 3), std::pair(3, 233));
    EXPECT_EQ(source(book.rightPage, 256, 3), std::pair(3, 0));
    EXPECT_EQ(int(book.rightPage.At(100, 355).b), 355);
}

// ---- the book drawn finer -------------------------------------------------------------

// A piece drawn at scale 2 is the same surface seen closer: twice the size
// and, averaged back over 2 x 2 pixels, the classic piece. A feature drawn
// in the wrong place at the finer scale (a ring, a groove, a shadow) shows
// up as a large difference somewhere.
TEST(FinerBook, EveryPieceAtScaleTwoAveragesBackToTheClassicOne)
{
    using Render = art::Image (*)(const art::BookStyle&);
    const std::pair<const char*, Render> pieces[] = {
        {"leather", art::RenderLeather}, {"spine", art::RenderSpine}, {"page", art::RenderPageSheet},
        {"edge", art::RenderEdge},       {"plate", art::RenderTitlePlate},
    };
    for (const auto& [name, render] : pieces) {
        SCOPED_TRACE(name);
        const art::Image classic = render(art::BookStyle{false, 1});
        const art::Image finer = render(art::BookStyle{false, 2});
        ASSERT_EQ(finer.Width(), 2 * classic.Width());
        ASSERT_EQ(finer.Height(), 2 * classic.Height());
        double total = 0, worst = 0;
        for (int y = 0; y < classic.Height(); ++y)
            for (int x = 0; x < classic.Width(); ++x) {
                const auto light = [](const art::Color& c) { return (c.r + c.g + c.b) / 3 * 255; };
                const double averaged = (light(finer.At(2 * x, 2 * y)) + light(finer.At(2 * x + 1, 2 * y)) +
                                         light(finer.At(2 * x, 2 * y + 1)) + light(finer.At(2 * x + 1, 2 * y + 1))) /
                                        4;
                const double difference = std::abs(averaged - light(classic.At(x, y)));
                total += difference;
                worst = std::max(worst, difference);
            }
        EXPECT_LT(total / (classic.Width() * classic.Height()), 8.0);  // the grain, sampled between pixels
        EXPECT_LT(worst, 60.0);  // steel against paper is over 100
    }
}

}  // namespace
}  // namespace lumora
