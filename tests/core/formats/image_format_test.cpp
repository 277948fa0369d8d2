#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/formats/buffered_file.h"
#include "core/picture_document/dib_object.h"
#include "core/picture/dib_errors.h"
#include "core/formats/image_format.h"
#include "support/test_support.h"

namespace lumora {
namespace {

TEST(ImageFormat, LastThreeCharactersWithoutRegardToCase)
{
    EXPECT_EQ(ImageFormat("a.bmp"), kFormatBMP);
    EXPECT_EQ(ImageFormat("/x/PHOTO.Bmp"), kFormatBMP);
    EXPECT_EQ(ImageFormat("a.pcx"), kFormatPCX);
    EXPECT_EQ(ImageFormat("a.GIF"), kFormatGIF);
    EXPECT_EQ(ImageFormat("a.jpg"), kFormatJPG);
    EXPECT_EQ(ImageFormat("a.rle"), kFormatRLE);
    EXPECT_EQ(ImageFormat("a.dib"), kFormatDIB);
    EXPECT_EQ(ImageFormat("a.pcd"), kFormatPCD);
    EXPECT_EQ(ImageFormat("a.tga"), kFormatTGA);
    EXPECT_EQ(ImageFormat("a.tif"), kFormatTIF);
    // Four-letter and modern extensions, by what follows the last dot.
    EXPECT_EQ(ImageFormat("a.jpeg"), kFormatJPG);
    EXPECT_EQ(ImageFormat("a.JFIF"), kFormatJPG);
    EXPECT_EQ(ImageFormat("a.tiff"), kFormatTIF);
    EXPECT_EQ(ImageFormat("a.Png"), kFormatPNG);
    EXPECT_EQ(ImageFormat("a.webp"), kFormatWEBP);
    EXPECT_EQ(ImageFormat("IMG_0001.HEIC"), kFormatHEIF);
    EXPECT_EQ(ImageFormat("a.heif"), kFormatHEIF);
    EXPECT_EQ(ImageFormat("a.avif"), kFormatHEIF);
    EXPECT_EQ(ImageFormat("/photos.webp/readme"), kFormatUnknown);
    EXPECT_EQ(ImageFormat("a.xjpeg"), kFormatUnknown);
    EXPECT_EQ(ImageFormat("bmp"), kFormatBMP);
    EXPECT_EQ(ImageFormat("mp"), kFormatUnknown);
    EXPECT_EQ(ImageFormat(""), kFormatUnknown);
}

TEST(ImageTypeName, NamesEveryKnownKind)
{
    EXPECT_EQ(ImageTypeName("a.bmp"), "Image Windows BMP");
    EXPECT_EQ(ImageTypeName("a.JPG"), "Image compressée JPEG");
    EXPECT_EQ(ImageTypeName("a.dib"), "Image Windows ou OS/2");
    EXPECT_EQ(ImageTypeName("a.avi"), "Vidéo AVI Microsoft");
    EXPECT_EQ(ImageTypeName("a.tga"), "Image Targa");
    EXPECT_EQ(ImageTypeName("a.xyz"), "(indéfini)");
    EXPECT_EQ(ImageTypeName("a.png"), "Image PNG");
    EXPECT_EQ(ImageTypeName("a.webp"), "Image WebP");
    EXPECT_EQ(ImageTypeName("a.heic"), "Image HEIF");
    EXPECT_EQ(ImageTypeName("a.avif"), "Image HEIF");
    EXPECT_EQ(ImageTypeName("a.jpeg"), "Image compressée JPEG");
    EXPECT_EQ(ImageTypeName("a.tiff"), "Image TIFF");
}

TEST(ImageFormat, PictureFilterListsEveryKind)
{
    const std::string filter = PictureFilter();
    EXPECT_EQ(filter.rfind("Tous fichiers |*.bmp;*.dib;*.gif;", 0), 0u);
    EXPECT_EQ(filter.substr(filter.size() - 2), "||");
    EXPECT_NE(filter.find("|TIF (Images TIFF)|*.tif;*.tiff|"), std::string::npos);
    for (const char* pattern : {"*.jpeg", "*.jfif", "*.png", "*.webp", "*.heic", "*.heif", "*.avif"})
        EXPECT_NE(filter.substr(0, filter.find('|', 16)).find(pattern), std::string::npos) << pattern;
}

TEST(ImageFormat, UnknownKindsLoadNothing)
{
    test::TempDir dir;
    const std::string avi = dir.File("movie.avi");
    test::WriteBytes(avi, test::ReadBytes(test::TestDataPath("bmp/bmpsuite-g-pal8.bmp")));
    EXPECT_FALSE(ReadImageFile(avi, ReadOptions{}));
}

TEST(DIBErrors, TextsByCode)
{
    EXPECT_EQ(DIBErrorText(DIBError::FileNotFound), "File Not Found!");
}

TEST(DibPicture, LoadKeepsPaletteRulesAndCopiesDeeply)
{
    Dib picture;
    picture.Load(test::TestDataPath("bmp/bmpsuite-g-pal8.bmp"), ReadOptions{});
    ASSERT_FALSE(picture.IsEmpty());
    EXPECT_EQ(picture.Width(), 127);
    EXPECT_EQ(picture.Height(), 64);
    EXPECT_EQ(picture.ColorCount(), 252);
    EXPECT_EQ(picture.GetPalette().size(), 252u);

    // A 24-bit picture has no table: the old palette stays as it was.
    picture.Load(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), ReadOptions{});
    EXPECT_EQ(picture.ColorCount(), 0);
    EXPECT_EQ(picture.GetPalette().size(), 252u);
    EXPECT_TRUE(picture.MakePalette().empty());

