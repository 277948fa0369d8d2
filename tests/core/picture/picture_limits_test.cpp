// Pictures whose declared size is beyond reason are refused before any
// memory is taken for them, with a message saying why.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/formats/image_format.h"
#include "core/picture/picture_limits.h"
#include "support/modern_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old, had_ = true;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            setenv(name_, old_.c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::string old_;
    bool had_ = false;
};

TEST(PictureLimits, TwoHundredMegapixelsUnlessTheEnvironmentSaysMore)
{
    {
        ScopedEnv env("LUMORA_MAX_MEGAPIXELS", nullptr);
        EXPECT_EQ(MaxPicturePixels(), 200'000'000u);
        EXPECT_TRUE(PictureSizeAllowed(20'000, 10'000));
        EXPECT_FALSE(PictureSizeAllowed(20'000, 10'001));
        EXPECT_FALSE(PictureSizeAllowed(uint64_t{1} << 33, 1));
    }
    {
        ScopedEnv env("LUMORA_MAX_MEGAPIXELS", "400");
        EXPECT_TRUE(PictureSizeAllowed(20'000, 20'000));
    }
    for (const char* bad : {"", "abc", "0", "12x"}) {
        ScopedEnv env("LUMORA_MAX_MEGAPIXELS", bad);
        EXPECT_EQ(MaxPicturePixels(), 200'000'000u) << bad;
    }
}

// Files of a few hundred bytes declaring a 32768 x 32767 canvas (or larger):
// each reader refuses at once with the message, never allocating.
TEST(PictureLimits, HugeDeclaredCanvasesRefusedQuicklyWithAMessage)
{
    ScopedEnv env("LUMORA_MAX_MEGAPIXELS", nullptr);
    test::TempDir dir;
    const std::string small = dir.File("small.ppm");
    test::Shell("convert -size 8x8 xc:'#336699' ppm:" + small);
    // Each tiny picture is written, then its declared size patched in place.
    struct Case {
        const char* name;
        std::function<void(std::vector<uint8_t>&)> patch;
    };
    auto be32 = [](std::vector<uint8_t>& b, size_t at, uint32_t v) {
        b[at] = uint8_t(v >> 24); b[at + 1] = uint8_t(v >> 16); b[at + 2] = uint8_t(v >> 8); b[at + 3] = uint8_t(v);
    };
    auto le16 = [](std::vector<uint8_t>& b, size_t at, uint16_t v) { b[at] = uint8_t(v); b[at + 1] = uint8_t(v >> 8); };
    const Case cases[] = {
        {"huge.png", [&](std::vector<uint8_t>& b) { be32(b, 16, 32768); be32(b, 20, 32767); }},
        {"huge.gif", [&](std::vector<uint8_t>& b) { le16(b, 6, 32768); le16(b, 8, 32767); }},
        {"huge.bmp", [&](std::vector<uint8_t>& b) { le16(b, 18, 32768); le16(b, 22, 32767); }},
        {"huge.jpg", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File(c.name);
        if (c.patch) {
            test::Shell("convert " + small + " " + (std::string(c.name) == "huge.gif" ? "" : "-type TrueColor ") + file);
            std::vector<uint8_t> bytes = test::ReadBytes(file);
            c.patch(bytes);
            test::WriteBytes(file, bytes);
        } else {
            // A JPEG declaring 30000 x 30000: its SOF written by hand.
            test::Shell("convert " + small + " -quality 90 " + file);
            std::vector<uint8_t> bytes = test::ReadBytes(file);
            for (size_t i = 2; i + 9 < bytes.size(); ++i)
                if (bytes[i] == 0xFF && bytes[i + 1] == 0xC0) {
                    bytes[i + 5] = 30000 >> 8; bytes[i + 6] = 30000 & 255;
                    bytes[i + 7] = 30000 >> 8; bytes[i + 8] = 30000 & 255;
                    break;
                }
            test::WriteBytes(file, bytes);
        }
        const auto start = std::chrono::steady_clock::now();
        const ReadResult read = ReadImageFile(file, ReadOptions{});
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        EXPECT_FALSE(read);
        EXPECT_EQ(read.error, ReadError::TooLarge);
        const std::vector<HeldMessage> messages = ReadMessages(read);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].text.find("Image trop grande"), std::string::npos);
        EXPECT_NE(messages[0].text.find("200 mégapixels"), std::string::npos);
    }
}

// Memory that runs out is reported, never an abort: a child process under
// an address-space limit reads a PNG declaring 2.7 GB of pixels, allowed by
// a raised picture limit.
TEST(PictureLimits, MemoryThatRunsOutGivesAMessageNotAnAbort)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more than the limit";
#else
    test::TempDir dir;
    const std::string file = dir.File("wide.png");
    test::Shell("convert -size 8x8 xc:'#336699' PNG24:" + file);
    std::vector<uint8_t> bytes = test::ReadBytes(file);
    auto be32 = [&](size_t at, uint32_t v) {
        bytes[at] = uint8_t(v >> 24); bytes[at + 1] = uint8_t(v >> 16); bytes[at + 2] = uint8_t(v >> 8); bytes[at + 3] = uint8_t(v);
    };
    be32(16, 30000);
    be32(20, 30000);
    uint32_t crc = 0xFFFFFFFFu;  // the header chunk's checksum, over its type and data
    for (size_t i = 12; i < 29; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    be32(29, ~crc);
    test::WriteBytes(file, bytes);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("LUMORA_MAX_MEGAPIXELS", "2000", 1);
        rlimit limit{};
        getrlimit(RLIMIT_AS, &limit);
        limit.rlim_cur = rlim_t{1} << 30;
        setrlimit(RLIMIT_AS, &limit);
        const ReadResult read = ReadImageFile(file, ReadOptions{});
        const std::vector<HeldMessage> messages = ReadMessages(read);
        const bool refused = !read && read.error == ReadError::OutOfMemory;
        const bool told = messages.size() == 1 && messages[0].text.find("Mémoire insuffisante") != std::string::npos;
        if (!(refused && told))
            std::fprintf(stderr, "refused %d, %zu messages: %s\n", refused, messages.size(),
                         messages.empty() ? "" : messages[0].text.c_str());
        _exit(refused && told ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "the reader aborted";
    EXPECT_EQ(WEXITSTATUS(status), 0);
#endif
}

}  // namespace
}  // namespace lumora
