#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <tuple>

#include "core/formats/jpeg_writer.h"
#include "jpeg_test_support.h"
#include "core/res/strings.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// Answers Abort/Retry/Ignore from a script and records the questions.
class ScriptedPrompter final : public Prompter {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.prompter = this; }};
    explicit ScriptedPrompter(std::vector<AbortRetryIgnore> answers) : answers_(std::move(answers)) {}
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string&) override
    {
        texts.push_back(text);
        if (beforeAnswer)
            beforeAnswer();
        const size_t i = std::min(texts.size(), answers_.size()) - 1;
        return answers_[i];
    }
    std::vector<std::string> texts;
    std::function<void()> beforeAnswer;

private:
    std::vector<AbortRetryIgnore> answers_;
};

bool Close(ColorTriple a, uint8_t r, uint8_t g, uint8_t b, int tolerance = 12)
{
    return std::abs(a.red - r) <= tolerance && std::abs(a.green - g) <= tolerance &&
           std::abs(a.blue - b) <= tolerance;
}

ColorTriple SampleAt(const test::DecodedJpeg& d, uint32_t x, uint32_t topRow)
{
    const uint8_t* s = d.samples.data() + (size_t{topRow} * d.width + x) * 3;
    return {s[0], s[1], s[2]};
}

// Left half, right half, and top and bottom bands in distinct colours, so
// that swapped components, mirrored rows and a wrong pixel order all show.
constexpr ColorTriple kColors[4] = {{200, 30, 30}, {30, 200, 30}, {30, 30, 200}, {240, 240, 240}};

void ExpectQuadrants(const test::DecodedJpeg& d)
{
    ASSERT_EQ(d.components, 3);
    const uint32_t w = d.width, h = d.height;
    for (const auto& [x, y, c] : {std::tuple{w / 4, h / 4, 0}, std::tuple{3 * w / 4, h / 4, 1},
                                  std::tuple{w / 4, 3 * h / 4, 2}, std::tuple{3 * w / 4, 3 * h / 4, 3}}) {
        const ColorTriple& want = kColors[c];
        EXPECT_TRUE(Close(SampleAt(d, x, y), want.red, want.green, want.blue))
            << "at " << x << "," << y << " quadrant " << c;
    }
}

// A picture of the given depth whose top-left, top-right, bottom-left and
// bottom-right quadrants hold kColors 0 to 3.
Picture MakeQuadrants(int bits, int32_t w, int32_t h)
{
    Picture dib = Picture::Make(w, h, bits);
    uint8_t* table = dib.Data() + kInfoHeaderSize;
    constexpr int kTwoSlots[4] = {0, 1, 1, 1}, kSixteenSlots[4] = {9, 3, 7, 14};
    const int* slots = bits == 1 ? kTwoSlots : kSixteenSlots;
    if (bits != 24)
        for (int q = 0; q < (bits == 1 ? 2 : 4); ++q) {
            uint8_t* e = table + slots[q] * 4;
            e[0] = kColors[q].blue, e[1] = kColors[q].green, e[2] = kColors[q].red;
        }
    const uint64_t stride = PictureRowBytes(w, bits);
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) {
            const int q = (y < h / 2 ? 0 : 2) + (x < w / 2 ? 0 : 1);  // y from the top
            uint8_t* row = dib.Pixels() + (h - 1 - y) * stride;
            const int v = slots[q];
            switch (bits) {
            case 1: row[x / 8] |= static_cast<uint8_t>(v << (7 - x % 8)); break;
            case 4: row[x / 2] |= static_cast<uint8_t>(x % 2 ? v : v << 4); break;
            case 8: row[x] = static_cast<uint8_t>(v); break;
            default:
                row[x * 3] = kColors[q].blue, row[x * 3 + 1] = kColors[q].green,
                row[x * 3 + 2] = kColors[q].red;
            }
        }
    return dib;
}

TEST(WriteJPEGFile, EveryDepthDecodesToItsColours)
{
    test::TempDir dir;
    for (const int bits : {4, 8, 24}) {
        SCOPED_TRACE(bits);
        const std::string path = dir.File("q" + std::to_string(bits) + ".jpg");
        ASSERT_TRUE(WriteJPEGFile(MakeQuadrants(bits, 37, 22), path, 90));
        const test::DecodedJpeg d = test::DecodeReference(path);
        EXPECT_EQ(d.width, 37u);
        EXPECT_EQ(d.height, 22u);
        EXPECT_FALSE(d.progressive);
        ExpectQuadrants(d);
    }
    // Two colours only: the top-right and both bottom quadrants share one.
    const std::string path = dir.File("q1.jpg");
    ASSERT_TRUE(WriteJPEGFile(MakeQuadrants(1, 41, 20), path, 90));
    const test::DecodedJpeg d = test::DecodeReference(path);
    EXPECT_TRUE(Close(SampleAt(d, 5, 5), 200, 30, 30));
    EXPECT_TRUE(Close(SampleAt(d, 35, 5), 30, 200, 30));
    EXPECT_TRUE(Close(SampleAt(d, 5, 15), 30, 200, 30));
}

TEST(WriteJPEGFile, QualityComesFromTheCompressionRate)
{
    EXPECT_EQ(JpegQualityForCompression(25), 75);
    EXPECT_EQ(JpegQualityForCompression(1), 99);
    EXPECT_EQ(JpegQualityForCompression(99), 1);
    test::TempDir dir;
    const std::string path = dir.File("q75.jpg");
    ASSERT_TRUE(WriteJPEGFile(MakeQuadrants(24, 16, 16), path, JpegQualityForCompression(25)));
    EXPECT_EQ(test::DecodeReference(path).lumaTable, test::LumaTableForQuality(75));
    EXPECT_NE(test::LumaTableForQuality(75), test::LumaTableForQuality(50));
}

