#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>

#include "core/picture/app_palette.h"
#include "core/formats/bmp_writer.h"
#include "gui/picture/picture_view.h"
#include "gui/picture/full_screen_window.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// Input as the window system delivers it (through the application's
// event filters).
void SendKey(QWidget* target, Qt::Key key, const QString& text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

void SendText(QWidget* target, const QString& text)
{
    for (QChar c : text)
        SendKey(target, static_cast<Qt::Key>(Qt::Key_A + (c.toLower().unicode() - 'a')), QString(c));
}

void SendMouse(QWidget* target, QEvent::Type type, Qt::MouseButton button)
{
    const QPointF at(2, 2);
    QMouseEvent event(type, at, target->mapToGlobal(at), button, button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

const QColor kBackground(0, 200, 0);
const ColorTriple kRed{220, 10, 10};

// Every pixel of the picture in its own colour, so that a wrongly mapped
// source rectangle shows.
ColorTriple Pattern(int32_t x, int32_t y) { return {static_cast<uint8_t>(x * 40), static_cast<uint8_t>(y * 40), 90}; }

class PictureViewTest : public ::testing::Test {
protected:
    // A document holding a picture written to disk and read back.
    std::shared_ptr<PictureDocument> Document(const Picture& picture, int screenDepth = 24, const char* name = "photo.bmp")
    {
        const std::string path = dir.File(name);
        EXPECT_TRUE(WriteBMPFile(path, picture));
        auto doc = std::make_shared<PictureDocument>();
        EXPECT_TRUE(doc->OnOpenDocument(path, screenDepth));
        doc->SetPathName(path);
        return doc;
    }
    std::unique_ptr<PictureView> View(std::shared_ptr<PictureDocument> doc, QSize client)
    {
        auto view = std::make_unique<PictureView>(std::move(doc), [] { return kBackground; });
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view->resize(client);
        view->show();  // the viewport takes its size when shown
        return view;
    }
    static QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }
    static QColor Of(ColorTriple c) { return QColor(c.red, c.green, c.blue); }

    test::TempDir dir;
};

TEST_F(PictureViewTest, ZoomStepsAndTheirLimits)
{
    auto view = View(Document(test::MakeRgbPicture(40, 30, Pattern)), {200, 150});
    EXPECT_EQ(view->ZoomPercent(), 100);
    EXPECT_TRUE(view->CanZoomIn());
    EXPECT_TRUE(view->CanZoomOut());
    int zoomNotices = 0;
    QObject::connect(view.get(), &PictureView::ZoomChanged, [&] { ++zoomNotices; });
    for (int expected : {200, 300, 400, 600}) {
        view->ZoomIn();
        EXPECT_EQ(view->ZoomPercent(), expected);
    }
    EXPECT_FALSE(view->CanZoomIn());
    view->ZoomIn();  // ignored at the last step
    EXPECT_EQ(view->ZoomPercent(), 600);
    EXPECT_EQ(zoomNotices, 4);
    EXPECT_EQ(view->ScrollSize(), QSize(240, 180));

    for (int i = 0; i < 4; ++i)
        view->ZoomOut();
    for (int expected : {50, 30, 10}) {
        view->ZoomOut();
        EXPECT_EQ(view->ZoomPercent(), expected);
    }
    EXPECT_FALSE(view->CanZoomOut());
    EXPECT_EQ(view->ScrollSize(), QSize(4, 3));
    EXPECT_EQ(view->StatusText(), "40 x 30 - 16,8M couleurs - 10 %");
}

TEST_F(PictureViewTest, ALargerPictureOpensFittedAndZoomsFromThere)
{
    auto view = View(Document(test::MakeRgbPicture(400, 300, Pattern)), {200, 200});
    EXPECT_TRUE(view->IsFitted());
    EXPECT_EQ(view->ZoomPercent(), 50);  // the width limits: 200 / 400
    EXPECT_EQ(view->ScrollSize(), QSize(200, 150));
    EXPECT_EQ(view->PictureRect(), QRect(0, 25, 200, 150));
    EXPECT_EQ(view->StatusText(), "400 x 300 - 16,8M couleurs - 50 %");
    EXPECT_FALSE(view->ZoomedInByUser());
    view->ZoomIn();  // the next step above the fitted zoom
    EXPECT_FALSE(view->IsFitted());
    EXPECT_EQ(view->ZoomPercent(), 100);
    EXPECT_TRUE(view->ZoomedInByUser());
    view->ZoomToFit();
    EXPECT_EQ(view->ZoomPercent(), 50);
    view->ZoomOut();
    EXPECT_EQ(view->ZoomPercent(), 30);
    EXPECT_FALSE(view->ZoomedInByUser());
    // A fitted picture follows its window.
    view->ZoomToFit();
    view->resize(120, 300);
    EXPECT_EQ(view->ZoomPercent(), 30);
    // A picture that fits opens at 100 %, never enlarged.
    auto small = View(Document(test::MakeRgbPicture(40, 30, Pattern), 24, "small.bmp"), {200, 200});
    EXPECT_EQ(small->ZoomPercent(), 100);
}

// F9's scale: the window's zoom when the user zoomed in there, else the
// slideshow's rule (reduced to the screen, or the real size on request).
TEST(FullScreenScale, FollowsTheSlideshowRuleAndTheWindowsZoom)
{
    struct Case {
        QSize picture, screen;
        bool realSize;
        double windowZoom, scale;
    };
    const Case cases[] = {
        {{4000, 3000}, {1920, 1080}, false, 0, 1080.0 / 3000},
        {{4000, 1000}, {1920, 1080}, false, 0, 1920.0 / 4000},
        {{800, 600}, {1920, 1080}, false, 0, 1.0},   // smaller: its own size
        {{4000, 3000}, {1920, 1080}, true, 0, 1.0},  // "taille réelle"
        {{4000, 3000}, {1920, 1080}, false, 2.0, 2.0},
        {{4000, 3000}, {1920, 1080}, true, 3.0, 3.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(FullScreenScale(c.picture, c.screen, c.realSize, c.windowZoom), c.scale, 1e-3)
            << c.picture.width() << "x" << c.picture.height() << " " << c.realSize << " " << c.windowZoom;
}

TEST_F(PictureViewTest, ZoomKeepsThePictureCentre)
{
    auto view = View(Document(test::MakeRgbPicture(400, 300, Pattern)), {200, 150});
    view->ZoomToStep(PictureView::kInitialZoomIndex);  // 100 %, not fitted
    view->ScrollTo({100, 75});  // centre of the view at picture point (200, 150)
    view->ZoomIn();
    EXPECT_EQ(view->ScrollPosition(), QPoint((200 - 50) * 2, (150 - 37) * 2));
    view->ZoomOut();
    EXPECT_EQ(view->ScrollPosition(), QPoint(100, 75));
    // Near the corner the position does not go below 0.
    EXPECT_EQ(ZoomKeepingCentre({0, 0}, {200, 150}, {400, 300}, 200, 100), QPoint(0, 0));
    // Visible parts are limited to the picture: a small picture stays at 0.
    EXPECT_EQ(ZoomKeepingCentre({0, 0}, {800, 600}, {40, 30}, 100, 200), QPoint(0, 0));
}

TEST_F(PictureViewTest, SmallPictureIsCentredOnBackgroundBands)
{
    auto view = View(Document(test::MakeRgbPicture(40, 30, [](int32_t, int32_t) { return kRed; })), {200, 150});
    EXPECT_EQ(view->PictureRect(), QRect(80, 60, 40, 30));
    const QImage shot = view->Render();
    EXPECT_EQ(At(shot, 0, 0), kBackground);
    EXPECT_EQ(At(shot, 79, 75), kBackground);   // left band
    EXPECT_EQ(At(shot, 100, 59), kBackground);  // top band
    EXPECT_EQ(At(shot, 120, 75), kBackground);  // right band
    EXPECT_EQ(At(shot, 100, 90), kBackground);  // bottom band
    EXPECT_EQ(At(shot, 199, 149), kBackground);
    EXPECT_EQ(At(shot, 80, 60), Of(kRed));
    EXPECT_EQ(At(shot, 119, 89), Of(kRed));
}

TEST_F(PictureViewTest, ZoomedAndScrolledPaintingShowsTheRightPixels)
{
    auto view = View(Document(test::MakeRgbPicture(6, 5, Pattern)), {24, 24});
    view->ZoomIn();
    view->ZoomIn();
    view->ZoomIn();
    view->ZoomIn();  // 600 %: each picture pixel is a 6 x 6 block
    view->ScrollTo({0, 0});
    view->ScrollTo({12, 6});
    EXPECT_EQ(view->ScrollPosition(), QPoint(12, 6));
    const QImage shot = view->Render();
    // Bottom-up file rows: memory row 4 is the top row of the picture.
    for (int px : {0, 1, 2, 3})
        for (int py : {0, 1, 2}) {
            const int pictureX = 2 + px, pictureY = 1 + py;
            EXPECT_EQ(At(shot, px * 6 + 3, py * 6 + 3), Of(Pattern(pictureX, 4 - pictureY))) << px << "," << py;
        }
}

TEST_F(PictureViewTest, PalettedPicturesOfEveryDepthAreDrawnUpright)
{
    for (int bits : {1, 4, 8}) {
        SCOPED_TRACE(bits);
        Picture dib = Picture::Make(4, 2, bits);
        uint8_t* table = dib.Data() + kInfoHeaderSize;
        if (bits == 1)
            table[4] = table[5] = table[6] = 0xFF;  // index 1 white
        const auto stride = static_cast<size_t>(PictureRowBytes(4, static_cast<uint64_t>(bits)));
        auto indexAt = [bits](int x, int memoryRow) { return (x + memoryRow * 5 + 1) % (bits == 1 ? 2 : 16); };
        for (int row = 0; row < 2; ++row)
            for (int x = 0; x < 4; ++x) {
                uint8_t* line = dib.Pixels() + row * stride;
                const int index = indexAt(x, row);
                if (bits == 8)
                    line[x] = static_cast<uint8_t>(index);
                else if (bits == 4)
                    line[x / 2] |= static_cast<uint8_t>(x % 2 ? index : index << 4);
                else
                    line[0] |= static_cast<uint8_t>(index << (7 - x));
            }
        auto view = View(Document(dib, 24, "paletted.bmp"), {40, 40});
        view->ZoomIn();  // 8 x 4 at (16, 18)
        const QImage shot = view->Render();
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 4; ++x) {
                const int index = indexAt(x, 1 - y);
                const QColor expected = bits == 1 ? (index ? QColor(Qt::white) : QColor(Qt::black))
                                                  : Of(kSixteenColors[static_cast<size_t>(index)]);
                EXPECT_EQ(At(shot, 16 + 2 * x + 1, 18 + 2 * y + 1), expected) << x << "," << y;
            }
    }
}

TEST_F(PictureViewTest, KeysScrollByPagesAndLines)
{
    auto view = View(Document(test::MakeRgbPicture(1000, 900, Pattern)), {200, 200});
    view->ZoomToStep(PictureView::kInitialZoomIndex);  // 100 %, from the top-left corner
    view->ScrollTo({0, 0});
    auto press = [&](Qt::Key key) { SendKey(view.get(), key); };
    press(Qt::Key_PageDown);
    EXPECT_EQ(view->ScrollPosition(), QPoint(0, 240));
    press(Qt::Key_Down);
    press(Qt::Key_Right);
    press(Qt::Key_Right);
    EXPECT_EQ(view->ScrollPosition(), QPoint(20, 250));
    press(Qt::Key_PageUp);
    press(Qt::Key_Left);
    EXPECT_EQ(view->ScrollPosition(), QPoint(10, 10));
    press(Qt::Key_Up);
    press(Qt::Key_Up);
    EXPECT_EQ(view->ScrollPosition(), QPoint(10, 0));  // not above the top
    for (int i = 0; i < 10; ++i)
        press(Qt::Key_PageDown);
    EXPECT_EQ(view->ScrollPosition().y(), 900 - 200);
}

TEST_F(PictureViewTest, CloseKeysAndDoubleClickCloseTheWindow)
{
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape, Qt::Key_Space, Qt::Key_unknown}) {
        QMdiArea area;
        auto* window = area.addSubWindow(View(Document(test::MakeRgbPicture(8, 8, Pattern)), {50, 50}).release());
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QPointer<QMdiSubWindow> alive(window);
        auto* view = static_cast<PictureView*>(window->widget());
        if (key == Qt::Key_unknown)
            SendMouse(view->viewport(), QEvent::MouseButtonDblClick, Qt::LeftButton);
        else
            SendKey(view, key);
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(alive.isNull()) << key;
    }
}

TEST_F(PictureViewTest, ClipboardHoldsThePictureOrItsDisplayCopy)
{
    const Picture picture = test::MakeRgbPicture(16, 8, Pattern);
    auto trueColour = View(Document(picture), {50, 50});
    trueColour->CopyToClipboard();
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), QSize(16, 8));
    EXPECT_EQ(copied.pixelColor(3, 0), Of(Pattern(3, 7)));

    // A 256-colour screen: the copy on the application palette.
    auto paletted = View(Document(picture, 8, "p8.bmp"), {50, 50});
    ASSERT_TRUE(paletted->Document().HasDisplayCopy());
    paletted->CopyToClipboard();
    const QImage onPalette = QApplication::clipboard()->image();
    ASSERT_EQ(onPalette.size(), QSize(16, 8));
    const Picture& copy = paletted->Document().DisplayCopy();
    for (int x = 0; x < 16; ++x) {
        const ColorTriple expected = kAppPaletteColors[test::IndexAt(copy, static_cast<uint32_t>(x), 7)];
        EXPECT_EQ(onPalette.pixelColor(x, 0), Of(expected)) << x;
    }
}

