#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include "core/album/album_document.h"
#include "gui/slideshow/slideshow_options_dialog.h"
#include "gui/slideshow/slideshow_palette.h"
#include "gui/slideshow/slideshow_window.h"
#include "gui/platform/commands.h"
#include "support/dialog_driver.h"
#include "support/test_support.h"
#include "../album/album_window_fixture.h"
#include "support/recording_sound_player.h"
#include "gui/widgets/widget_names.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

constexpr QRect kScreen(0, 0, 400, 300);

// An 800 x 600 picture, red on the left half and blue on the right, inside
// a 20-pixel yellow frame; and a 100 x 50 green one.
std::string WriteLarge(const test::TempDir& dir)
{
    QImage large(800, 600, QImage::Format_RGB32);
    large.fill(Qt::yellow);
    for (int y = 20; y < 580; ++y)
        for (int x = 20; x < 780; ++x)
            large.setPixel(x, y, x < 400 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    const std::string path = dir.File("grande.bmp");
    large.save(QString::fromStdString(path));
    return path;
}

std::string WriteSmall(const test::TempDir& dir)
{
    QImage small(100, 50, QImage::Format_RGB32);
    small.fill(Qt::green);
    const std::string path = dir.File("petite.bmp");
    small.save(QString::fromStdString(path));
    return path;
}

class SlideshowWindowTest : public test::AlbumWindowTest {
protected:
    // Items: 'L' the large picture, 'S' the small one, 'T' a text, 'M' a
    // missing picture.
    std::shared_ptr<AlbumDocument> Show(const std::string& items)
    {
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear();
        for (char c : items) {
            if (c == 'T')
                test::AppendItem(*doc, std::make_unique<AlbumItem>("texte", TextFont{}, 0));
            else
                test::AppendItem(
                    *doc, std::make_unique<AlbumItem>(c == 'L' ? large : c == 'S' ? small : dir.File("absente.bmp")));
        }
        return doc;
    }
    SlideshowWindow* Start(std::shared_ptr<AlbumDocument> doc)
    {
        window = new SlideshowWindow(std::move(doc), prefs, &frame, kScreen);
        window->Start();
        return window;
    }
    QRgb At(int x, int y) { return window->grab().toImage().pixel(x, y); }
    bool Closed()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return window.isNull();
    }
    void TearDown() override { delete window.data(); }

    std::string large = WriteLarge(dir);
    std::string small = WriteSmall(dir);
    test::RecordingSoundPlayer sound;
    QPointer<SlideshowWindow> window;
};

TEST_F(SlideshowWindowTest, LargePicturesFitTheScreenSmallOnesStayCentredOnBlack)
{
    Start(Show("TLS"));
    EXPECT_EQ(window->Sequence().Current(), 1);
    EXPECT_EQ(window->Image().size(), QSize(400, 300));
    EXPECT_EQ(QColor(At(2, 150)), QColor(Qt::yellow));  // the frame, reduced, at the edge
    EXPECT_EQ(QColor(At(100, 150)), QColor(Qt::red));
    EXPECT_EQ(QColor(At(300, 150)), QColor(Qt::blue));
    window->Next();
    EXPECT_EQ(window->Sequence().Current(), 2);
    EXPECT_EQ(QColor(At(200, 150)), QColor(Qt::green));
    EXPECT_EQ(QColor(At(145, 150)), QColor(Qt::black));  // left of the picture (x 150..249)
    EXPECT_EQ(QColor(At(200, 120)), QColor(Qt::black));  // above it (y 125..174)
    EXPECT_EQ(QColor(At(5, 5)), QColor(Qt::black));
}

TEST_F(SlideshowWindowTest, RealSizeCutsALargePictureOnEverySide)
{
    prefs.slideshowRealSize = true;
    Start(Show("L"));
    EXPECT_EQ(window->Image().size(), QSize(800, 600));
    // The screen shows the middle 400 x 300: no frame, the halves meet in the centre.
    EXPECT_EQ(QColor(At(2, 150)), QColor(Qt::red));
    EXPECT_EQ(QColor(At(197, 2)), QColor(Qt::red));
    EXPECT_EQ(QColor(At(203, 297)), QColor(Qt::blue));
    EXPECT_EQ(QColor(At(397, 150)), QColor(Qt::blue));
}