// Keeps every status text shown.
class RecordingStatus final : public StatusDisplay {
public:
    ScopedServices installed_{[this](Services& services) { services.status = this; }};
    std::string StatusText() const override { return texts.empty() ? std::string() : texts.back(); }
    void SetStatusText(const std::string& text) override { texts.push_back(text); }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    std::vector<std::string> texts;
};

TEST(WriteJPEGFile, StatusBarNamesTheFileBeingConverted)
{
    test::TempDir dir;
    const std::string path = dir.File("été.jpg");
    RecordingStatus status;
    ASSERT_TRUE(WriteJPEGFile(MakeQuadrants(24, 16, 16), path, 75));
    EXPECT_EQ(status.texts, std::vector<std::string>({"Conversion au format JPEG de " + path}));
}

TEST(WriteJPEGFile, RefusesPicturesItCannotWrite)
{
    test::TempDir dir;
    const std::string path = dir.File("none.jpg");
    test::CapturingReporter reporter;
    EXPECT_EQ(WriteJPEGFile(Picture{}, path, 75).outcome, JpegWriteOutcome::Refused);
    Picture broken = MakeQuadrants(8, 10, 10);
    broken.Resize(100);  // rows cut off
    EXPECT_EQ(WriteJPEGFile(broken, path, 75).outcome, JpegWriteOutcome::Refused);
    EXPECT_FALSE(std::filesystem::exists(path));

    // Wider than JPEG allows: fails before a row buffer of three bytes a
    // pixel is taken, nothing written.
    const JpegWriteResult wide = WriteJPEGFile(Picture::Make(70000, 1, 1), path, 75);
    EXPECT_EQ(wide.outcome, JpegWriteOutcome::Failed);
    EXPECT_EQ(wide.failure.error, EFBIG);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(reporter.messages.empty());  // the caller says it, in its words
}

TEST(WriteJPEGFile, AFileThatCannotBeMadeComesBackWithItsCauseAndNoQuestion)
{
    test::TempDir dir;
    const std::string path = dir.File("missing/out.jpg");
    const Picture picture = MakeQuadrants(24, 8, 8);
    ScriptedPrompter prompter({AbortRetryIgnore::Retry});
    test::CapturingReporter reporter;
    const JpegWriteResult missing = WriteJPEGFile(picture, path, 75);
    EXPECT_EQ(missing.outcome, JpegWriteOutcome::Failed);
    EXPECT_TRUE(missing.failure);
    EXPECT_EQ(missing.failure.error, ENOENT);
    EXPECT_TRUE(prompter.texts.empty());
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_EQ(JpegWriteFailedText(path), LoadString(kStrJpegCreateFailed) + "\n" + path);
    EXPECT_NE(LoadString(kStrJpegCreateFailed).find("protégée en écriture"), std::string::npos);
    // Once the cause is mended, the same call writes the file.
    std::filesystem::create_directory(dir.File("missing"));
    EXPECT_TRUE(WriteJPEGFile(picture, path, 75));
    EXPECT_EQ(test::DecodeReference(path).width, 8u);
}

TEST(WriteJPEGFile, WriteFailureIsReportedNotPassedOffAsSuccess)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const JpegWriteResult full = WriteJPEGFile(MakeQuadrants(24, 64, 64), "/dev/full", 75);
    EXPECT_EQ(full.outcome, JpegWriteOutcome::Failed);
    EXPECT_TRUE(full.failure);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));  // only regular files are cleaned up
}

TEST(WriteJPEGFile, StepsTheGaugeOncePerRow)
{
    test::TempDir dir;
    test::CountingProgress progress;
    ASSERT_TRUE(WriteJPEGFile(MakeQuadrants(8, 20, 13), dir.File("p.jpg"), 75));
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(progress.steps, 13);
    EXPECT_EQ(progress.lastDone, 13);
    EXPECT_EQ(progress.lastTotal, 13);
}

// Noise compresses badly: the encoder's output grows past its first block
// long before the last row.
Picture Noise(int32_t w, int32_t h)
{
    Picture dib = Picture::Make(w, h, 24);
    uint32_t state = 12345;
    const uint64_t stride = PictureRowBytes(w, 24);
    for (int32_t y = 0; y < h; ++y)
        for (uint64_t i = 0; i < uint64_t(w) * 3; ++i) {
            state = state * 1103515245u + 12345u;
            dib.Pixels()[y * stride + i] = static_cast<uint8_t>(state >> 16);
        }
    return dib;
}

TEST(EncodeJPEG, StoppedOrFinishedItHandsBackWholeBytesOnly)
{
    const Picture picture = Noise(512, 512);
    const auto whole = EncodeJPEG(picture, 95);
    ASSERT_TRUE(whole);
    ASSERT_GT(whole->size(), 128u * 1024);  // grown more than once
    EXPECT_EQ((*whole)[0], 0xFF);
    EXPECT_EQ((*whole)[1], 0xD8);
    EXPECT_EQ(whole->back(), 0xD9);  // ends with its end-of-image marker
    // Stopped late in the picture, after the output has grown: nothing, and
    // nothing freed twice (the sanitizer build watches).
    int asked = 0;
    EXPECT_FALSE(EncodeJPEG(picture, 95, [&] { return ++asked > 6; }));
    EXPECT_EQ(asked, 7);
}

}  // namespace
}  // namespace lumora
