// The printed album drawn into an image standing for the printer: where the
// page geometry puts the title, the number, the photos and their
// descriptions, the cover sheets, and poster tiles.
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/album/album_document.h"
#include "core/formats/bmp_writer.h"
#include "core/print/poster_tiling.h"
#include "gui/album/book_pictures.h"
#include "gui/print/album_print.h"
#include "gui/print/poster_print.h"
#include "gui/print/print_picture.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// A sheet of 8 x 11 inches at 150 dpi.
constexpr PrintSheet kSheet{1200, 1650, 150, 150};
const ColorTriple kRed{220, 10, 10};

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

bool IsReddish(QRgb pixel) { return qRed(pixel) > 150 && qGreen(pixel) < 90 && qBlue(pixel) < 90; }

// Dark pixels within `area` of `image`.
int InkIn(const QImage& image, const Rect& area)
{
    int dark = 0;
    for (int y = std::max(area.top, 0); y < std::min(area.bottom, image.height()); ++y)
        for (int x = std::max(area.left, 0); x < std::min(area.right, image.width()); ++x)
            dark += qGray(image.pixel(x, y)) < 128;
    return dark;
}

class AlbumPrintTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        photo = dir.File("photo.bmp");
        ASSERT_TRUE(WriteBMPFile(photo, test::MakeRgbPicture(200, 100, [](int32_t, int32_t) { return kRed; })));
        album = dir.File("a.qza");
        ASSERT_EQ(test::RunCli({"album", "new", album, "--title", "Vacances", "--layout", "1"}), 0);
        ASSERT_EQ(test::RunCli({"album", "add", album, photo, photo, photo}), 0);
        ASSERT_EQ(test::RunCli({"album", "describe", album, "0", "Une longue description"}), 0);
    }

    std::unique_ptr<AlbumDocument> Open()
    {
        auto doc = std::make_unique<AlbumDocument>();
        EXPECT_TRUE(doc->Open(album));
        return doc;
    }

    // Sheet `n` drawn as the printer gets it, photos read from their files.
    static QImage Draw(const AlbumSheets& sheets, int n)
    {
        PrintPictures pictures;
        for (const PrintedPhoto& p : sheets.PhotosOf(n, kSheet))
            if (!p.path.empty())
                pictures[p.item] = LoadPictureForPrint(p.path, p.box);
        QImage image(kSheet.width, kSheet.height, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        sheets.Draw(painter, kSheet, n, pictures);
        return image;
    }

    // The centre of the photo in slot `slot` of `page`: a 2:1 picture in
    // its box.
    static QPoint PhotoCentre(const AlbumDocument& doc, int page, int slot)
    {
        const Rect box = PrintSlotRect(doc.Layout(), page, slot, FitPageModel(kSheet));
        return ToQRect(FitPictureInBox(box, 200, 100)).center();
    }

    test::TempDir dir;
    std::string photo, album;
};

TEST_F(AlbumPrintTest, PageSheetsCarryTitleNumberPhotosAndDescriptions)
{
    const auto doc = Open();
    const AlbumSheets sheets(*doc, nullptr, {false, true, false});
    ASSERT_EQ(sheets.Count(), 2);  // three photos in Maxi 2+2
    const QImage first = Draw(sheets, 1);
    EXPECT_GT(InkIn(first, PageTitleBand(kSheet)), 50);
    EXPECT_GT(InkIn(first, PageNumberBand(kSheet)), 50);
    EXPECT_TRUE(IsReddish(first.pixel(PhotoCentre(*doc, 0, 0))));
    EXPECT_TRUE(IsReddish(first.pixel(PhotoCentre(*doc, 0, 1))));
    const FittedPage fitted = FitPageModel(kSheet);
    const Rect slot0 = PrintSlotRect(doc->Layout(), 0, 0, fitted);
    EXPECT_GT(InkIn(first, DescriptionBand(slot0, kSheet.dpiY)), 20);
    // Only the first photo has a description (the second's band reaches
    // into the page number's).
    Rect band = DescriptionBand(PrintSlotRect(doc->Layout(), 0, 1, fitted), kSheet.dpiY);
    band.bottom = std::min(band.bottom, PageNumberBand(kSheet).top);
    EXPECT_EQ(InkIn(first, band), 0);

    // The left-hand page: its one photo in the first slot, the second empty.
    const QImage second = Draw(sheets, 2);
    EXPECT_TRUE(IsReddish(second.pixel(PhotoCentre(*doc, 1, 0))));
    EXPECT_EQ(second.pixel(PhotoCentre(*doc, 1, 1)), QColor(Qt::white).rgb());
    EXPECT_TRUE(sheets.PhotosOf(3, kSheet).empty());
}

