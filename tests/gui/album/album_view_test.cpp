// The album window: a scrolling view that paints through AlbumPainter and
// follows its album's pagination, in an MDI window of the main frame.
#include "core/album/album_layout.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "album_window_fixture.h"
#include "gui/platform/commands.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_picture.h"
#include "gui/album/album_view.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

const BookPictures& Book()
{
    static const BookPictures book = *LoadBookPictures("/nonexistent/", 24, [](int, int) {});
    return book;
}

std::shared_ptr<AlbumDocument> AlbumOf(int textItems)
{
    auto doc = std::make_shared<AlbumDocument>();
    doc->Clear();
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int i = 0; i < textItems; ++i)
        items.push_back(std::make_unique<AlbumItem>("texte", DefaultAlbumFont(12), 0));
    test::AppendItems(*doc, std::move(items));
    return doc;
}

// `doc` as a window gets it from its file: written, then read into a new
// document whose password was not asked for yet.
std::shared_ptr<AlbumDocument> AsJustRead(AlbumDocument& doc)
{
    auto read = std::make_shared<AlbumDocument>();
    test::LoadFromBytes(*read, test::StoreToBytes(doc));
    read->Paginate();
    return read;
}

QImage PainterImage(const AlbumDocument& doc, QSize size, AlbumSpread spread, const Preferences& prefs)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    AlbumPainter(&doc, Book(), {prefs.deskShadow, prefs.fastBitmaps}).OnDraw(painter, size, spread);
    return image;
}

QImage PainterImage(const AlbumDocument& doc, const ViewTransform& transform, QSize size, AlbumSpread spread,
                    const Preferences& prefs)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    AlbumPainter(&doc, Book(), {prefs.deskShadow, prefs.fastBitmaps}).OnDraw(painter, transform, size, spread);
    return image;
}

TEST(AlbumViewZoom, TheBookIsFittedByDefaultAndScrollsOnlyWhenLarger)
{
    Preferences prefs;
    const auto doc = AlbumOf(3);
    AlbumView view(doc, Book(), prefs);
    view.SetPosition(2);
    view.resize(1600, 800);
    view.show();
    EXPECT_TRUE(view.Zoom().fit);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 800.0 / 392);
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    // Fitted, the book fills the height and is centred across.
    const ViewTransform fitted = view.Transform();
    EXPECT_EQ(fitted.Origin().y, 0);
    EXPECT_EQ(fitted.Origin().x, (1600 - ZoomedBookSize(fitted.Zoom()).width) / 2);
    EXPECT_EQ(view.Render(), PainterImage(*doc, fitted, QSize(1600, 800), {2, 0}, prefs));

    // A step up: larger than the window, scroll bars over the zoomed book.
    view.ZoomIn();
    EXPECT_FALSE(view.Zoom().fit);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 2.5);
    const QSize client = view.viewport()->size();
    EXPECT_EQ(view.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    EXPECT_EQ(view.verticalScrollBar()->maximum(), ZoomedBookSize(2.5).height - client.height());
    // The spine stayed in the middle of the window.
    const Point middle = view.BookPointAt(QPointF(client.width() / 2.0, client.height() / 2.0));
    EXPECT_NEAR(middle.x, 290, 2);
    EXPECT_NEAR(middle.y, 196, 2);

    // Back to fitted, and the classic size.
    view.SetZoom({true, 1.0});
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 800.0 / 392);
    view.SetZoom({false, 1.0});
    EXPECT_EQ(view.Transform().Origin(), (PointF{(1600 - 580) / 2, (800 - 392) / 2}));
}

TEST(AlbumViewZoom, CtrlAndTheWheelZoomInStepsWithinTheRange)
{
    Preferences prefs;
    AlbumView view(AlbumOf(3), Book(), prefs);
    view.resize(800, 600);
    view.show();
    view.SetZoom({false, 1.0});
    int changes = 0;
    QObject::connect(&view, &AlbumView::ZoomChanged, [&] { ++changes; });
    auto wheel = [&](int delta, Qt::KeyboardModifiers modifiers) {
        QWheelEvent event(QPointF(400, 300), view.viewport()->mapToGlobal(QPointF(400, 300)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &event);
    };
    wheel(120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 1.25);
    wheel(-120, Qt::ControlModifier);
    wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 0.8);
    for (int i = 0; i < 12; ++i)
        wheel(-120, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), kSmallestZoom);
    EXPECT_EQ(changes, 5);  // 1.25, 1, 0.8, 0.63, 0.5; none past the end
    wheel(-120, Qt::NoModifier);  // the wheel alone scrolls
    EXPECT_DOUBLE_EQ(view.ZoomNow(), kSmallestZoom);
}

