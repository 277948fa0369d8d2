// The clipboard block of an album item: its exact bytes, round trips and
// the blocks a paste must refuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "album_test_support.h"
#include "core/album/album_item.h"
#include "core/album/clipboard_block.h"

namespace lumora {
namespace {

using test::SmallPreview;

AlbumItem TextItem(std::string text)
{
    TextFont font;
    font.height = -21;
    font.weight = 700;
    font.italic = true;
    font.underline = true;  // not carried by the block
    font.stored.charSet = 2;
    font.faceName = "Arial";
    return AlbumItem(std::move(text), font, 0x00336699);
}

AlbumItem PhotoItem()
{
    AlbumItem item("/photos/été/plage.jpg");
    item.description = "Plage à midi";
    item.imageWidth = 4000;
    item.imageHeight = 3000;
    item.bitsPerPixel = 24;
    item.imageFileSize = 3'300'000;
    item.preview.Attach(SmallPreview(8, 6, 7));
    return item;
}

std::vector<uint8_t> Header() { return std::vector<uint8_t>(kClipboardHeaderSize, 0); }

void Put(std::vector<uint8_t>& b, size_t at, const std::string& bytes)
{
    std::copy(bytes.begin(), bytes.end(), b.begin() + static_cast<long>(at));
}

TEST(ClipboardBlock, TextBlockHasTheLayoutByteForByte)
{
    std::vector<uint8_t> expected = Header();
    Put(expected, 0, "QZA");
    expected[3] = 1;
    Put(expected, 398, "Bonne ann\xE9" "e");  // Windows-1252 é
    Put(expected, 2398, std::string("\x99\x66\x33\x00", 4));
    Put(expected, 2402, "\xEB\xFF");          // -21
    Put(expected, 2404, std::string("\xBC\x02", 2));  // 700
    expected[2406] = 1;
    Put(expected, 2407, "Arial");
    EXPECT_EQ(ToClipboardBlock(TextItem("Bonne année")), expected);
}

TEST(ClipboardBlock, PhotoBlockIsTheHeaderThenThePreview)
{
    const AlbumItem photo = PhotoItem();
    const std::vector<uint8_t> block = ToClipboardBlock(photo);
    const auto preview = photo.preview.Image().Bytes();
    ASSERT_EQ(block.size(), kClipboardHeaderSize + preview.size());
    std::vector<uint8_t> expected = Header();
    Put(expected, 0, "QZA");
    Put(expected, 4, "/photos/\xE9t\xE9/plage.jpg");
    Put(expected, 132, std::string("\xA0\x0F\xB8\x0B\x18\x00", 6));     // 4000, 3000, 24
    Put(expected, 138, std::string("\xA0\x5A\x32\x00", 4));             // 3 300 000
    Put(expected, 142, "Plage \xE0 midi");
    expected.insert(expected.end(), preview.begin(), preview.end());
    EXPECT_EQ(block, expected);
}

TEST(ClipboardBlock, RoundTripsEveryCarriedField)
{
    const AlbumItem photo = PhotoItem();
    const auto back = FromClipboardBlock(ToClipboardBlock(photo));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->IsPhoto());
    EXPECT_EQ(back->imagePath, photo.imagePath);
    EXPECT_EQ(back->description, photo.description);
    EXPECT_EQ(back->imageWidth, 4000);
    EXPECT_EQ(back->imageHeight, 3000);
    EXPECT_EQ(back->bitsPerPixel, 24);
    EXPECT_EQ(back->imageFileSize, 3'300'000u);
    EXPECT_TRUE(std::ranges::equal(back->preview.Image().Bytes(), photo.preview.Image().Bytes()));

    // A 1999-character text comes back whole; the font keeps height,
    // weight, italic and face name, everything else is 0.
    const std::string longText(1999, 'x');
    const auto text = FromClipboardBlock(ToClipboardBlock(TextItem(longText)));
    ASSERT_TRUE(text);
    EXPECT_FALSE(text->IsPhoto());
    EXPECT_EQ(text->text, longText);
    EXPECT_EQ(text->textColor, 0x00336699u);
    ASSERT_TRUE(text->font);
    TextFont expected{};
    expected.height = -21;
    expected.weight = 700;
    expected.italic = true;
    expected.faceName = "Arial";
    EXPECT_EQ(*text->font, expected);
}

TEST(ClipboardBlock, LongStringsAreCutToTheirFieldsAndUtf8KeepsThemWhole)
{
    AlbumItem photo = PhotoItem();
    photo.imagePath = "/" + std::string(200, 'p');
    photo.description = std::string(300, 'd') + " Ωμέγα 🙂";
    const std::vector<uint8_t> block = ToClipboardBlock(photo);
    EXPECT_EQ(block[4 + 127], 0);     // the path's field keeps its end
    EXPECT_EQ(block[142 + 255], 0);   // and the description's
    const auto singleByte = FromClipboardBlock(block);
    ASSERT_TRUE(singleByte);
    EXPECT_EQ(singleByte->imagePath, photo.imagePath.substr(0, 127));
    EXPECT_EQ(singleByte->description, std::string(255, 'd'));

    const auto whole = FromClipboardBlock(block, ToClipboardStrings(photo));
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->imagePath, photo.imagePath);
    EXPECT_EQ(whole->description, photo.description);

    // Greek and emoji in a text: "?" in the single-byte field, whole in UTF-8.
    const AlbumItem greek = TextItem("Καλημέρα 🙂");
    EXPECT_EQ(FromClipboardBlock(ToClipboardBlock(greek))->text, "???????? ?");
    EXPECT_EQ(FromClipboardBlock(ToClipboardBlock(greek), ToClipboardStrings(greek))->text, greek.text);
}

TEST(ClipboardBlock, RefusesForeignAndDamagedBlocks)
{
    const std::vector<uint8_t> good = ToClipboardBlock(PhotoItem());
    auto refused = [](std::vector<uint8_t> block) { return FromClipboardBlock(block) == nullptr; };

    std::vector<uint8_t> magic = good;
    magic[2] = 'B';
    EXPECT_TRUE(refused(magic));
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + kClipboardHeaderSize - 1)));
    EXPECT_TRUE(refused({}));
    // A photo without a preview, or with a preview cut short.
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.begin() + kClipboardHeaderSize)));
    EXPECT_TRUE(refused(std::vector<uint8_t>(good.begin(), good.end() - 10)));
    std::vector<uint8_t> notAPicture = good;
    notAPicture[kClipboardHeaderSize] = 0xFF;  // header size of the DIB
    EXPECT_TRUE(refused(notAPicture));

    // A damaged UTF-8 strings block is ignored, not trusted.
    const AlbumItem photo = PhotoItem();
    std::vector<uint8_t> strings = ToClipboardStrings(photo);
    strings[4] = 0xFF;  // the path's length runs past the end
    const auto item = FromClipboardBlock(good, strings);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->imagePath, photo.imagePath);
}

}  // namespace
}  // namespace lumora
