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

TEST(PageTurnFrame, InvertsTheOutlineOnceAndNothingElse)
{
    QImage shown(300, 200, QImage::Format_RGB32);
    shown.fill(qRgb(10, 200, 30));
    const QImage frame = PageTurnFrame(shown, 7, true, {-100, -100}, {0, 0});
    const auto outline = PageTurnOutline(7, true, {-100, -100});
    int inverted = 0;
    for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x) {
            const QRgb pixel = frame.pixel(x, y) & 0xFFFFFF;
            if (pixel == (qRgb(245, 55, 225) & 0xFFFFFF))
                ++inverted;
            else
                ASSERT_EQ(pixel, qRgb(10, 200, 30) & 0xFFFFFF) << x << "," << y;
        }
    // The free edge is a vertical line at its x; corners are not inverted
    // twice (they would show the old colour).
    const int edgeX = outline[0].x;
    ASSERT_GE(edgeX, 0);
    EXPECT_EQ(frame.pixel(edgeX, 0) & 0xFFFFFF, qRgb(245, 55, 225) & 0xFFFFFF);
    EXPECT_GT(inverted, 200);
    // The scroll position moves the outline with the view.
    const QImage scrolled = PageTurnFrame(shown, 7, true, {-100, -100}, {10, 0});
    EXPECT_EQ(scrolled.pixel(edgeX - 10, 0) & 0xFFFFFF, qRgb(245, 55, 225) & 0xFFFFFF);
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
    const Point origin = view.BookOriginNow();
    const QRegion marks = QRegion(SelectionMarkRect(view.Document(), origin, 2)) +
                          QRegion(SelectionMarkRect(view.Document(), origin, 3));
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
