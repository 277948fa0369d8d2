#include <gtest/gtest.h>

#include <cstdlib>

#include "core/platform/file.h"
#include "core/platform/screen.h"
#include "core/platform/services.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class ScreenDepthTest : public ::testing::Test {
protected:
    void TearDown() override { unsetenv("LUMORA_SCREEN_DEPTH"); }
};

TEST_F(ScreenDepthTest, TrueColourUnlessForcedToFourOrEight)
{
    unsetenv("LUMORA_SCREEN_DEPTH");
    EXPECT_EQ(ScreenDepth(), 24);
    setenv("LUMORA_SCREEN_DEPTH", "8", 1);
    EXPECT_EQ(ScreenDepth(), 8);
    setenv("LUMORA_SCREEN_DEPTH", "4", 1);
    EXPECT_EQ(ScreenDepth(), 4);
    setenv("LUMORA_SCREEN_DEPTH", "16", 1);
    EXPECT_EQ(ScreenDepth(), 24);
    setenv("LUMORA_SCREEN_DEPTH", "8x", 1);
    EXPECT_EQ(ScreenDepth(), 24);
}

TEST(FileAccess, WritesReadsSeeksAndRefusesDirectories)
{
    test::TempDir dir;
    const std::string path = dir.File("data.bin");
    {
        File out(path, File::Mode::Write);
        ASSERT_TRUE(out.IsOpen());
        EXPECT_TRUE(out.Write("abcdef", 6));
    }
    File in(path, File::Mode::Read);
    ASSERT_TRUE(in.IsOpen());
    EXPECT_EQ(in.Length(), 6);
    char buffer[8] = {};
    EXPECT_EQ(in.Read(buffer, 8), 6u);  // short read at the end
    EXPECT_EQ(in.Seek(2, File::Origin::Begin), 2);
    EXPECT_EQ(in.Read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "cd");

    File moved = std::move(in);
    EXPECT_TRUE(moved.IsOpen());
    EXPECT_FALSE(in.IsOpen());

    EXPECT_TRUE(IsRegularFile(path));
    EXPECT_FALSE(IsRegularFile(dir.Path()));
    EXPECT_FALSE(IsRegularFile(""));
    EXPECT_FALSE(File(dir.Path(), File::Mode::Read).IsOpen());
    ASSERT_TRUE(StatFile(path).has_value());
    EXPECT_EQ(StatFile(path)->size, 6);
    EXPECT_FALSE(StatFile(dir.File("missing")).has_value());
}

TEST(Services, SilentDefaultsAndScopedInstallation)
{
    // Nothing installed: no message goes anywhere, questions are aborted,
    // no dialog can open and the built-in preferences hold.
    InstallServices({});
    ReportStop("ignored");
    EXPECT_EQ(CurrentPrompter().AskAbortRetryIgnore("?", ""), AbortRetryIgnore::Abort);
    EXPECT_EQ(CurrentPasswordPrompt(), nullptr);
    EXPECT_EQ(CurrentPreviewRetryHandler(), nullptr);
    EXPECT_FALSE(CurrentFastBitmapMaker());
    EXPECT_EQ(CurrentPreferences(), Preferences{});
    {
        Preferences mine;
        mine.compression = 7;
        ScopedServices scoped([&mine](Services& services) { services.preferences = &mine; });
        EXPECT_EQ(CurrentPreferences().compression, 7);
    }
    EXPECT_EQ(CurrentPreferences(), Preferences{});
    {
        test::CapturingReporter reporter;
        ReportStop("Erreur", "Titre");
        ASSERT_EQ(reporter.messages.size(), 1u);
        EXPECT_EQ(reporter.messages[0].caption, "Titre");
    }
    // Uninstalled again by the capturing reporter's destructor.
    EXPECT_EQ(dynamic_cast<test::CapturingReporter*>(&CurrentErrorReporter()), nullptr);
}

}  // namespace
}  // namespace lumora
