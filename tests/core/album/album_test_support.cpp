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

namespace {

// Runs `build` as steps of the history, then forgets them.
template <typename Build>
void AsStartingPoint(AlbumDocument& doc, Build&& build)
{
    const bool wasModified = doc.IsModified();
    build();
    doc.ClearHistory();
    if (!wasModified)
        doc.MarkSaved();
}

}  // namespace

void InsertItemAt(AlbumDocument& doc, size_t index, std::unique_ptr<AlbumItem> item)
{
    std::vector<std::unique_ptr<AlbumItem>> items;
    items.push_back(std::move(item));
    AsStartingPoint(doc, [&] { doc.Perform(MakeInsertion(doc, index, std::move(items), InsertionKind::Paste)); });
}

void AppendItems(AlbumDocument& doc, std::vector<std::unique_ptr<AlbumItem>> items)
{
    AsStartingPoint(doc, [&] {
        doc.Perform(MakeInsertion(doc, doc.ItemCount(), std::move(items), InsertionKind::Paste));
    });
}

void AppendItem(AlbumDocument& doc, std::unique_ptr<AlbumItem> item) { InsertItemAt(doc, doc.ItemCount(), std::move(item)); }

void AppendTab(AlbumDocument& doc, std::unique_ptr<SectionTab> tab)
{
    AsStartingPoint(doc, [&] { doc.Perform(MakeTabInsertion(doc, doc.TabCount(), std::move(tab), doc.ItemCount())); });
}

void ChangeContent(AlbumDocument& doc, size_t index, const std::function<void(ItemContent&)>& change)
{
    ItemContent content = ContentOf(doc.Item(index));
    change(content);
    AsStartingPoint(doc, [&] {
        doc.Perform(MakeContentChange(doc, index, std::move(content), ContentKind::Text));
    });
}

void ChangePhotoFile(AlbumDocument& doc, size_t index, const std::string& imagePath)
{
    AsStartingPoint(doc, [&] { doc.Perform(MakePhotoFileChange(doc, index, imagePath)); });
}

void RenameTab(AlbumDocument& doc, size_t position, const std::string& name)
{
    const SectionTab& tab = doc.Tab(position);
    AsStartingPoint(doc, [&] { doc.Perform(MakeTabChange(doc, position, name, tab.tabColor, tab.nameColor)); });
}

void RemoveItemsFrom(AlbumDocument& doc, size_t first)
{
    AsStartingPoint(doc, [&] {
        while (doc.ItemCount() > first)
            doc.Perform(MakeRemoval(doc, doc.ItemCount() - 1, std::nullopt, RemovalKind::Delete));
    });
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
    s.layout = BookLayout::Mini;
    s.titleColor = 0x123456;
    s.password = "abc";
    doc.Clear(s);
    auto second = std::make_unique<SectionTab>("Montagne", 1);
    second->reserved = "réservé";
    second->tabColor = 0x010203;  // not a table colour
    AppendTab(doc, std::move(second));

    auto photo = std::make_unique<AlbumItem>("/photos/été/a.bmp");
    photo->description = "La plage";
    photo->soundPath = "C:\\SONS\\VAGUE.WAV";
    photo->imageWidth = 640;
    photo->imageHeight = 480;
    photo->bitsPerPixel = 24;
    photo->imageFileSize = 921654;
    photo->preview.Attach(SmallPreview(4, 3, 17));
    std::vector<std::unique_ptr<AlbumItem>> items;
    items.push_back(std::move(photo));

    TextFont font = DefaultAlbumFont(12);
    font.italic = false;
    font.weight = 700;
    font.faceName = "Arial";
    items.push_back(std::make_unique<AlbumItem>("Bonjour\nle monde", font, 0x0000FF));

    auto photo2 = std::make_unique<AlbumItem>("C:\\PHOTOS\\B.BMP");
    photo2->tabIndex = 1;
    photo2->preview.Attach(SmallPreview(3, 5, 200));
    items.push_back(std::move(photo2));
    AppendItems(doc, std::move(items));
}

void ExpectSameAlbum(const AlbumDocument& a, const AlbumDocument& b)
{
    EXPECT_EQ(a.Settings().headerTitle, b.Settings().headerTitle);
    EXPECT_EQ(a.Settings().pageNumbers, b.Settings().pageNumbers);
    EXPECT_EQ(a.Settings().useTabs, b.Settings().useTabs);
    EXPECT_EQ(a.Settings().frameStyle, b.Settings().frameStyle);
    EXPECT_EQ(a.Settings().layout, b.Settings().layout);
    EXPECT_EQ(a.Settings().flyleaf, b.Settings().flyleaf);
    EXPECT_EQ(a.Settings().deskColor, b.Settings().deskColor);
    EXPECT_EQ(a.Settings().title, b.Settings().title);
    EXPECT_EQ(a.Settings().titleColor, b.Settings().titleColor);
    EXPECT_EQ(a.Settings().titleEffect, b.Settings().titleEffect);
    EXPECT_EQ(a.Settings().description, b.Settings().description);
    EXPECT_EQ(a.Settings().password, b.Settings().password);
    for (int i = 0; i < kAlbumFontCount; ++i)
        EXPECT_EQ(a.Settings().fonts[i], b.Settings().fonts[i]) << "font " << i;
    ASSERT_EQ(a.TabCount(), b.TabCount());
    for (size_t i = 0; i < a.TabCount(); ++i) {
        EXPECT_EQ(a.Tabs()[i]->name, b.Tabs()[i]->name);
        EXPECT_EQ(a.Tabs()[i]->reserved, b.Tabs()[i]->reserved);
        EXPECT_EQ(a.Tabs()[i]->tabColor, b.Tabs()[i]->tabColor);
        EXPECT_EQ(a.Tabs()[i]->nameColor, b.Tabs()[i]->nameColor);
    }
    ASSERT_EQ(a.ItemCount(), b.ItemCount());
    for (size_t i = 0; i < a.ItemCount(); ++i) {
        const AlbumItem& x = *a.Items()[i];
        const AlbumItem& y = *b.Items()[i];
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
    for (const auto& item : doc.Items())
        indices.push_back(item->tabIndex);
    return indices;
}

}  // namespace lumora::test