    Dib copy(picture);
    ASSERT_FALSE(copy.IsEmpty());
    EXPECT_NE(copy.Image().Data(), picture.Image().Data());
    EXPECT_EQ(copy.Image().Size(), picture.Image().Size());

    // An empty path or a directory loads nothing and frees the picture.
    picture.Load(test::TestDataPath("bmp"), ReadOptions{});
    EXPECT_TRUE(picture.IsEmpty());
    copy.Load("", ReadOptions{});
    EXPECT_TRUE(copy.IsEmpty());
}

// A bitmap that exists but cannot be opened says "File Not Found!", as it
// always has; a name that leads to nothing says nothing (the caller has
// its own words). Told apart by the one open, not by a second look.
TEST(ImageFormat, OnlyABitmapThatExistsButCannotBeOpenedSaysFileNotFound)
{
    test::TempDir dir;
    test::WriteBytes(dir.File("a.bmp"), {'B', 'M'});
    for (const std::string& path : {dir.File("missing.bmp"), dir.File("a.bmp/under.bmp")}) {
        const PictureFile file = PictureFile::Open(path);
        EXPECT_TRUE(file.Missing()) << path;
        const ReadResult read = ReadImageFile(file, ReadOptions{});
        EXPECT_EQ(read.error, ReadError::NotFound) << path;
        EXPECT_TRUE(ReadMessages(read).empty()) << path;
    }
    // Rights do not stop root: the file is opened by "nobody" in a child.
    ::chmod(dir.File("a.bmp").c_str(), 0600);
    ::chmod(dir.Path().c_str(), 0755);
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
        const PictureFile file = PictureFile::Open(dir.File("a.bmp"));
        const std::vector<HeldMessage> said = ReadMessages(ReadImageFile(file, ReadOptions{}));
        ::_exit(dropped && !file && !file.Missing() && said.size() == 1 && said[0].text == "File Not Found!" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(BufferedFile, ReadsBytesAcrossRefillsAndSeeks)
{
    std::vector<uint8_t> bytes(BufferedFile::kBufferSize * 2 + 10);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<uint8_t>(i * 7);
    MemorySource source(bytes);
    BufferedFile file(source);
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(file.ReadByte(), bytes[i]) << i;
    EXPECT_FALSE(file.PastEnd());
    EXPECT_EQ(file.ReadByte(), 0);
    EXPECT_TRUE(file.PastEnd());

    ASSERT_TRUE(file.Seek(-5, File::Origin::End));
    EXPECT_EQ(file.Tell(), bytes.size() - 5);
    EXPECT_EQ(file.ReadByte(), bytes[bytes.size() - 5]);
    ASSERT_TRUE(file.Seek(40000, File::Origin::Begin));
    EXPECT_EQ(file.ReadByte(), bytes[40000]);
    ASSERT_TRUE(file.Seek(3, File::Origin::Current));
    EXPECT_EQ(file.ReadByte(), bytes[40004]);

    BufferedFile missing("/nonexistent/file.pcx");
    EXPECT_FALSE(missing.IsOpen());
    EXPECT_EQ(missing.ReadByte(), 0);
}

}  // namespace
}  // namespace lumora
