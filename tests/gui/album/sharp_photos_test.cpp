// Sharp photos: the byte-bounded cache, and an album view that draws the
// preview first and the picture read from the file once it is ready.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>
#include <filesystem>

#include "core/album/album_document.h"
#include "core/colour/palette.h"
#include "core/formats/jpeg_writer.h"
#include "core/layout/book_geometry.h"
#include "core/layout/layout_table.h"
#include "gui/album/album_view.h"
#include "gui/album/book_pictures.h"
#include "gui/album/sharp_photos.h"
#include "support/test_support.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

QImage Square(int side) { return QImage(side, side, QImage::Format_RGB32); }  // side * side * 4 bytes

SharpPhotoKey Key(const char* path) { return {path, {}, 10, 10}; }

TEST(SharpPhotoCache, TheLeastRecentlyUsedLeaveFirstAndTheLimitHolds)
{
    SharpPhotoCache cache(1000);
    cache.Insert(Key("a"), Square(10));  // 400 bytes
    cache.Insert(Key("b"), Square(10));
    EXPECT_EQ(cache.Bytes(), 800u);
    ASSERT_NE(cache.Find(Key("a")), nullptr);  // a is now the most recent
    cache.Insert(Key("c"), Square(10));        // 1200 > 1000: b goes
    EXPECT_EQ(cache.Order(), (std::list<SharpPhotoKey>{Key("c"), Key("a")}));
    EXPECT_EQ(cache.Find(Key("b")), nullptr);
    EXPECT_LE(cache.Bytes(), cache.Limit());
    // One larger picture pushes out as many as it needs, oldest first.
    cache.Insert(Key("d"), Square(15));  // 900 bytes
    EXPECT_EQ(cache.Order(), (std::list<SharpPhotoKey>{Key("d")}));
    EXPECT_EQ(cache.Bytes(), 900u);
    // A picture larger than the whole cache is not kept, and takes nothing.
    cache.Insert(Key("e"), Square(20));
    EXPECT_EQ(cache.Find(Key("e")), nullptr);
    EXPECT_EQ(cache.Order(), (std::list<SharpPhotoKey>{Key("d")}));
    // The same key again replaces the picture and its bytes.
    cache.Insert(Key("d"), Square(5));
    EXPECT_EQ(cache.Bytes(), 100u);
    EXPECT_EQ(cache.Count(), 1u);
    // Sizes are part of the key.
    EXPECT_EQ(cache.Find({"d", {}, 20, 20}), nullptr);
}

// A photo of fine stripes: a preview shows them as grey, a picture read
// for four times the pixels shows them.
Picture Stripes(int width, int height)
{
    return test::MakeRgbPicture(width, height, [](int32_t x, int32_t) {
        const uint8_t level = (x / 4) % 2 ? 250 : 10;
        return ColorTriple{level, level, level};
    });
}

class SharpAlbumView : public ::testing::Test {
protected:
    void SetUp() override
    {
        photo = dir.File("rayures.jpg");
        doc = AlbumOfOnePhoto(photo);
        ASSERT_TRUE(doc);
        prefs.fastBitmaps = false;
    }

    // An album whose first page holds one photo of stripes, written at `path`.
    static std::shared_ptr<AlbumDocument> AlbumOfOnePhoto(const std::string& path)
    {
        if (!WriteJPEGFile(Stripes(1200, 900), path, 95))
            return nullptr;
        auto album = std::make_shared<AlbumDocument>();
        album->Clear();
        EditSettings(*album, [&](AlbumSettings& s) { s.flyleaf = 0; });
        auto item = std::make_unique<AlbumItem>(path);
        const Size box = BoxSize(album->Layout());
        if (!item->LoadPreview(static_cast<uint16_t>(box.width), static_cast<uint16_t>(box.height), AppPalette()))
            return nullptr;
        test::AppendItem(*album, std::move(item));
        return album;
    }

    static void ShowZoomed(AlbumView& view)
    {
        view.resize(1600, 1000);
        view.show();
        view.SetPosition(0);
        view.SetZoom({false, 4.0});
    }

    // How far apart neighbouring pixels are across the photo's middle row:
    // a blurred picture has small steps, a sharp one large steps.
    static int Contrast(const QImage& image, const QRect& photo)
    {
        int total = 0;
        const int y = photo.center().y();
        for (int x = photo.left() + 2; x < photo.right() - 2; ++x)
            total += std::abs(qGray(image.pixel(x + 1, y)) - qGray(image.pixel(x, y)));
        return total;
    }

