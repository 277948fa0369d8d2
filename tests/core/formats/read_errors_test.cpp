// What every reader says when it gives no picture: a missing file, a file
// cut short, another kind of file under its extension, a picture beyond
// the caller's limit, a FIFO, a read stopped by its caller.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include <sys/stat.h>

#include "core/formats/image_format.h"
#include "support/modern_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::Shell;

const char* Name(ReadError error)
{
    switch (error) {
    case ReadError::None: return "None";
    case ReadError::NotFound: return "NotFound";
    case ReadError::NotThisType: return "NotThisType";
    case ReadError::Unsupported: return "Unsupported";
    case ReadError::Damaged: return "Damaged";
    case ReadError::TooLarge: return "TooLarge";
    case ReadError::OutOfMemory: return "OutOfMemory";
    case ReadError::Stopped: return "Stopped";
    }
    return "?";
}

// One picture of each kind, made from the same gradient (the Photo CD pack
// from the shared test data).
class ReadErrors : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir_ = new test::TempDir;
        const std::string source = dir_->File("source.ppm");
        Shell("convert -size 96x64 gradient:'#ff2000'-'#0040ff' " + source);
        for (const char* ext : {"bmp", "gif", "jpg", "pcx", "tga", "tif", "png", "webp", "heic"})
            Shell("convert " + source + (std::string(ext) == "bmp" ? " BMP3:" : " ") + Good(ext));
        test::WriteBytes(Good("pcd"), test::ReadBytes(test::TestDataPath("pcd/pillow-hopper.pcd")));
    }
    static void TearDownTestSuite()
    {
        delete dir_;
        dir_ = nullptr;
    }
    static std::string Good(const std::string& ext) { return dir_->File("good." + ext); }
    static std::string Make(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        test::WriteBytes(dir_->File(name), bytes);
        return dir_->File(name);
    }

    static test::TempDir* dir_;
};
test::TempDir* ReadErrors::dir_ = nullptr;

struct Expected {
    const char* ext;
    ReadError truncated;  // the first 60 % of the file
    ReadError foreign;    // another kind's bytes under this extension
    size_t foreignMessages = 0;  // libtiff's words are shown, as they always were
};

// libjpeg fills what a cut file lacks and warns; the Photo CD decoder gives
// what it could decode with its faults; both are pictures.
constexpr Expected kReaders[] = {
    {"bmp", ReadError::Damaged, ReadError::NotThisType},
    {"gif", ReadError::Damaged, ReadError::NotThisType},
    {"jpg", ReadError::None, ReadError::NotThisType},
    {"pcx", ReadError::Damaged, ReadError::NotThisType},
    {"tga", ReadError::Damaged, ReadError::NotThisType},
    {"tif", ReadError::Damaged, ReadError::NotThisType, 1},
    {"png", ReadError::Damaged, ReadError::NotThisType},
    {"webp", ReadError::Damaged, ReadError::NotThisType},
    {"heic", ReadError::Damaged, ReadError::NotThisType},
    {"pcd", ReadError::None, ReadError::NotThisType},
};

TEST_F(ReadErrors, EachReaderNamesWhatWentWrong)
{
    for (const Expected& e : kReaders) {
        SCOPED_TRACE(e.ext);
        const std::string ext = e.ext;
        const ReadResult good = ReadImageFile(Good(ext), ReadOptions{});
        ASSERT_TRUE(good);
        EXPECT_EQ(good.error, ReadError::None);

        const ReadResult missing = ReadImageFile(dir_->File("missing." + ext), ReadOptions{});
        EXPECT_FALSE(missing);
        EXPECT_STREQ(Name(missing.error), "NotFound");

        std::vector<uint8_t> bytes = test::ReadBytes(Good(ext));
        bytes.resize(bytes.size() * 6 / 10);
        const ReadResult cut = ReadImageFile(Make("cut." + ext, bytes), ReadOptions{});
        EXPECT_STREQ(Name(cut.error), Name(e.truncated));
        EXPECT_EQ(static_cast<bool>(cut), e.truncated == ReadError::None);

        // PNG bytes, or for a PNG name JPEG bytes.
        const std::string other = ext == "png" ? Good("jpg") : Good("png");
        const ReadResult foreign = ReadImageFile(Make("foreign." + ext, test::ReadBytes(other)), ReadOptions{});
        EXPECT_FALSE(foreign);
        EXPECT_STREQ(Name(foreign.error), Name(e.foreign));
        EXPECT_EQ(ReadMessages(foreign).size(), e.foreignMessages);

        // Beyond the caller's limit: refused with the size and the limit.
        ReadOptions small;
        small.maxPixels = 1000;
        const ReadResult large = ReadImageFile(Good(ext), small);
        EXPECT_FALSE(large);
        EXPECT_STREQ(Name(large.error), "TooLarge");
        const std::vector<HeldMessage> messages = ReadMessages(large);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.find("Image trop grande"), std::string::npos) << messages[0].text;
        EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
    }
}