TEST_F(SlideshowWindowTest, UnreadablePictureKeepsThePreviousOneAndItsSoundIsNotPlayed)
{
    auto doc = Show("SML");
    test::ChangeContent(*doc, 1, [&](ItemContent& c) { c.soundPath = "/nulle/part.wav"; });
    Start(doc);
    window->Next();
    EXPECT_EQ(window->Sequence().Current(), 1);
    EXPECT_EQ(QColor(At(200, 150)), QColor(Qt::green));
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(SlideshowWindowTest, AReadersMessageIsShownByTheWindowWhenItsSlideComesUp)
{
    QImage big(1200, 1000, QImage::Format_RGB32);
    big.fill(Qt::white);
    const std::string path = dir.File("immense.bmp");
    ASSERT_TRUE(big.save(QString::fromStdString(path)));
    auto doc = Show("S");
    test::AppendItem(*doc, std::make_unique<AlbumItem>(path));
    ::setenv("LUMORA_MAX_MEGAPIXELS", "1", 1);  // read ahead on a worker, beyond the limit
    test::CapturingReporter reporter;
    Start(doc);
    window->Next();
    ::unsetenv("LUMORA_MAX_MEGAPIXELS");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_NE(reporter.messages[0].text.find("Image trop grande : 1200 x 1000 pixels."), std::string::npos)
        << reporter.messages[0].text;
    EXPECT_EQ(QColor(At(200, 150)), QColor(Qt::green));  // the previous picture stays
}

TEST_F(SlideshowWindowTest, PaletteLayoutButtonsAndCloseBox)
{
    Start(Show("LTS"));
    SlideshowPalette* palette = window->Palette();
    ASSERT_NE(palette, nullptr);
    EXPECT_TRUE(palette->isVisible());
    // Toolbar-sized buttons: the palette ends at the screen's right edge.
    EXPECT_EQ(palette->size(), QSize(125, 53));  // 22 x 5 + 7 + 7 + 1, 23 + 7 + 21 + 2
    EXPECT_EQ(palette->pos(), QPoint(400 - 125, 300 - 60));
    EXPECT_EQ(palette->ButtonRect(0), QRect(7, 23, 23, 22));
    EXPECT_EQ(palette->ButtonRect(4), QRect(95, 23, 23, 22));
    EXPECT_EQ(palette->CloseBox(), QRect(107, 5, 11, 11));
    // At item 0 the way back is closed; at the last item the way on.
    EXPECT_FALSE(palette->IsButtonEnabled(SlideshowPalette::First));
    EXPECT_FALSE(palette->IsButtonEnabled(SlideshowPalette::Previous));
    EXPECT_TRUE(palette->IsButtonEnabled(SlideshowPalette::Next));
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->ButtonRect(SlideshowPalette::Last).center());
    EXPECT_EQ(window->Sequence().Current(), 2);
    EXPECT_FALSE(palette->IsButtonEnabled(SlideshowPalette::Last));
    EXPECT_TRUE(palette->IsButtonEnabled(SlideshowPalette::Previous));
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->ButtonRect(SlideshowPalette::Previous).center());
    EXPECT_EQ(window->Sequence().Current(), 0);  // over the text
    // A disabled button does nothing; the quit button ends the show.
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->ButtonRect(SlideshowPalette::First).center());
    EXPECT_EQ(window->Sequence().Current(), 0);
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->ButtonRect(SlideshowPalette::Quit).center());
    EXPECT_TRUE(Closed());
}