class FullScreenTest : public PictureViewTest {
protected:
    QWidget owner;
    FullScreenWindow& window = FullScreenWindow::Of(owner);
    void TearDown() override { window.ClosePicture(); }
    void Press(Qt::Key key, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            SendKey(&window, key);
    }
};

TEST_F(FullScreenTest, OneWindowPerOwnerCoveringTheScreen)
{
    EXPECT_EQ(&FullScreenWindow::Of(owner), &window);
    window.ShowPicture(QImage(10, 10, QImage::Format_RGB32));
    EXPECT_TRUE(FullScreenWindow::IsActive());
    EXPECT_EQ(window.geometry(), owner.screen()->geometry());
    window.ClosePicture();
    EXPECT_FALSE(FullScreenWindow::IsActive());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FullScreenTest, LargePictureScrollsWithinItsEdges)
{
    window.ShowPicture(QImage(1, 1, QImage::Format_RGB32));  // takes the screen's size
    const QImage large(window.width() + 500, window.height() + 300, QImage::Format_RGB32);
    window.ShowPicture(large);
    const int maxX = large.width() - window.width();
    const int maxY = large.height() - window.height();
    EXPECT_EQ(window.PictureOrigin(), QPoint(0, 0));
    Press(Qt::Key_PageDown);
    Press(Qt::Key_Right, 3);
    EXPECT_EQ(window.ClampedScroll(), QPoint(30, 240));
    Press(Qt::Key_PageDown, 20);
    Press(Qt::Key_Right, 100);
    EXPECT_EQ(window.ClampedScroll(), QPoint(maxX, maxY));
    Press(Qt::Key_Up);
    Press(Qt::Key_Left);
    EXPECT_EQ(window.ClampedScroll(), QPoint(maxX - 10, maxY - 10));  // moves back at once
    Press(Qt::Key_PageUp, 20);
    EXPECT_EQ(window.ClampedScroll(), QPoint(maxX - 10, 0));

    // A new picture starts at the top-left corner.
    window.ShowPicture(large);
    EXPECT_EQ(window.ScrollOffset(), QPoint(0, 0));
}

