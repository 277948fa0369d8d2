#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "core/album/album_document.h"
#include "core/formats/bmp_writer.h"
#include "core/res/strings.h"
#include "support/test_support.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::RunCli;
using test::TempDir;
using test::TestDataPath;

// The viewer's pages are drawn by the GUI's album painter.
bool CliDrawsTheViewer()
{
    std::string err;
    return !(RunCli({"poster"}, nullptr, &err) == 2 && err.find("inconnue") != std::string::npos);
}

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
    EXPECT_EQ(out, "album : " + album + " -> " + dir.File("d/a.qza") + "\n" +  //
                       "converti : " + dir.File("src/un.bmp") + " -> " + dir.File("d/un.JPG") + "\n" +
                       "converti : " + second + " -> " + dir.File("d/deux.JPG") + "\n" + LoadString(kStrGatherDone) +
                       "\n");
    EXPECT_FALSE(fs::exists(dir.File("d/index.html")));

    // The photos for the screen come with the viewer unless told off (a
    // command line built without the GUI draws no viewer).
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("w"), "--web-sizes", "peut-etre"}), 2);
    ASSERT_EQ(RunCli({"album", "gather", album, dir.File("w")}, &out), 0);
    ASSERT_EQ(RunCli({"album", "gather", album, dir.File("v"), "--web-sizes", "off"}, &out), 0);
    EXPECT_FALSE(fs::exists(dir.File("v/lumora-web/photos")));
    if (CliDrawsTheViewer()) {
        EXPECT_TRUE(fs::is_regular_file(dir.File("w/lumora-web/photos/0000-127.jpg")));
        EXPECT_TRUE(fs::exists(dir.File("v/index.html")));
    }

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

// A received album naming a system file as a photo's sound: refused before
// anything is written, exit 1.
TEST(CliGather, AHostileAlbumStopsBeforeWritingAnything)
{
    TempDir dir;
    const std::string album = dir.File("recu/a.qza");
    fs::create_directories(dir.File("recu"));
    fs::copy_file(TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), dir.File("recu/un.bmp"));
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, dir.File("recu/un.bmp")}), 0);
    {
        AlbumDocument doc;
        ASSERT_TRUE(doc.Open(album));
        test::ChangeContent(doc, 0, [](ItemContent& c) { c.soundPath = "/etc/passwd"; });
        ASSERT_TRUE(doc.Save(album));
    }
    std::string out, err;
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("partage"), "--viewer", "off"}, &out, &err), 1);
    EXPECT_NE(err.find(LoadString(kStrNotPictureOrSound) + "\n/etc/passwd"), std::string::npos) << err;
    EXPECT_TRUE(fs::is_empty(dir.File("partage")));
    EXPECT_EQ(RunCli({"album", "gather", album, dir.File("partage"), "--sounds", "off", "--viewer", "off"}), 0);
    EXPECT_FALSE(fs::exists(dir.File("partage/passwd")));
}

bool HiddenFileIn(const std::string& directory)
{
    for (const auto& entry : fs::directory_iterator(directory))
        if (entry.path().filename().string().rfind(".lumora-gather-", 0) == 0)
            return true;
    return false;
}

// Ctrl+C or a termination request in the middle of a long copy: the copy
// stops at the next chunk, its temporary goes, the command exits 130.
TEST(CliGather, ASignalDuringALongCopyLeavesNoHiddenFileAndExits130)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        // A picture of 30000 x 20000 pixels announced, its 1.8 GB of rows a
        // hole the copy writes out as real data.
        const std::string photo = dir.File("src/grande.bmp");
        fs::create_directories(dir.File("src"));
        fs::copy_file(TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), dir.File("src/petite.bmp"));
        ASSERT_TRUE(WriteBMPFile(photo, test::MakeRgbPicture(8, 8, [](uint32_t, uint32_t) {
                                     return ColorTriple{1, 2, 3};
                                 })));
        {
            std::vector<uint8_t> bytes = test::ReadBytes(photo);
            const int32_t width = 30000, height = 20000;
            std::memcpy(bytes.data() + 18, &width, 4);
            std::memcpy(bytes.data() + 22, &height, 4);
            test::WriteBytes(photo, bytes);
            fs::resize_file(photo, 54 + uint64_t{width} * 3 * height);
        }
        const std::string album = dir.File("src/a.qza");
        ASSERT_EQ(RunCli({"album", "new", album}), 0);
        ASSERT_EQ(RunCli({"album", "add", album, dir.File("src/petite.bmp")}), 0);
        {
            AlbumDocument doc;
            ASSERT_TRUE(doc.Open(album));
            test::ChangePhotoFile(doc, 0, photo);
            ASSERT_TRUE(doc.Save(album));
        }
        const std::string dest = dir.File("dest");
        fs::create_directories(dest);
        const pid_t child = ::fork();
        if (child == 0) {
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 1);
            ::dup2(null, 2);
            ::execl(LUMORA_CLI_PATH, "lumora-cli", "album", "gather", album.c_str(), dest.c_str(), "--viewer", "off",
                    static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_GT(child, 0);
        const auto started = std::chrono::steady_clock::now();
        // The large photo's temporary: the album file's own is small and
        // renamed away at once.
        const auto copyUnderWay = [&dest] {
            for (const auto& entry : fs::directory_iterator(dest)) {
                std::error_code error;
                if (entry.path().filename().string().rfind(".lumora-gather-", 0) == 0 &&
                    fs::file_size(entry.path(), error) > (uint64_t{1} << 20) && !error)
                    return true;
            }
            return false;
        };
        while (!copyUnderWay() && std::chrono::steady_clock::now() - started < std::chrono::seconds(20))
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        EXPECT_TRUE(HiddenFileIn(dest)) << "the copy never began";
        ::kill(child, signal);
        int status = 0;
        while (::waitpid(child, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() - started > std::chrono::seconds(60)) {
                ::kill(child, SIGKILL);
                ::waitpid(child, &status, 0);
                ADD_FAILURE() << "the gather did not stop";
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(WIFEXITED(status)) << status;
        EXPECT_EQ(WEXITSTATUS(status), 130);
        EXPECT_FALSE(HiddenFileIn(dest));
        EXPECT_FALSE(fs::exists(dest + "/grande.bmp"));
    }
}

}  // namespace
}  // namespace lumora
