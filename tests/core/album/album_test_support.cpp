#include "album_test_support.h"

#include <cstring>
#include <gtest/gtest.h>

#include "core/colour/halftone.h"
#include "core/colour/palette.h"

namespace lumora::test {

std::vector<uint8_t> StoreToBytes(AlbumDocument& doc)
{
    MemorySink sink;
    Archive ar(sink);
    doc.WriteTo(ar);
    ar.Flush();
    return sink.Bytes();
}

void LoadFromBytes(AlbumDocument& doc, const std::vector<uint8_t>& bytes)
{
    MemorySource source({bytes.data(), bytes.size()});
    Archive ar(source);
    doc.ReadFrom(ar);
}

Picture SmallPreview(int32_t width, int32_t height, uint8_t fill)
{
    Picture dib = Picture::Make(width, height, 8);
    FillColorTableFromPalette(dib.Data(), &AppPalette(), ColorTableMode::Rgb);
    std::memset(dib.Pixels(), fill, dib.Size() - dib.PixelOffset());
    return dib;
}

void FillSampleAlbum(AlbumDocument& doc)
{
    AlbumSettings s = NewAlbumSettings();
    s.title = "Vacances à Noël";
    s.description = "Été 2024";
    s.useTabs = true;
    s.layoutIndex = 3;
    s.titleColor = 0x123456;
    s.password = "abc";
    doc.Clear(s);
    auto second = std::make_unique<SectionTab>("Montagne", 1);
    second->reserved = "réservé";
    second->tabColor = 0x010203;  // not a table colour
    doc.tabs.push_back(std::move(second));

    auto photo = std::make_unique<AlbumItem>("/photos/été/a.bmp");
    photo->description = "La plage";
    photo->soundPath = "C:\\SONS\\VAGUE.WAV";
    photo->imageWidth = 640;
    photo->imageHeight = 480;
    photo->bitsPerPixel = 24;
    photo->imageFileSize = 921654;
    photo->preview.Attach(SmallPreview(4, 3, 17));
    doc.items.push_back(std::move(photo));

    LogFont font = DefaultAlbumFont(12);
    font.italic = 0;
    font.weight = 700;
    font.faceName = "Arial";
    doc.items.push_back(std::make_unique<AlbumItem>("Bonjour\nle monde", font, 0x0000FF));

    auto photo2 = std::make_unique<AlbumItem>("C:\\PHOTOS\\B.BMP");
    photo2->tabIndex = 1;
    photo2->preview.Attach(SmallPreview(3, 5, 200));
    doc.items.push_back(std::move(photo2));
}

void ExpectSameAlbum(const AlbumDocument& a, const AlbumDocument& b)
{
    EXPECT_EQ(a.Settings().headerTitle, b.Settings().headerTitle);
    EXPECT_EQ(a.Settings().pageNumbers, b.Settings().pageNumbers);
    EXPECT_EQ(a.Settings().useTabs, b.Settings().useTabs);
    EXPECT_EQ(a.Settings().frameStyle, b.Settings().frameStyle);
    EXPECT_EQ(a.Settings().layoutIndex, b.Settings().layoutIndex);
    EXPECT_EQ(a.Settings().flyleaf, b.Settings().flyleaf);
    EXPECT_EQ(a.Settings().deskColor, b.Settings().deskColor);
    EXPECT_EQ(a.Settings().title, b.Settings().title);
    EXPECT_EQ(a.Settings().titleColor, b.Settings().titleColor);
    EXPECT_EQ(a.Settings().titleEffect, b.Settings().titleEffect);
    EXPECT_EQ(a.Settings().description, b.Settings().description);
    EXPECT_EQ(a.Settings().password, b.Settings().password);
    for (int i = 0; i < kAlbumFontCount; ++i)
        EXPECT_EQ(a.Settings().fonts[i], b.Settings().fonts[i]) << "font " << i;
    ASSERT_EQ(a.tabs.size(), b.tabs.size());
    for (size_t i = 0; i < a.tabs.size(); ++i) {
        EXPECT_EQ(a.tabs[i]->name, b.tabs[i]->name);
        EXPECT_EQ(a.tabs[i]->reserved, b.tabs[i]->reserved);
        EXPECT_EQ(a.tabs[i]->tabColor, b.tabs[i]->tabColor);
        EXPECT_EQ(a.tabs[i]->nameColor, b.tabs[i]->nameColor);
    }
    ASSERT_EQ(a.items.size(), b.items.size());
    for (size_t i = 0; i < a.items.size(); ++i) {
        const AlbumItem& x = *a.items[i];
        const AlbumItem& y = *b.items[i];
        EXPECT_EQ(x.kind, y.kind) << i;
        EXPECT_EQ(x.text, y.text) << i;
        EXPECT_EQ(x.font, y.font) << i;
        EXPECT_EQ(x.textColor, y.textColor) << i;
        EXPECT_EQ(x.soundPath, y.soundPath) << i;
        EXPECT_EQ(x.imagePath, y.imagePath) << i;
        EXPECT_EQ(x.description, y.description) << i;
        EXPECT_EQ(x.imageWidth, y.imageWidth) << i;
        EXPECT_EQ(x.imageHeight, y.imageHeight) << i;
        EXPECT_EQ(x.bitsPerPixel, y.bitsPerPixel) << i;
        EXPECT_EQ(x.imageFileSize, y.imageFileSize) << i;
        EXPECT_EQ(x.tabIndex, y.tabIndex) << i;
        EXPECT_TRUE(std::ranges::equal(x.preview.Image().Bytes(), y.preview.Image().Bytes()))
            << i;
    }
}

std::vector<int16_t> TabIndices(const AlbumDocument& doc)
{
    std::vector<int16_t> indices;
    for (const auto& item : doc.items)
        indices.push_back(item->tabIndex);
    return indices;
}

}  // namespace lumora::test