// A click goes through the transform's inverse: the corner of the right
// page turns it wherever zoom and scroll have put it.
TEST(AlbumViewZoom, AClickOnTheZoomedPageCornerTurnsThePage)
{
    Preferences prefs;
    prefs.animatePages = false;
    AlbumView view(AlbumOf(12), Book(), prefs);
    view.resize(900, 700);
    view.show();
    view.SetPosition(2);
    view.SetZoom({false, 2.75});
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    const PointF corner = view.Transform().ToWindow(PointF{540.5, 200.5});
    ASSERT_LT(corner.x, view.viewport()->width());
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(int(corner.x), int(corner.y)));
    EXPECT_EQ(view.State().Position(), 4);
    // A click just left of the corner zone, on the page, turns nothing.
    const PointF page = view.Transform().ToWindow(PointF{528.5, 200.5});
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, QPoint(int(page.x), int(page.y)));
    EXPECT_EQ(view.State().Position(), 4);
}

// Drawn at ratio 2, every pixel of the selection mark's one-pixel frame
// becomes a square of two by two device pixels, in the same colour.
TEST(AlbumViewZoom, AOneBookPixelLineIsTwoDevicePixelsWideAtRatioTwo)
{
    const auto doc = AlbumOf(3);
    const AlbumDrawOptions options{false, false};
    const QImage one = DrawAlbumWindow(*doc, Book(), options, {QSize(580, 392), {false, 1.0}, 1.0}, {2, 2});
    const QImage two = DrawAlbumWindow(*doc, Book(), options, {QSize(580, 392), {false, 1.0}, 2.0}, {2, 2});
    ASSERT_EQ(two.size(), QSize(1160, 784));
    EXPECT_EQ(two.devicePixelRatio(), 2.0);
    const QRect mark = SelectionMarkRect(*doc, {0, 0}, 2);
    ASSERT_FALSE(mark.isEmpty());
    for (int x = mark.left(); x <= mark.right(); ++x)
        for (const int y : {mark.top(), mark.top() + 1, mark.bottom()}) {
            const QRgb colour = one.pixel(x, y);
            for (const QPoint device : {QPoint(2 * x, 2 * y), QPoint(2 * x + 1, 2 * y), QPoint(2 * x, 2 * y + 1),
                                        QPoint(2 * x + 1, 2 * y + 1)})
                ASSERT_EQ(two.pixel(device), colour) << x << "," << y;
        }
}

// The menu's zoom commands act on the active album window, and the last
// zoom chosen is the one the next window opens at.
class AlbumZoomCommands : public test::AlbumWindowTest {};

TEST_F(AlbumZoomCommands, ActOnTheActiveWindowAndTheLastChoiceIsKept)
{
    frame.resize(1200, 900);
    frame.show();
    AlbumView& view = Open(4, false);
    EXPECT_TRUE(view.Zoom().fit);
    auto run = [&](int command) {
        frame.RefreshCommandStates();
        QAction* action = frame.Action(command);
        ASSERT_TRUE(action->isEnabled()) << command;
        action->trigger();
    };
    run(kCmdZoomClassic);
    EXPECT_EQ(view.Zoom(), (ZoomChoice{false, 1.0}));
    EXPECT_EQ(prefs.albumZoomPercent, 100);
    run(kCmdZoomIn);
    EXPECT_DOUBLE_EQ(view.ZoomNow(), 1.25);
    EXPECT_EQ(prefs.albumZoomPercent, 125);
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdZoomFit)->isEnabled());
    AlbumView& second = Open(2, false);  // opens at the last zoom
    EXPECT_EQ(second.Zoom(), (ZoomChoice{false, 1.25}));
    run(kCmdZoomFit);
    EXPECT_TRUE(second.Zoom().fit);
    EXPECT_EQ(prefs.albumZoomPercent, 0);
    EXPECT_FALSE(view.Zoom().fit);  // each window keeps its own
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdZoomFit)->isEnabled());
}

