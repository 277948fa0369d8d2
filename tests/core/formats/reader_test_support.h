#pragma once
// Shared by the GIF, PCX and Targa reader tests: the table of outcomes
// expected for the shared test pictures, and a progress gauge that records.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/picture/read_options.h"
#include "core/platform/services.h"
#include "support/test_support.h"

namespace lumora::test {

// What a reader makes of one file: its size and depth, or no picture (all 0).
struct ExpectedOutcome {
    const char* file;
    int32_t width;
    int32_t height;
    int bits;
};

// Reads every file of testdata/<folder>: each must be listed, must decode
// as listed, and what decodes must be a well-formed block.
inline void CheckOutcomes(const std::string& folder, std::span<const ExpectedOutcome> table,
                          const std::function<ReadResult(const std::string&)>& read)
{
    std::map<std::string, ExpectedOutcome> byName;
    for (const ExpectedOutcome& e : table)
        byName.emplace(e.file, e);
    const std::filesystem::path dir = TestDataPath(folder);
    size_t seen = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        const auto found = byName.find(name);
        if (found == byName.end()) {
            ADD_FAILURE() << name << " has no expected outcome";
            continue;
        }
        ++seen;
        const ExpectedOutcome& e = found->second;
        const ReadResult result = read(entry.path().string());
        const Picture& dib = result.picture;
        if (e.bits == 0) {
            EXPECT_FALSE(dib) << name << " should give no picture";
            EXPECT_NE(result.error, ReadError::None) << name << " should say why";
            continue;
        }
        EXPECT_EQ(result.error, ReadError::None) << name;
        ASSERT_TRUE(dib) << name << " should decode";
        ASSERT_TRUE(IsValidPicture(dib.Bytes())) << name;
        EXPECT_EQ(int32_t(dib.Width()), e.width) << name;
        EXPECT_EQ(int32_t(dib.Height()), e.height) << name;
        EXPECT_EQ(dib.BitCount(), e.bits) << name;
    }
    EXPECT_EQ(seen, table.size()) << "files listed but missing from " << folder;
}

// The colour of pixel (x, y), y counted from the top of the picture.
inline ColorTriple PixelFromTop(const Picture& dib, uint32_t x, uint32_t y)
{
    return ColorAt(dib, x, dib.Height() - 1 - y);
}

inline ColorTriple Hex(uint32_t rgb)
{
    return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
}

// Reading options with the reader's own progress on or off.
inline ReadOptions WithProgress(bool on)
{
    ReadOptions options;
    options.progress = on;
    return options;
}

}  // namespace lumora::test
