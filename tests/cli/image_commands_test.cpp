#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include "core/formats/bmp_reader.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::RunCli;
using test::TestDataPath;

TEST(CliInfo, ReportsPictureFactsAsJson)
{
    std::string out;
    ASSERT_EQ(RunCli({"info", TestDataPath("bmp/bmpsuite-g-pal8.bmp"), "--json"}, &out), 0);
    EXPECT_EQ(out, "{\"width\": 127, \"height\": 64, \"bpp\": 8, \"colors\": 252, "
                   "\"type\": \"Image Windows BMP\"}\n");
}

// One line naming why: a missing file, a damaged one and a variant not read
// are told apart.
TEST(CliInfo, FailsWithOneLineSayingWhy)
{
    test::TempDir dir;
    std::vector<uint8_t> cut = test::ReadBytes(TestDataPath("bmp/bmpsuite-g-rgb24.bmp"));
    cut.resize(cut.size() / 2);
    test::WriteBytes(dir.File("cut.bmp"), cut);
    const struct {
        std::string path;
        const char* why;
    } cases[] = {
        {TestDataPath("bmp/bmpsuite-g-pal8os2.bmp"), "(variante de format non prise en charge)"},
        {"/nonexistent/picture.bmp", "(fichier introuvable)"},
        {dir.File("cut.bmp"), "(fichier endommagé)"},
    };
    for (const auto& c : cases) {
        std::string err;
        EXPECT_EQ(RunCli({"info", c.path}, nullptr, &err), 1);
        EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
        EXPECT_NE(err.find(c.path + " : aucune image n'a pu être lue " + c.why), std::string::npos) << err;
    }
}

TEST(CliUsage, WrongArgumentsExitWithTwo)
{
    EXPECT_EQ(RunCli({}), 2);
    EXPECT_EQ(RunCli({"frobnicate"}), 2);
    EXPECT_EQ(RunCli({"info"}), 2);
    EXPECT_EQ(RunCli({"info", "a.bmp", "--bogus"}), 2);
    EXPECT_EQ(RunCli({"convert", "a.bmp"}), 2);
    EXPECT_EQ(RunCli({"convert", "a.bmp", "b.png"}), 2);
    EXPECT_EQ(RunCli({"convert", "a.bmp", "b.bmp", "--size", "12"}), 2);
    for (const char* size : {"0x5", "5x-2", "5x", "x5", "5x5x", "5 x5", "5x5 "})
        EXPECT_EQ(RunCli({"convert", "a.bmp", "b.bmp", "--size", size}), 2) << size;
    EXPECT_EQ(RunCli({"convert", "a.bmp", "b.bmp", "--jpeg256", "maybe"}), 2);
    EXPECT_EQ(RunCli({"info", "a.pcd", "--pcd-size", "x"}), 2);
    EXPECT_EQ(RunCli({"info", "a.pcd", "--pcd-size"}), 2);
    std::string out;
    EXPECT_EQ(RunCli({"--help"}, &out), 0);
    EXPECT_NE(out.find("convert"), std::string::npos);
    // `info` names every kind of picture it reads.
    for (const char* kind : {"PCD", "PNG", "WebP", "HEIC/HEIF", "AVIF"})
        EXPECT_NE(out.find(kind), std::string::npos) << kind;
}

