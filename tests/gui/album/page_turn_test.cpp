// The page turn of an album view: the frames of the animation, the time it
// takes and when it is left out, and what a move repaints.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>

#include "album_window_fixture.h"
#include "core/layout/page_turn.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_painter.h"
#include "gui/album/page_turn_frame.h"

namespace lumora {
namespace {

using test::AlbumWindowTest;

constexpr QRgb kGreen = 0xFF0AC81E;         // qRgb(10, 200, 30)
constexpr QRgb kInvertedGreen = 0xFFF537E1;  // its colour inverted

TEST(PageTurnFrame, InvertsTheOutlineOnceAndNothingElse)
{
    QImage shown(300, 200, QImage::Format_RGB32);
    shown.fill(kGreen);
    const QImage frame = PageTurnFrame(shown, 7, true, ViewTransform(1.0, {-100, -100}));
    const auto outline = PageTurnOutline(7, true, {-100, -100});
    int inverted = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = frame.pixel(x, y);
            if (pixel == kInvertedGreen)
                ++inverted;
            else
                ASSERT_EQ(pixel, kGreen) << x << "," << y;
        }
    // The free edge is a vertical line at its x; corners are not inverted
    // twice (they would show the old colour).
    const int edgeX = outline[0].x;
    ASSERT_GE(edgeX, 0);
    EXPECT_EQ(frame.pixel(edgeX, 0), kInvertedGreen);
    EXPECT_GT(inverted, 200);
    // The scroll position moves the outline with the view.
    const QImage scrolled = PageTurnFrame(shown, 7, true, ViewTransform(1.0, {-110, -100}));
    EXPECT_EQ(scrolled.pixel(edgeX - 10, 0), kInvertedGreen);
}

// At zoom 2, or at the classic size on a screen of ratio 2, the outline is
// as thick as a book pixel: two device pixels, in the same place.
TEST(PageTurnFrame, TheOutlineIsOneBookPixelThickAtEveryZoomAndRatio)
{
    struct Case {
        double zoom, ratio;
    };
    for (const Case c : {Case{2.0, 1.0}, Case{1.0, 2.0}}) {
        QImage shown(600, 400, QImage::Format_RGB32);
        shown.setDevicePixelRatio(c.ratio);
        shown.fill(kGreen);
        const ViewTransform view(c.zoom, {-100 * c.zoom, -100 * c.zoom}, c.ratio);
        const QImage frame = PageTurnFrame(shown, 7, true, view);
        EXPECT_EQ(frame.devicePixelRatio(), c.ratio);
        // The free edge at book column x covers device columns 2x and 2x+1.
        const int edgeX = static_cast<int>(view.ToDevice({double(PageTurnOutline(7, true, {0, 0})[0].x), 0}).x);
        const int y = 300;  // a row halfway down the page
        EXPECT_EQ(frame.pixel(edgeX - 1, y), kGreen) << c.zoom << " " << c.ratio;
        EXPECT_EQ(frame.pixel(edgeX, y), kInvertedGreen);
        EXPECT_EQ(frame.pixel(edgeX + 1, y), kInvertedGreen);
        EXPECT_EQ(frame.pixel(edgeX + 2, y), kGreen);
    }
}

class PageTurnTest : public AlbumWindowTest {
protected:
    void SetUp() override
    {
        frame.resize(900, 700);
        frame.show();
    }

    // How long a navigation step takes, in milliseconds.
    template <class Step>
    qint64 Timed(Step step)
    {
        QElapsedTimer clock;
        clock.start();
        step();
        return clock.elapsed();
    }
};

TEST_F(PageTurnTest, TheTurnLeavesTheScreenAsItWasAndTakesItsTime)
{
    AlbumView& view = Open(12, true);
    view.SetPosition(2);
    QCoreApplication::processEvents();
    ASSERT_TRUE(view.AnimatesPageTurns());
    const QImage before = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qint64 ms = Timed([&] { view.AnimatePageTurn(true); });
    const QImage after = view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(before, after);
    EXPECT_GE(ms, kPageTurnFrames * kPageTurnFrameMs);
    EXPECT_LT(ms, 1000);
}

TEST_F(PageTurnTest, OpeningAndClosingTheBookNeverAnimate)
{
    AlbumView& view = Open(12, true);
    EXPECT_LT(Timed([&] { NextPage(view); }), 150);  // cover -> flyleaf
    EXPECT_GE(Timed([&] { NextPage(view); }), 225);  // flyleaf -> page 1
    EXPECT_GE(Timed([&] { PreviousPage(view); }), 225);  // back to the flyleaf
    EXPECT_LT(Timed([&] { PreviousPage(view); }), 150);  // closing
    EXPECT_EQ(view.State().Position(), -2);
    prefs.animatePages = false;
    view.SetPosition(0);
    EXPECT_LT(Timed([&] { GoToPage(view, 5); }), 150);
    EXPECT_EQ(view.State().Position(), 6);
}

// Paint requests reaching the viewport.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(PageTurnTest, AMoveWithinTheSpreadRepaintsOnlyTheTwoMarks)
{
    AlbumView& view = Open(12, false);
    view.SetPosition(2);
    view.SetSelection(2);
    QCoreApplication::processEvents();
    PaintRecorder recorder;
    view.viewport()->installEventFilter(&recorder);
    SelectItem(view, 1, 0);  // item 3, same spread
    QCoreApplication::processEvents();
    EXPECT_EQ(view.State().Selection(), 3);
    // The two marks where the view transform puts them, a pixel around.
    QRegion marks;
    for (const int item : {2, 3}) {
        const QRect mark = SelectionMarkRect(view.Document(), {0, 0}, item);
        const Rect covered = view.Transform().CoveringWindowRect(
            {mark.left(), mark.top(), mark.left() + mark.width(), mark.top() + mark.height()});
        marks += QRect(covered.left, covered.top, covered.Width(), covered.Height()).adjusted(-1, -1, 1, 1);
    }
    EXPECT_FALSE(recorder.painted.isEmpty());
    EXPECT_TRUE((recorder.painted - marks).isEmpty());
    // The picture is the same as a full repaint's.
    EXPECT_EQ(view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32), view.Render());

    // The next spread: the page turns and everything is painted again.
    recorder.painted = {};
    SelectItem(view, 3, 0);  // item 6, page 3
    QCoreApplication::processEvents();
    EXPECT_EQ(view.State().Position(), 4);
    EXPECT_TRUE(recorder.painted.contains(view.viewport()->rect()));
    view.viewport()->removeEventFilter(&recorder);
}

}  // namespace
}  // namespace lumora