    QRect PhotoOnScreen(const AlbumView& view) const
    {
        const AlbumItem& item = *doc->Items()[0];
        const ItemRect& r = item.displayRect;
        const Rect inBook{kPageAreaOffset.x + r.left, kPageAreaOffset.y + r.top, kPageAreaOffset.x + r.right,
                          kPageAreaOffset.y + r.bottom};
        const Rect w = view.Transform().CoveringWindowRect(inBook);
        return QRect(w.left, w.top, w.Width(), w.Height()).adjusted(4, 4, -4, -4);
    }

    test::TempDir dir;
    std::string photo;
    std::shared_ptr<AlbumDocument> doc;
    Preferences prefs;
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});
};

TEST_F(SharpAlbumView, ThePreviewIsDrawnFirstThenTheSharpPictureInItsPlace)
{
    AlbumView view(doc, book, prefs);
    view.resize(1600, 1000);
    view.show();
    view.SetPosition(0);
    view.SetZoom({false, 4.0});
    int ready = 0;
    QObject::connect(&view.Sharp(), &SharpPhotos::Ready, [&] { ++ready; });
    const QImage first = view.Render();  // asks for the sharp picture
    EXPECT_EQ(view.Sharp().PendingReads(), 1);
    view.Sharp().WaitForReads();
    EXPECT_EQ(ready, 1);
    EXPECT_EQ(view.Sharp().Cache().Count(), 1u);
    const QImage second = view.Render();
    const QRect photoRect = PhotoOnScreen(view);
    // The sharp picture shows the stripes the preview blurred.
    EXPECT_GT(Contrast(second, photoRect), 2 * Contrast(first, photoRect));
    // Outside the photo nothing changed.
    EXPECT_EQ(first.copy(0, 0, 50, 50), second.copy(0, 0, 50, 50));
}

TEST_F(SharpAlbumView, AtTheClassicSizeThePreviewIsEnoughAndAMissingFileKeepsIt)
{
    {
        AlbumView view(doc, book, prefs);
        view.resize(800, 600);
        view.show();
        view.SetPosition(0);
        view.SetZoom({false, 1.0});
        view.Render();
        EXPECT_EQ(view.Sharp().PendingReads(), 0);
    }
    std::filesystem::remove(photo);
    AlbumView view(doc, book, prefs);
    view.resize(1600, 1000);
    view.show();
    view.SetPosition(0);
    view.SetZoom({false, 3.2});
    const QImage first = view.Render();
    view.Sharp().WaitForReads();
    EXPECT_EQ(view.Sharp().Cache().Count(), 0u);
    EXPECT_EQ(view.Render(), first);
    // Not asked for again at every painting.
    EXPECT_EQ(view.Sharp().PendingReads(), 0);
}

// The program's windows read through one cache: one limit for all of them,
// and a window closed while its photo is read takes nothing from the others.
TEST_F(SharpAlbumView, WindowsShareOneCacheItsLimitAndItsReads)
{
    const auto otherDoc = AlbumOfOnePhoto(dir.File("autre.jpg"));
    ASSERT_TRUE(otherDoc);
    size_t onePicture = 0;
    {
        AlbumView alone(doc, book, prefs);
        ShowZoomed(alone);
        alone.Render();
        alone.Sharp().WaitForReads();
        onePicture = alone.Sharp().Cache().Bytes();
    }
    ASSERT_GT(onePicture, 0u);
    // Room for one picture at this zoom, not for two.
    const auto shared = std::make_shared<SharpPhotos>(onePicture * 3 / 2);
    auto first = std::make_unique<AlbumView>(doc, book, prefs, nullptr, shared);
    AlbumView second(otherDoc, book, prefs, nullptr, shared);
    EXPECT_EQ(&first->Sharp(), &second.Sharp());
    ShowZoomed(*first);
    ShowZoomed(second);

    first->Render();
    shared->WaitForReads();
    EXPECT_EQ(shared->Cache().Count(), 1u);
    second.Render();
    shared->WaitForReads();
    EXPECT_EQ(shared->Cache().Count(), 1u);  // the first window's picture made room
    EXPECT_LE(shared->Cache().Bytes(), shared->Cache().Limit());

    // Asked again by the first window, which closes before it is read.
    first->Render();
    EXPECT_EQ(shared->PendingReads(), 1);
    first.reset();
    shared->WaitForReads();
    EXPECT_EQ(shared->PendingReads(), 0);
    EXPECT_LE(shared->Cache().Bytes(), shared->Cache().Limit());
    // The other window goes on drawing and reading.
    second.Render();
    shared->WaitForReads();
    const QImage shown = second.Render();
    EXPECT_FALSE(shown.isNull());
    EXPECT_EQ(shared->Cache().Count(), 1u);
}

}  // namespace
}  // namespace lumora
