// The album window: a scrolling view that paints through AlbumPainter and
// follows its album's pagination, in an MDI window of the main frame.
#include "core/album/album_layout.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_view.h"

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
    doc->OnNewDocument();
    for (int i = 0; i < textItems; ++i)
        doc->items.push_back(std::make_unique<AlbumItem>("texte", DefaultAlbumFont(12), 0));
    doc->Paginate();
    return doc;
}

QImage PainterImage(const AlbumDocument& doc, QSize size, AlbumSpread spread, const Preferences& prefs)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    AlbumPainter(&doc, Book(), {prefs.deskShadow, prefs.fastBitmaps}).OnDraw(painter, size, spread);
    return image;
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
        doc->items.resize(2);  // page count 2
        doc->Paginate();
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
    view.resize(800, 600);
    view.show();
    ASSERT_EQ(view.viewport()->size(), QSize(800, 600));  // no scroll bars needed
    EXPECT_EQ(view.Render(), PainterImage(*doc, QSize(800, 600), {2, 2}, prefs));
    EXPECT_EQ(view.BookOriginNow(), (Point{110, 104}));

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
    ASSERT_TRUE(saved->OnSaveDocument(dir.File("vacances.qza")));
    auto doc = std::make_shared<AlbumDocument>();
    ASSERT_TRUE(doc->OnOpenDocument(dir.File("vacances.qza")));

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
    const auto doc = AlbumOf(1);
    doc->password = "secret";  // and no dialog to type it in: refused
    doc->passwordCheckPending = true;  // as for an album just read
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

    const auto open = AlbumOf(1);
    open->passwordCheckPending = true;
    AlbumView openView(open, Book(), prefs);
    int openRefusals = 0;
    QObject::connect(&openView, &AlbumView::AlbumRefused, [&] { ++openRefusals; });
    openView.show();
    openView.viewport()->repaint();
    Settle();
    EXPECT_EQ(openRefusals, 0);
    EXPECT_FALSE(open->passwordCheckPending);
}

}  // namespace
}  // namespace lumora