// F9 on a picture larger than the screen: reduced to fit, centred, whole.
TEST_F(FullScreenTest, AReducedPictureFitsTheScreenAndAnEnlargedOneScrolls)
{
    window.ShowPicture(QImage(1, 1, QImage::Format_RGB32));  // takes the screen's size
    QImage large(window.width() * 2, window.height() * 4, QImage::Format_RGB32);
    large.fill(Qt::blue);
    window.ShowPicture(large, FullScreenScale(large.size(), window.size(), false, 0));
    EXPECT_EQ(window.ShownSize(), QSize(window.width() / 2, window.height()));
    EXPECT_EQ(window.PictureOrigin(), QPoint((window.width() - window.width() / 2) / 2, 0));
    Press(Qt::Key_PageDown);
    EXPECT_EQ(window.ClampedScroll(), QPoint(0, 0));  // nothing to scroll
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(window.width() / 2, window.height() - 1), QColor(Qt::blue));
    EXPECT_EQ(shot.pixelColor(2, 2), QColor(Qt::black));
    // At a window's zoom of 200 % the picture is twice its size and scrolls.
    QImage small(window.width() / 2 + 50, 40, QImage::Format_RGB32);
    small.fill(Qt::red);
    window.ShowPicture(small, 2.0);
    EXPECT_EQ(window.ShownSize(), QSize(small.width() * 2, 80));
    Press(Qt::Key_Right);
    EXPECT_EQ(window.ClampedScroll(), QPoint(10, 0));
}