// Counts the 2 x 2 blocks of `area` whose pixels differ: a picture doubled
// from its small pixels has none.
int FinerThanDoubledPixels(const QImage& image, QRect area)
{
    int blocks = 0;
    for (int y = area.top(); y < area.bottom(); y += 2)
        for (int x = area.left(); x < area.right(); x += 2) {
            const QRgb c = image.pixel(x, y);
            if (image.pixel(x + 1, y) != c || image.pixel(x, y + 1) != c || image.pixel(x + 1, y + 1) != c)
                ++blocks;
        }
    return blocks;
}

TEST(SlideshowPaletteTest, ButtonPicturesStaySharpAtDeviceRatioTwo)
{
    QWidget owner;
    SlideshowPalette palette(&owner);
    QImage sharp(palette.size() * 2, QImage::Format_RGB32);
    sharp.setDevicePixelRatio(2);
    palette.render(&sharp);
    for (int button = 0; button < SlideshowPalette::kButtonCount; ++button) {
        const QRect r = palette.ButtonRect(button);
        const QRect glyph(2 * (r.left() + 3), 2 * (r.top() + 3), 2 * SlideshowPalette::kGlyphWidth,
                          2 * SlideshowPalette::kGlyphHeight);
        EXPECT_GT(FinerThanDoubledPixels(sharp, glyph), 8) << button;
    }
}

TEST_F(SlideshowWindowTest, CloseBoxAndSpaceHideAndShowThePalette)
{
    Start(Show("LS"));
    SlideshowPalette* palette = window->Palette();
    QTest::mouseClick(palette, Qt::LeftButton, {}, palette->CloseBox().center());
    EXPECT_FALSE(palette->isVisible());
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_TRUE(palette->isVisible());
    QTest::keyClick(window, Qt::Key_Space);
    EXPECT_FALSE(palette->isVisible());
    EXPECT_FALSE(Closed());
}

TEST_F(SlideshowWindowTest, ManualKeysMoveAndEndTheShow)
{
    Start(Show("LSL"));
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_EQ(window->Sequence().Current(), 1);
    QTest::keyClick(window, Qt::Key_End);
    EXPECT_EQ(window->Sequence().Current(), 2);
    QTest::keyClick(window, Qt::Key_Up);
    EXPECT_EQ(window->Sequence().Current(), 1);
    QTest::keyClick(window, Qt::Key_Home);
    EXPECT_EQ(window->Sequence().Current(), 0);
    QTest::keyClick(window, Qt::Key_Down);
    EXPECT_EQ(window->Sequence().Current(), 1);
    QTest::keyClick(window, Qt::Key_Left);
    EXPECT_EQ(window->Sequence().Current(), 0);
    QTest::mouseClick(window, Qt::RightButton);  // manual: not the end
    EXPECT_FALSE(Closed());
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(SlideshowWindow::IsRunning());

    for (auto end : {Qt::Key_Return, Qt::Key_Enter}) {
        Start(Show("L"));
        QTest::keyClick(window, end);
        EXPECT_TRUE(Closed());
    }
    Start(Show("L"));
    QTest::mouseClick(window, Qt::LeftButton);
    EXPECT_TRUE(Closed());
    Start(Show("L"));
    QTest::mouseDClick(window, Qt::LeftButton);
    EXPECT_TRUE(Closed());
}

TEST_F(SlideshowWindowTest, AutomaticShowEndsOnAnyKeyOrRightClick)
{
    prefs.slideshowAuto = true;
    Start(Show("LS"));
    EXPECT_EQ(window->Palette(), nullptr);
    QTest::keyClick(window, Qt::Key_Right);
    EXPECT_TRUE(Closed());
    Start(Show("LS"));
    QTest::mouseClick(window, Qt::RightButton);
    EXPECT_TRUE(Closed());
}

TEST_F(SlideshowWindowTest, KeysForOtherWindowsAreDroppedWhileTheShowRuns)
{
    QLineEdit other;
    other.show();
    Start(Show("LS"));
    QTest::keyClicks(&other, "abc");
    EXPECT_EQ(other.text(), "");
    QTest::keyClick(window, Qt::Key_Escape);
    ASSERT_TRUE(Closed());
    QTest::keyClicks(&other, "abc");
    EXPECT_EQ(other.text(), "abc");
}

