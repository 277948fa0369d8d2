// The printed page of a picture window: bands, title, footer and the
// picture fitted between the bands, on a sheet and through a printer.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include "core/formats/bmp_writer.h"
#include "core/picture_document/image_document.h"
#include "gui/picture/picture_printing.h"
#include "support/test_support.h"

namespace lumora {
namespace {

const ColorTriple kRed{220, 10, 10};

QColor Of(ColorTriple c) { return QColor(c.red, c.green, c.blue); }

class PicturePrintingTest : public ::testing::Test {
protected:
    // A document holding a picture written to disk and read back for a
    // screen of `screenDepth` bits.
    std::shared_ptr<PictureDocument> Document(const Picture& picture, int screenDepth = 24)
    {
        const std::string path = dir.File("photo.bmp");
        EXPECT_TRUE(WriteBMPFile(path, picture));
        auto doc = std::make_shared<PictureDocument>();
        EXPECT_TRUE(doc->OnOpenDocument(path, screenDepth));
        doc->SetPathName(path);
        return doc;
    }

    test::TempDir dir;
};

TEST_F(PicturePrintingTest, PrintedPageHasBandsTitleFooterAndFittedPicture)
{
    const QSize page(850, 1100);
    auto render = [&](const Picture& picture, int screenDepth = 24) {
        const auto doc = Document(picture, screenDepth);
        EXPECT_EQ(doc->HasDisplayCopy(), screenDepth == 8);
        QImage sheet(page, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        RenderPicturePrintPage(painter, *doc, page, 100, 100);
        return sheet;
    };
    auto inkIn = [](const QImage& sheet, QRect area) {
        int dark = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                dark += qGray(sheet.pixel(x, y)) < 128;
        return dark;
    };
    const auto red = [](int32_t, int32_t) { return kRed; };

    // Wide picture: full width, centred in the area between the bands.
    const QImage wide = render(test::MakeRgbPicture(200, 100, red));
    const int height = 100 * 850 * 100 / (100 * 200);  // 425
    const int top = 50 + (1000 - height) / 2;
    EXPECT_EQ(wide.pixelColor(0, top), Of(kRed));
    EXPECT_EQ(wide.pixelColor(849, top + height - 1), Of(kRed));
    EXPECT_EQ(wide.pixelColor(425, top - 1), QColor(Qt::white));
    EXPECT_EQ(wide.pixelColor(425, top + height), QColor(Qt::white));
    EXPECT_GT(inkIn(wide, QRect(0, 0, 850, 50)), 50);        // the title
    EXPECT_GT(inkIn(wide, QRect(0, 1050, 850, 50)), 20);     // the footer
    EXPECT_EQ(inkIn(wide, QRect(0, 0, 200, 50)), 0);         // centred, not at the left

    // Tall picture: full area height, centred across.
    const QImage tall = render(test::MakeRgbPicture(100, 400, red));
    const int width = 100 * 1000 * 100 / (100 * 400);  // 250
    const int left = (850 - width) / 2;
    EXPECT_EQ(tall.pixelColor(left, 50), Of(kRed));
    EXPECT_EQ(tall.pixelColor(left + width - 1, 1049), Of(kRed));
    EXPECT_EQ(tall.pixelColor(left - 1, 500), QColor(Qt::white));
    EXPECT_EQ(tall.pixelColor(left + width, 500), QColor(Qt::white));

    // On a 256-colour screen the window shows a copy on the application
    // palette; the page still has the picture's own colours.
    const QImage fromPalettedScreen = render(test::MakeRgbPicture(200, 100, red), 8);
    EXPECT_EQ(fromPalettedScreen.pixelColor(425, top + height / 2), Of(kRed));
}

TEST_F(PicturePrintingTest, PrintsToAPdfFile)
{
    const auto doc = Document(test::MakeRgbPicture(64, 48, [](int32_t x, int32_t y) {
        return ColorTriple{static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 40), 90};
    }));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString pdf = QString::fromStdString(dir.File("page.pdf"));
    printer.setOutputFileName(pdf);
    PrintPicture(printer, *doc);
    const auto bytes = test::ReadBytes(pdf.toStdString());
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 5), "%PDF-");
}

}  // namespace
}  // namespace lumora