TEST_F(FullScreenTest, SmallPictureIsCentredAndDoesNotScroll)
{
    QImage small(100, 80, QImage::Format_RGB32);
    small.fill(Qt::red);
    window.ShowPicture(small);
    Press(Qt::Key_PageDown);
    Press(Qt::Key_Right);
    EXPECT_EQ(window.ClampedScroll(), QPoint(0, 0));
    const QPoint origin((window.width() - 100) / 2, (window.height() - 80) / 2);
    EXPECT_EQ(window.PictureOrigin(), origin);
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(origin), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(origin - QPoint(1, 1)), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(origin + QPoint(100, 80)), QColor(Qt::black));
}

TEST_F(FullScreenTest, OtherKeysAndClicksClose)
{
    window.ShowPicture(QImage(10, 10, QImage::Format_RGB32));
    Press(Qt::Key_A);
    EXPECT_FALSE(FullScreenWindow::IsActive());
    window.ShowPicture(QImage(10, 10, QImage::Format_RGB32));
    SendMouse(&window, QEvent::MouseButtonPress, Qt::RightButton);
    EXPECT_FALSE(FullScreenWindow::IsActive());
    window.ShowPicture(QImage(10, 10, QImage::Format_RGB32));
    SendMouse(&window, QEvent::MouseButtonPress, Qt::LeftButton);
    EXPECT_FALSE(FullScreenWindow::IsActive());
}

TEST_F(FullScreenTest, KeysForOtherWindowsAreSwallowed)
{
    QLineEdit other;
    other.show();
    window.ShowPicture(QImage(10, 10, QImage::Format_RGB32));
    SendText(&other, "abc");
    EXPECT_EQ(other.text(), "");
    EXPECT_TRUE(FullScreenWindow::IsActive());
    window.ClosePicture();
    SendText(&other, "abc");
    EXPECT_EQ(other.text(), "abc");
}

}  // namespace
}  // namespace lumora