TEST_F(SlideshowWindowTest, PhotoSoundsPlayAndTheEndOfTheShowStopsThem)
{
    test::WriteBytes(dir.File("mer.wav"), {1});
    auto doc = Show("LS");
    test::ChangeContent(*doc, 0, [&](ItemContent& c) { c.soundPath = "C:\\SONS\\mer.wav"; });
    doc->Save(dir.File("album.qza"));  // the album's folder holds mer.wav
    Start(doc);
    ASSERT_EQ(sound.played.size(), 1u);
    EXPECT_EQ(sound.played[0], dir.File("mer.wav"));
    window->Next();  // no sound: the first keeps playing
    EXPECT_TRUE(sound.playing);
    const int stops = sound.stops;
    QTest::keyClick(window, Qt::Key_Escape);
    ASSERT_TRUE(Closed());
    EXPECT_GT(sound.stops, stops);
    EXPECT_FALSE(sound.playing);
}

TEST_F(SlideshowWindowTest, TimerAdvancesAfterThePauseAndTheSound)
{
    prefs.slideshowAuto = true;
    prefs.slideshowPause = 2;
    prefs.soundIsMaster = true;
    auto doc = Show("LS");
    test::ChangeContent(*doc, 0, [&](ItemContent& c) { c.soundPath = dir.File("x.wav"); });
    Start(doc);
    window->Tick();
    window->Tick();
    EXPECT_EQ(window->Sequence().Current(), 0);  // the sound still plays
    sound.playing = false;                        // it ended
    window->Tick();
    EXPECT_EQ(window->Sequence().Current(), 1);
}

TEST_F(SlideshowWindowTest, OptionsDialogChecksThePauseAndStoresThePreferences)
{
    prefs.slideshowAuto = false;
    prefs.slideshowPause = 10;
    SlideshowOptionsDialog dialog(prefs, &frame);
    EXPECT_FALSE(test::Get<QLineEdit>(dialog, widget_name::kPauseEdit).isEnabled());
    test::Click(dialog, widget_name::kAutomaticRadio);
    EXPECT_TRUE(test::Get<QLineEdit>(dialog, widget_name::kPauseEdit).isEnabled());
    for (const char* refused : {"0", "501", "dix"}) {
        test::Get<QLineEdit>(dialog, widget_name::kPauseEdit).setText(refused);
        bool warned = false;
        test::WhenModal([&](QWidget& box) {
            warned = true;
            box.close();
        });
        dialog.accept();
        EXPECT_TRUE(warned) << refused;
        EXPECT_NE(dialog.result(), QDialog::Accepted) << refused;
    }
    test::Get<QLineEdit>(dialog, widget_name::kPauseEdit).setText("500");
    test::Click(dialog, widget_name::kWaitForSoundCheck);  // wait for the sound: off
    test::Click(dialog, widget_name::kRealSizeCheck);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    dialog.Apply(prefs);
    EXPECT_TRUE(prefs.slideshowAuto);
    EXPECT_EQ(prefs.slideshowPause, 500);
    EXPECT_FALSE(prefs.soundIsMaster);
    EXPECT_TRUE(prefs.slideshowRealSize);
}

TEST_F(SlideshowWindowTest, CommandNeedsAPhotoAndStartsAfterOk)
{
    Open(Album(2, true));
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdSlideshow)->isEnabled());
    Open(Show("TL"));
    frame.RefreshCommandStates();
    ASSERT_TRUE(frame.Action(kCmdSlideshow)->isEnabled());
    test::AnswerNextModal<SlideshowOptionsDialog>([](SlideshowOptionsDialog& d) { d.accept(); });
    frame.Action(kCmdSlideshow)->trigger();
    window = frame.findChild<SlideshowWindow*>();
    ASSERT_FALSE(window.isNull());
    EXPECT_TRUE(SlideshowWindow::IsRunning());
    EXPECT_EQ(window->Sequence().Current(), 1);
}

}  // namespace
}  // namespace lumora