// The boxes a result makes: only what the program has always shown.
TEST(ReadMessagesTable, TextsForEachKindOfResult)
{
    const struct {
        ReadResult result;
        std::vector<std::string> starts;  // each box's text begins so
    } cases[] = {
        {ReadFailed(ReadError::NotFound), {}},
        {ReadFailed(ReadError::Damaged), {}},
        {ReadFailed(ReadError::Stopped), {}},
        {ReadFailed(ReadError::TooLarge), {}},  // no size read, nothing to name
        {PictureTooLarge(30000, 20000, 200'000'000), {"Image trop grande : 30000 x 20000 pixels"}},
        {PictureOutOfMemory("/photos/a.png"), {"Mémoire insuffisante"}},
        {ReadFailedSaying(ReadError::Damaged, "Bad strip", "TIFFReadScanline"), {"Bad strip"}},
    };
    for (const auto& c : cases) {
        const std::vector<HeldMessage> messages = ReadMessages(c.result);
        ASSERT_EQ(messages.size(), c.starts.size()) << Name(c.result.error);
        for (size_t i = 0; i < messages.size(); ++i) {
            EXPECT_EQ(messages[i].text.rfind(c.starts[i], 0), 0u) << messages[i].text;
            EXPECT_EQ(messages[i].icon, MessageIcon::Stop);
        }
    }
    EXPECT_NE(ReadMessages(PictureOutOfMemory("/photos/a.png"))[0].text.find("/photos/a.png"), std::string::npos);
    EXPECT_EQ(ReadMessages(ReadFailedSaying(ReadError::Damaged, "Bad strip", "TIFFReadScanline"))[0].caption,
              "TIFFReadScanline");
}

// A FIFO named like a picture: nothing writes to it, and the read must not
// wait for a writer.
TEST_F(ReadErrors, FifoGivenAsAPictureReturnsAtOnce)
{
    for (const char* ext : {"jpg", "tif", "png", "bmp"}) {
        const std::string fifo = dir_->File(std::string("fifo.") + ext);
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        const auto start = std::chrono::steady_clock::now();
        const ReadResult read = ReadImageFile(fifo, ReadOptions{});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
        EXPECT_FALSE(read);
        EXPECT_STREQ(Name(read.error), "NotThisType") << ext;
    }
}

// A flag raised before the read stops it at the first row it looks at; one
// raised from another thread during a big read stops it well before the end.
TEST_F(ReadErrors, StopFlagStopsTheRead)
{
    std::atomic<bool> stop{true};
    ReadOptions stopped;
    stopped.stop = &stop;
    for (const Expected& e : kReaders) {
        const ReadResult read = ReadImageFile(Good(e.ext), stopped);
        EXPECT_FALSE(read) << e.ext;
        EXPECT_STREQ(Name(read.error), "Stopped") << e.ext;
        EXPECT_TRUE(ReadMessages(read).empty()) << e.ext;
    }

    const std::string big = dir_->File("big.png");
    Shell("convert -size 4000x4000 gradient:red-blue PNG24:" + big);
    const auto whole = std::chrono::steady_clock::now();
    ASSERT_TRUE(ReadImageFile(big, ReadOptions{}));
    const auto wholeTime = std::chrono::steady_clock::now() - whole;
    stop = false;
    std::thread raiser([&] {
        std::this_thread::sleep_for(wholeTime / 10);
        stop = true;
    });
    const auto start = std::chrono::steady_clock::now();
    const ReadResult read = ReadImageFile(big, stopped);
    const auto stoppedTime = std::chrono::steady_clock::now() - start;
    raiser.join();
    EXPECT_STREQ(Name(read.error), "Stopped");
    EXPECT_LT(stoppedTime, wholeTime / 2);
}

}  // namespace
}  // namespace lumora
