#include <filesystem>
#include <gtest/gtest.h>

#include "core/res/strings.h"
#include "support/test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::TempDir;
using test::TestDataPath;

TEST(CliGather, OneLinePerFileThenTheCompletionTextAndAStopAtTheFirstFileError)
{
    TempDir dir;
    fs::create_directories(dir.File("src"));
    const std::string album = dir.File("src/a.qza");
    const std::string second = dir.File("src/deux.bmp");
    fs::copy_file(TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), dir.File("src/un.bmp"));
    fs::copy_file(TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), second);
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, dir.File("src/un.bmp"), second}), 0);

    EXPECT_EQ(RunCli({"album", "gather", album}), 2);
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("d"), "--compression", "0"}), 2);
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("d"), "--jpeg", "peut-etre"}), 2);
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("d"), "--vite"}), 2);
    EXPECT_FALSE(fs::exists(dir.File("d")));

    std::string out;
    ASSERT_EQ(RunCli({"album", "gather", album, dir.File("d"), "--jpeg", "on", "--viewer", "off"}, &out), 0);
    EXPECT_EQ(out, "copié : " + album + " -> " + dir.File("d/a.qza") + "\n" +  //
                       "converti : " + dir.File("src/un.bmp") + " -> " + dir.File("d/un.JPG") + "\n" +
                       "converti : " + second + " -> " + dir.File("d/deux.JPG") + "\n" + LoadString(kStrGatherDone) +
                       "\n");
    EXPECT_FALSE(fs::exists(dir.File("d/index.html")));

    // The photos for the screen come with the viewer unless told off.
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("w"), "--web-sizes", "peut-etre"}), 2);
    ASSERT_EQ(RunCli({"album", "gather", album, dir.File("w")}, &out), 0);
    EXPECT_TRUE(fs::is_regular_file(dir.File("w/lumora-web/photos/0000-127.jpg")));
    ASSERT_EQ(RunCli({"album", "gather", album, dir.File("v"), "--web-sizes", "off"}, &out), 0);
    EXPECT_TRUE(fs::exists(dir.File("v/index.html")));
    EXPECT_FALSE(fs::exists(dir.File("v/lumora-web/photos")));

    // A photo gone: its message, exit 1, the files before it stay.
    fs::remove(second);
    std::string err;
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("e"), "--viewer", "off"}, &out, &err), 1);
    EXPECT_NE(err.find(LoadString(kStrSourceOpenFailed) + "\n" + second), std::string::npos) << err;
    EXPECT_EQ(out.find(LoadString(kStrGatherDone)), std::string::npos);
    EXPECT_TRUE(fs::exists(dir.File("e/un.bmp")));
    // A destination that cannot be made: the program's message.
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("src/un.bmp/sous")}, nullptr, &err), 1);
    EXPECT_NE(err.find(LoadString(kStrGatherDriveNotReady)), std::string::npos) << err;
}

}  // namespace
}  // namespace lumora