TEST_F(AlbumPrintTest, WithoutTitlesNumbersOrDescriptionsOnlyTheItemsArePrinted)
{
    ASSERT_EQ(test::RunCli({"album", "set", album, "headertitle=off", "pagenumbers=off"}), 0);
    const auto doc = Open();
    const AlbumSheets sheets(*doc, nullptr, {false, false, false});
    const QImage first = Draw(sheets, 1);
    EXPECT_EQ(InkIn(first, PageTitleBand(kSheet)), 0);
    EXPECT_EQ(InkIn(first, PageNumberBand(kSheet)), 0);
    const Rect slot0 = PrintSlotRect(doc->Layout(), 0, 0, FitPageModel(kSheet));
    EXPECT_EQ(InkIn(first, DescriptionBand(slot0, kSheet.dpiY)), 0);
    EXPECT_TRUE(IsReddish(first.pixel(PhotoCentre(*doc, 0, 0))));
}

TEST_F(AlbumPrintTest, PhotosComeFromTheirFilesOrElseFromTheirPreviews)
{
    const auto doc = Open();
    const AlbumSheets paper(*doc, nullptr, {false, true, false});
    const std::vector<PrintedPhoto> photos = paper.PhotosOf(1, kSheet);
    ASSERT_EQ(photos.size(), 2u);
    const Rect box = PrintSlotRect(doc->Layout(), 0, 0, FitPageModel(kSheet));
    EXPECT_EQ(photos[0].box, QSize(box.Width(), box.Height()));
    EXPECT_EQ(photos[0].path, photo);
    // A preview prints nothing from files.
    const AlbumSheets preview(*doc, nullptr, {false, true, true});
    EXPECT_TRUE(preview.PhotosOf(1, kSheet).empty());
    EXPECT_TRUE(IsReddish(Draw(preview, 1).pixel(PhotoCentre(*doc, 0, 0))));
    // A missing file: the preview stands in.
    std::filesystem::remove(photo);
    EXPECT_TRUE(paper.PhotosOf(1, kSheet)[0].path.empty());
    EXPECT_TRUE(IsReddish(Draw(paper, 1).pixel(PhotoCentre(*doc, 0, 0))));
}

TEST_F(AlbumPrintTest, CoverSheetsShowTheArtworkTitleAndFlyleaf)
{
    const auto doc = Open();
    const auto book = LoadBookPictures("/nonexistent/", 24, {});
    ASSERT_TRUE(book.has_value());
    const AlbumSheets sheets(*doc, &*book, {true, true, false});
    ASSERT_EQ(sheets.Count(), 3);
    const FittedPage fitted = FitPageModel(kSheet);
    const QRect area = ToQRect(fitted.area);

    // Front cover: the leather fills the area, the title sits on the plate.
    const QImage front = Draw(sheets, 1);
    const QImage cover = book->cover.toImage();
    const QPoint leather(area.left() + area.width() * 30 / 265, area.top() + area.height() * 300 / 372);
    const QColor expected = cover.pixelColor(30, 300), got = front.pixelColor(leather);
    EXPECT_NEAR(got.red(), expected.red(), 40);
    EXPECT_NEAR(got.green(), expected.green(), 40);
    EXPECT_NEAR(got.blue(), expected.blue(), 40);
    EXPECT_EQ(front.pixel(area.left() - 2, area.center().y()), QColor(Qt::white).rgb());  // outside

    // Flyleaf: title and description in their boxes on a blank sheet.
    const QImage flyleaf = Draw(sheets, 2);
    EXPECT_GT(InkIn(flyleaf, FlyleafTitleBox(fitted)), 50);
    EXPECT_GT(InkIn(flyleaf, FlyleafDescriptionBox(fitted)), 20);
    EXPECT_EQ(InkIn(flyleaf, {0, 0, kSheet.width, FlyleafTitleBox(fitted).top}), 0);

    // Back cover: the leather without the title plate.
    const QImage back = Draw(sheets, 3);
    EXPECT_NE(back.pixel(area.center()), QColor(Qt::white).rgb());
    EXPECT_NE(back.pixel(area.left() + 5, area.bottom() - 5), QColor(Qt::white).rgb());
}

TEST(PosterPrintTest, EachSheetCarriesItsTileFromTheCorner)
{
    // Left half red, right half blue: two sheets across, one colour each.
    QImage picture(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, x < 20 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    const PosterTiling tiling = TilePoster(40, 30, 10, {200, 300, 100, 100});
    ASSERT_EQ(tiling.columns, 2);
    ASSERT_EQ(tiling.rows, 1);
    for (int n = 1; n <= 2; ++n) {
        QImage sheet(200, 300, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        DrawPosterSheet(painter, picture, tiling, n);
        painter.end();
        const Rect dest = PosterSheet(tiling, 40, 30, n).dest;
        const QRgb colour = n == 1 ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
        EXPECT_EQ(sheet.pixel(0, 0), colour) << n;
        EXPECT_EQ(sheet.pixel(dest.right - 1, dest.bottom - 1), colour) << n;
        EXPECT_EQ(sheet.pixel(dest.right + 1, 10), QColor(Qt::white).rgb()) << n;
    }
}

}  // namespace
}  // namespace lumora