TEST(CliConvert, WritesPicturesTheReaderReadsBack)
{
    test::TempDir dir;
    const std::string in = TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    ASSERT_EQ(RunCli({"convert", in, dir.File("same.bmp")}), 0);
    Picture same = ReadDIBFromFile(dir.File("same.bmp")).picture;
    Picture original = ReadDIBFromFile(in).picture;
    ASSERT_TRUE(same);
    ASSERT_TRUE(original);
    EXPECT_TRUE(std::equal(same.Bytes().begin(), same.Bytes().end(), original.Bytes().begin(),
                           original.Bytes().end()));

    ASSERT_EQ(RunCli({"convert", in, dir.File("small.bmp"), "--size", "20x10"}), 0);
    Picture small = ReadDIBFromFile(dir.File("small.bmp")).picture;
    ASSERT_TRUE(small);
    EXPECT_EQ(small.Width(), 20u);
    EXPECT_EQ(small.Height(), 10u);
    EXPECT_EQ(small.BitCount(), 8);
    // A size past the megapixel limit is refused at once, as a picture that
    // large would be (900 megapixels took 15 s and 1.8 GB before).
    std::string err;
    const auto asked = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCli({"convert", in, dir.File("huge.bmp"), "--size", "30000x30000"}, nullptr, &err), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
    EXPECT_NE(err.find("Image trop grande : 30000 x 30000 pixels"), std::string::npos) << err;
    EXPECT_FALSE(std::filesystem::exists(dir.File("huge.bmp")));

    ASSERT_EQ(RunCli({"convert", in, dir.File("d16.bmp"), "--dither16"}), 0);
    Picture d16 = ReadDIBFromFile(dir.File("d16.bmp")).picture;
    ASSERT_TRUE(d16);
    EXPECT_EQ(d16.BitCount(), 4);

    // A 1-bit picture cannot be dithered to 16 colours directly.
    EXPECT_EQ(RunCli({"convert", TestDataPath("bmp/bmpsuite-g-pal1.bmp"), dir.File("x.bmp"),
                      "--dither16"}),
              1);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST(CliConvert, WritesJpegFilesAtTheChosenQuality)
{
    test::TempDir dir;
    const std::string in = test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    const std::string small = dir.File("q10.jpg"), large = dir.File("q95.jpg");
    ASSERT_EQ(test::RunCli({"convert", in, dir.File("default.jpg")}), 0);
    ASSERT_EQ(test::RunCli({"convert", in, small, "--quality", "10"}), 0);
    ASSERT_EQ(test::RunCli({"convert", in, large, "--quality", "95"}), 0);
    EXPECT_LT(test::ReadBytes(small).size(), test::ReadBytes(large).size());
    std::string out;
    ASSERT_EQ(test::RunCli({"info", dir.File("default.jpg"), "--json"}, &out), 0);
    EXPECT_NE(out.find("\"width\": 127"), std::string::npos) << out;
    EXPECT_NE(out.find("\"height\": 64"), std::string::npos) << out;
}

TEST(CliConvert, RejectsBadQualityAndUnwritableJpegs)
{
    test::TempDir dir;
    const std::string in = test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    for (const char* bad : {"0", "101", "x", "75x"})
        EXPECT_EQ(test::RunCli({"convert", in, dir.File("a.jpg"), "--quality", bad}), 2) << bad;
    EXPECT_EQ(test::RunCli({"convert", in, dir.File("a.jpg"), "--quality"}), 2);
    EXPECT_EQ(test::RunCli({"convert", in, dir.File("a.bmp"), "--quality", "50"}), 2);
    // The command line answers the writer's Abort/Retry/Ignore with Abort.
    EXPECT_EQ(test::RunCli({"convert", in, dir.File("no/such/dir/a.jpg")}), 1);
}

TEST(CliReadingOptions, OverrideJpegColoursAndPhotoCDSizeForOneRun)
{
    const std::string jpeg = test::TestDataPath("jpeg/imagers-progressive-cat.jpg");
    std::string out;
    ASSERT_EQ(test::RunCli({"info", jpeg, "--json"}, &out), 0);  // true colour unless asked
    EXPECT_NE(out.find("\"bpp\": 24"), std::string::npos) << out;
    ASSERT_EQ(test::RunCli({"info", jpeg, "--json", "--jpeg256", "off"}, &out), 0);
    EXPECT_NE(out.find("\"bpp\": 24"), std::string::npos) << out;
    ASSERT_EQ(test::RunCli({"info", jpeg, "--json", "--jpeg256", "on"}, &out), 0);
    EXPECT_NE(out.find("\"bpp\": 8"), std::string::npos) << out;

    const std::string pcd = test::TestDataPath("pcd/pillow-hopper.pcd");
    ASSERT_EQ(test::RunCli({"info", pcd, "--json", "--pcd-size", "0"}, &out), 0);
    EXPECT_NE(out.find("\"width\": 192, \"height\": 128"), std::string::npos) << out;
    ASSERT_EQ(test::RunCli({"info", pcd, "--json"}, &out), 0);  // the default: 768 x 512
    EXPECT_NE(out.find("\"width\": 768, \"height\": 512"), std::string::npos) << out;
    test::TempDir dir;
    ASSERT_EQ(test::RunCli({"convert", pcd, dir.File("p.bmp"), "--pcd-size", "1"}), 0);
    ASSERT_EQ(test::RunCli({"info", dir.File("p.bmp"), "--json"}, &out), 0);
    EXPECT_NE(out.find("\"width\": 384, \"height\": 256"), std::string::npos) << out;
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

// A conversion that runs out of room (the shell's file size limit stands in
// for a full disk) fails with a message and leaves the old output byte for
// byte, with nothing beside it; the same conversion then succeeds.
TEST(CliConvert, FailedWritesKeepTheOldOutput)
{
    test::TempDir dir;
    const std::string input = TestDataPath("bmp/bmpsuite-g-rgb24.bmp");  // 127 x 64, 24 bits
    for (const char* name : {"out.bmp", "out.jpg"}) {
        const std::string output = dir.File(name);
        const std::vector<uint8_t> old(100, 'o');
        test::WriteBytes(output, old);
        const std::string command = "trap '' XFSZ; ulimit -f 2; " + std::string(LUMORA_CLI_PATH) +
                                    " convert '" + input + "' '" + output + "' 2>'" +
                                    dir.File("err") + "'";
        const int status = std::system(command.c_str());
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << name;
        const auto err = test::ReadBytes(dir.File("err"));
        EXPECT_FALSE(err.empty()) << name;
        EXPECT_EQ(test::ReadBytes(output), old) << name;
        std::filesystem::remove(dir.File("err"));
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                std::filesystem::directory_iterator()),
                  1)
            << name;
        EXPECT_EQ(RunCli({"convert", input, output}), 0) << name;
        EXPECT_GT(test::ReadBytes(output).size(), 1000u) << name;
        std::filesystem::remove(output);
    }
}

}  // namespace
}  // namespace lumora