TEST(AlbumView, FollowsThePaginationOfItsAlbum)
{
    Preferences prefs;
    const auto doc = AlbumOf(5);  // Maxi 2+2: page count 4
    {
        AlbumView view(doc, Book(), prefs);
        ASSERT_EQ(doc->Views().size(), 1u);
        EXPECT_EQ(view.State().Position(), -2);
        EXPECT_EQ(view.State().Selection(), 0);
        view.SetPosition(4);
        view.SetSelection(4);
        test::RemoveItemsFrom(*doc, 2);  // page count 2
        EXPECT_EQ(view.State().Position(), 2);
        EXPECT_EQ(view.State().Selection(), 1);
    }
    EXPECT_TRUE(doc->Views().empty());
}

TEST(AlbumView, PaintsWhatThePainterDrawsForItsSizeAndScroll)
{
    Preferences prefs;
    prefs.deskShadow = false;
    const auto doc = AlbumOf(3);
    AlbumView view(doc, Book(), prefs);
    view.SetPosition(2);
    view.SetSelection(2);
    view.SetZoom({false, 1.0});
    view.resize(800, 600);
    view.show();
    ASSERT_EQ(view.viewport()->size(), QSize(800, 600));  // no scroll bars needed
    EXPECT_EQ(view.Render(), PainterImage(*doc, QSize(800, 600), {2, 2}, prefs));
    EXPECT_EQ(view.Transform().Origin(), (PointF{110, 104}));

    // Smaller than the book: it scrolls over the book's extent.
    view.resize(400, 300);
    const QSize client = view.viewport()->size();
    ASSERT_LT(client.width(), 580);
    ASSERT_LT(client.height(), 392);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 580 - client.width());
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 392 - client.height());
    view.horizontalScrollBar()->setValue(100);
    view.verticalScrollBar()->setValue(50);
    const QImage scrolled = view.Render();
    const QImage full = PainterImage(*doc, QSize(580, 392), {2, 2}, prefs);
    EXPECT_EQ(scrolled, full.copy(100, 50, client.width(), client.height()));
}

TEST(AlbumView, OpensInAnMdiWindowWithTheAlbumMenus)
{
    test::TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    MainWindow frame{prefs, profile};
    const auto saved = AlbumOf(1);
    ASSERT_TRUE(saved->Save(dir.File("vacances.qza")));
    auto doc = std::make_shared<AlbumDocument>();
    ASSERT_TRUE(doc->Open(dir.File("vacances.qza")));

    QMdiSubWindow* window = OpenAlbumWindow(frame, Book(), prefs, doc);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "vacances.qza[*]");  // the mark shows while it is modified
    EXPECT_FALSE(window->isWindowModified());
    ASSERT_NE(qobject_cast<AlbumView*>(window->widget()), nullptr);
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    EXPECT_TRUE(titles.contains("Al&bum"));
    EXPECT_EQ(doc->Views().size(), 1u);
    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(doc->Views().empty());
}

// Lets the window be exposed and painted and its queued calls run.
void Settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

TEST(AlbumView, AsksThePasswordOnceAfterTheFirstPainting)
{
    Preferences prefs;
    const auto written = AlbumOf(1);
    EditSettings(*written, [&](AlbumSettings& s) { s.password = "secret"; });  // and no dialog to type it in: refused
    const auto doc = AsJustRead(*written);
    ASSERT_TRUE(doc->PasswordCheckPending());
    AlbumView view(doc, Book(), prefs);
    int refusals = 0;
    QObject::connect(&view, &AlbumView::AlbumRefused, [&] { ++refusals; });
    Settle();
    EXPECT_EQ(refusals, 0);  // not before it has been shown
    view.resize(600, 400);
    view.show();
    view.viewport()->repaint();
    Settle();
    EXPECT_EQ(refusals, 1);
    view.viewport()->repaint();
    Settle();
    EXPECT_EQ(refusals, 1);

    const auto open = AsJustRead(*AlbumOf(1));
    ASSERT_TRUE(open->PasswordCheckPending());
    AlbumView openView(open, Book(), prefs);
    int openRefusals = 0;
    QObject::connect(&openView, &AlbumView::AlbumRefused, [&] { ++openRefusals; });
    openView.show();
    openView.viewport()->repaint();
    Settle();
    EXPECT_EQ(openRefusals, 0);
    EXPECT_FALSE(open->PasswordCheckPending());
}

}  // namespace
}  // namespace lumora
