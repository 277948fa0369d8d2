#include <gtest/gtest.h>

#include <filesystem>

#include "core/album/find_album_file.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class FindAlbumImageTest : public ::testing::Test {
protected:
    FindAlbumImageTest()
    {
        std::filesystem::create_directories(albumDir);
        std::filesystem::create_directories(elsewhere);
    }
    std::string Touch(const std::string& path)
    {
        test::WriteBytes(path, {1, 2, 3});
        return path;
    }
    test::TempDir dir;
    std::string albumDir = dir.File("gathered");
    std::string elsewhere = dir.File("originals");
    std::string album = albumDir + "/VACANCES.QZA";
};

TEST_F(FindAlbumImageTest, WindowsPathFoundBesideTheAlbum)
{
    const std::string beside = Touch(albumDir + "/PLAGE.BMP");
    EXPECT_EQ(FindAlbumImage("C:\\PHOTOS\\PLAGE.BMP", album), beside);
    EXPECT_EQ(StoredFileName("C:\\PHOTOS\\PLAGE.BMP"), "PLAGE.BMP");
    EXPECT_EQ(StoredFileName("/home/a/x.bmp"), "x.bmp");
    EXPECT_EQ(StoredFileName("mixed\\dir/y.pcx"), "y.pcx");
}

TEST_F(FindAlbumImageTest, CandidatesInOrder)
{
    const std::string stored = Touch(elsewhere + "/plage.bmp");
    // Only the stored path exists.
    EXPECT_EQ(FindAlbumImage(stored, album), stored);
    // A converted copy beside the album comes before the stored path...
    const std::string converted = Touch(albumDir + "/plage.JPG");
    EXPECT_EQ(FindAlbumImage(stored, album), converted);
    // ...and the same name beside the album before both.
    const std::string same = Touch(albumDir + "/plage.bmp");
    EXPECT_EQ(FindAlbumImage(stored, album), same);
}

TEST_F(FindAlbumImageTest, NamesDifferingInCaseAreFound)
{
    // A gathered album names its files in upper case; the album kept the
    // names as typed on the other machine.
    const std::string upper = Touch(albumDir + "/PLAGE.JPG");
    EXPECT_EQ(FindAlbumImage("C:\\Photos\\plage.bmp", album), upper);
    const std::string stored = Touch(elsewhere + "/Mer.Tif");
    EXPECT_EQ(FindAlbumImage(elsewhere + "/MER.TIF", ""), stored);
}

TEST_F(FindAlbumImageTest, ExactNameWinsOverCaseFoldedOne)
{
    Touch(albumDir + "/Foret.bmp");
    const std::string exact = Touch(albumDir + "/foret.bmp");
    EXPECT_EQ(FindAlbumImage("D:\\foret.bmp", album), exact);
}

TEST_F(FindAlbumImageTest, NothingFound)
{
    EXPECT_EQ(FindAlbumImage("C:\\PHOTOS\\ABSENT.BMP", album), "");
    EXPECT_EQ(FindAlbumImage(elsewhere + "/absent.bmp", ""), "");
    EXPECT_EQ(FindAlbumImage("", album), "");
    // A directory of the right name is no picture.
    std::filesystem::create_directories(albumDir + "/DOSSIER.BMP");
    EXPECT_EQ(FindAlbumImage("C:\\DOSSIER.BMP", album), "");
    // Names shorter than an extension have no JPEG form.
    EXPECT_EQ(FindAlbumImage("C:\\AB", album), "");
}

}  // namespace
}  // namespace lumora
