// The pointer and the mouse over an album view, the go-to dialogs, and the
// navigation cases that involve them.
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "core/album/album_layout.h"
#include "album_window_fixture.h"
#include "gui/platform/commands.h"
#include "support/dialog_driver.h"
#include "core/layout/book_geometry.h"
#include "core/layout/tab_columns.h"
#include "gui/album/album_mouse.h"
#include "gui/album/album_navigation.h"
#include "gui/album/go_to_dialogs.h"
#include "support/recording_sound_player.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

using test::AlbumWindowTest;
using test::WhenModal;

constexpr int kMicro = 4;  // twelve items a page in three columns

// A point of the book: the mouse functions take book coordinates.
Point InBook(const AlbumView&, int x, int y)
{
    return {x, y};
}

Point ItemCentre(const AlbumView& view, int item)
{
    const ItemRect& r = view.Document().Items()[static_cast<size_t>(item)]->displayRect;
    return InBook(view, kPageAreaOffset.x + (r.left + r.right) / 2, kPageAreaOffset.y + (r.top + r.bottom) / 2);
}

class AlbumMouseTest : public AlbumWindowTest {
protected:
    int titleDialogs = 0;
    int viewedItems = 0;

    void SetUp() override
    {
        // Stand-ins for the dialogs the clicks open, in place of the
        // program's own handlers.
        frame.RemoveCommandHandlers(kCmdTitleFonts);
        frame.RemoveCommandHandlers(kCmdViewItem);
        frame.SetCommandHandler(kCmdTitleFonts, [this] { ++titleDialogs; }, [] { return true; });
        frame.SetCommandHandler(kCmdViewItem, [this] { ++viewedItems; }, [] { return true; });
    }
};

TEST_F(AlbumMouseTest, ClosedCoverOpensOrShowsTheTitleDialog)
{
    AlbumView& view = Open(6, true);
    ClickBook(view, InBook(view, 250, 100), false);  // the plate
    EXPECT_EQ(titleDialogs, 1);
    EXPECT_EQ(view.State().Position(), -2);
    ClickBook(view, InBook(view, 250, 300), false);  // the rest of the cover
    EXPECT_EQ(view.State().Position(), -1);
    ClickBook(view, InBook(view, 400, 200), false);  // the flyleaf text
    EXPECT_EQ(titleDialogs, 2);
    EXPECT_EQ(view.State().Position(), -1);
    ClickBook(view, InBook(view, 100, 200), false);  // the left half closes the book
    EXPECT_EQ(view.State().Position(), -2);
    ClickBook(view, InBook(view, 20, 20), false);  // the desk
    EXPECT_EQ(view.State().Position(), -2);
}

TEST_F(AlbumMouseTest, PageCornersTurnAndADoubleClickTurnsTwice)
{
    AlbumView& view = Open(16, false);  // pages 0-7
    view.SetPosition(2);
    ClickBook(view, InBook(view, 540, 200), false);
    EXPECT_EQ(view.State().Position(), 4);
    // Both clicks of a double click count.
    ClickBook(view, InBook(view, 540, 200), false);
    ClickBook(view, InBook(view, 540, 200), true);
    EXPECT_EQ(view.State().Position(), 8);
    ClickBook(view, InBook(view, 30, 200), false);
    EXPECT_EQ(view.State().Position(), 6);
}

TEST_F(AlbumMouseTest, AnyLeftClickOnTheBookStopsTheSound)
{
    AlbumView& view = Open(12, false);
    view.SetPosition(2);
    test::RecordingSoundPlayer sound;
    struct Case {
        const char* where;
        Point point;
        bool doubleClick;
    };
    const Case cases[] = {
        {"desk", InBook(view, -10, -10), false},  {"desk", InBook(view, -10, -10), true},
        {"item", ItemCentre(view, 3), false},     {"turn zone", InBook(view, 540, 200), false},
        {"turn zone", InBook(view, 30, 200), true},
    };
    for (const Case& c : cases) {
        sound.playing = true;
        const int stopsBefore = sound.stops;
        ClickBook(view, c.point, c.doubleClick);
        EXPECT_FALSE(sound.playing) << c.where << " double " << c.doubleClick;
        EXPECT_GT(sound.stops, stopsBefore) << c.where << " double " << c.doubleClick;
    }
}

TEST_F(AlbumMouseTest, ItemsAreSelectedByAClickAndViewedByADoubleClick)
{
    AlbumView& view = Open(12, false);
    view.SetPosition(2);
    ClickBook(view, ItemCentre(view, 3), false);
    EXPECT_EQ(view.State().Selection(), 3);
    EXPECT_EQ(viewedItems, 0);
    ClickBook(view, ItemCentre(view, 4), true);
    EXPECT_EQ(view.State().Selection(), 4);
    EXPECT_EQ(viewedItems, 1);
    EXPECT_EQ(view.State().Position(), 2);
}

TEST_F(AlbumMouseTest, ATabClickGoesToItsSection)
{
    AlbumView& view = Open(12, false, {4, 8});
    view.SetPosition(0);
    const AlbumLayout layout(view.Document());
    const std::vector<TabPlacement> right = RightTabColumn(layout, 0);
    // The last tab on the right edge: the album's last section.
    const auto last = std::find_if(right.begin(), right.end(), [](const TabPlacement& t) { return t.tab == 2; });
    ASSERT_NE(last, right.end());
    const Rect slot = TabSlotRect(last->slot);
    ClickBook(view, InBook(view, slot.left + 2, slot.top + 2), false);
    EXPECT_EQ(view.State().Position(), SpreadOfPage(view.Document().Tabs()[2]->firstPage));
    EXPECT_EQ(view.State().Selection(), 8);
}

TEST_F(AlbumMouseTest, CursorsFollowWhatLiesUnderThePointer)
{
    AlbumView& view = Open(12, true);
    EXPECT_EQ(CursorAt(view, InBook(view, 250, 100)), BookCursor::Select);
    EXPECT_EQ(CursorAt(view, InBook(view, 250, 300)), BookCursor::NextPage);
    EXPECT_EQ(CursorAt(view, InBook(view, 50, 50)), BookCursor::Arrow);
    view.SetPosition(-1);
    EXPECT_EQ(CursorAt(view, InBook(view, 400, 100)), BookCursor::Select);
    EXPECT_EQ(CursorAt(view, InBook(view, 100, 100)), BookCursor::PreviousPage);
    view.SetPosition(2);
    EXPECT_EQ(CursorAt(view, ItemCentre(view, 3)), BookCursor::Select);
    EXPECT_EQ(CursorAt(view, InBook(view, 30, 360)), BookCursor::PreviousPage);
    EXPECT_EQ(CursorAt(view, InBook(view, 540, 360)), BookCursor::NextPage);

    // The pointer's moves set the program's cursors on the viewport.
    frame.show();
    const QPoint overItem = [&] {
        const Point p = ItemCentre(view, 3);
        const PointF at = view.Transform().ToWindow(PointF{p.x + 0.5, p.y + 0.5});
        return QPoint(static_cast<int>(at.x), static_cast<int>(at.y));
    }();
    QTest::mouseMove(view.viewport(), overItem);
    EXPECT_EQ(HitAt(view, view.LastPointer()), (BookHit{BookHit::Item, 3}));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::BitmapCursor);
    QTest::mouseMove(view.viewport(), QPoint(2, 2));
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ArrowCursor);
}

QStringList Labels(const QMenu& menu)
{
    QStringList labels;
    for (const QAction* action : menu.actions())
        if (!action->isSeparator())
            labels << action->text();
    return labels;
}

TEST_F(AlbumMouseTest, TheRightButtonPicksOneOfThreeMenus)
{
    AlbumView& view = Open(12, false, {4, 8});
    view.SetPosition(2);
    std::unique_ptr<QMenu> itemMenu(PrepareContextMenu(view, frame, ItemCentre(view, 3)));
    EXPECT_EQ(view.State().Selection(), 3);
    const QStringList items = Labels(*itemMenu);
    ASSERT_GE(items.size(), 12);
    EXPECT_EQ(items.front(), "P&ropriétés...");
    EXPECT_TRUE(items.contains("&C&oller"));
    EXPECT_EQ(items.back(), "Titr&e, description et polices... ");

    const AlbumLayout layout(view.Document());
    const TabPlacement tab = RightTabColumn(layout, 2).back();
    const Rect slot = TabSlotRect(tab.slot);
    std::unique_ptr<QMenu> tabMenu(PrepareContextMenu(view, frame, InBook(view, slot.left + 2, slot.top + 2)));
    EXPECT_EQ(view.State().Position(), SpreadOfPage(view.Document().Tabs()[static_cast<size_t>(tab.tab)]->firstPage));
    EXPECT_EQ(Labels(*tabMenu).size(), 7);

    view.SetPosition(-2);
    std::unique_ptr<QMenu> albumMenu(PrepareContextMenu(view, frame, InBook(view, 250, 200)));
    EXPECT_EQ(Labels(*albumMenu).size(), 4);

    // The entries carry the commands: choosing one runs it.
    const QList<QAction*> actions = albumMenu->actions();
    const auto title = std::find_if(actions.begin(), actions.end(),
                                    [](QAction* a) { return a->data().toInt() == kCmdTitleFonts; });
    ASSERT_NE(title, actions.end());
    (*title)->trigger();
    EXPECT_EQ(titleDialogs, 1);
}

TEST_F(AlbumMouseTest, GoToPageOffersTheRightPageAndRefusesWhatIsNotAPage)
{
    AlbumView& view = Open(6, true);  // page count 4
    QString offered;
    QStringList refusals;
    auto answer = [&](const QString& typed) {
        WhenModal<GoToPageDialog>([&, typed](GoToPageDialog* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>(widget_name::kPageNumberEdit);
            offered = edit->text();
            for (const QString& bad : {QStringLiteral("sept"), QStringLiteral("0"), QStringLiteral("32761")}) {
                WhenModal<QMessageBox>([&](QMessageBox* box) {
                    refusals << box->text();
                    box->accept();
                });
                edit->setText(bad);
                dialog->accept();
                EXPECT_TRUE(dialog->isVisible()) << bad.toStdString();
            }
            edit->setText(typed);
            dialog->accept();
        });
        frame.RefreshCommandStates();
        frame.Action(kCmdGoToPage)->trigger();
    };
    view.SetPosition(-1);
    answer("7");
    EXPECT_EQ(offered, "1");
    EXPECT_EQ(view.State().Position(), 4);  // the last spread
    EXPECT_EQ(refusals, (QStringList{"Tapez un nombre entier.",
                                     "Tapez un nombre entier compris entre 1 et 32760.",
                                     "Tapez un nombre entier compris entre 1 et 32760."}));
    view.SetPosition(2);
    answer("2");
    EXPECT_EQ(offered, "3");
    EXPECT_EQ(view.State().Position(), 2);
    EXPECT_EQ(GoToPageInitialNumber(6), 7);
}

TEST_F(AlbumMouseTest, GoToTabListsTheTabsAndGoesToTheChosenOne)
{
    AlbumView& view = Open(12, false, {4, 8});
    QStringList listed;
    WhenModal<GoToTabDialog>([&](GoToTabDialog* dialog) {
        auto* list = dialog->findChild<QListWidget*>(widget_name::kTabList);
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        EXPECT_EQ(list->currentRow(), 0);
        list->setCurrentRow(2);
        dialog->accept();
    });
    frame.RefreshCommandStates();
    frame.Action(kCmdGoToTab)->trigger();
    EXPECT_EQ(listed, (QStringList{"Sans Nom", "Section 4", "Section 8"}));
    EXPECT_EQ(view.State().Position(), SpreadOfPage(view.Document().Tabs()[2]->firstPage));
    EXPECT_EQ(view.State().Selection(), 8);
}

TEST_F(AlbumMouseTest, UpInMicroMovesOneRowBackAcrossPages)
{
    AlbumView& view = Open(30, false, {}, kMicro);
    SelectItem(view, 0, 16);  // page 1, second row
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(view.State().Selection(), 13);
    QTest::keyClick(&view, Qt::Key_Up);  // first row of page 1: page 0's bottom row
    EXPECT_EQ(view.State().Selection(), 10);
    EXPECT_EQ(view.Document().Items()[10]->pageIndex, 0);
    EXPECT_EQ(view.State().Position(), 0);
}

TEST_F(AlbumMouseTest, NextTabInTheLastSectionGoesToItsFirstPage)
{
    AlbumView& view = Open(20, false, {4});  // section 1 runs over several spreads
    const int sectionStart = SpreadOfPage(view.Document().Tabs()[1]->firstPage);
    view.SetPosition(view.Document().PageCount() - 2);
    ASSERT_GT(view.State().Position(), sectionStart);
    NextTab(view);
    EXPECT_EQ(view.State().Position(), sectionStart);
}

TEST_F(AlbumMouseTest, SwitchingTheFlyleafOffMovesViewsOffIt)
{
    auto doc = Album(6, true);
    AlbumView& onFlyleaf = Open(doc);
    AlbumView& onCover = Open(doc);
    onFlyleaf.SetPosition(-1);
    EditSettings(*doc, [&](AlbumSettings& s) { s.flyleaf = 0; });
    UpdateAllViews(*doc);
    EXPECT_EQ(onFlyleaf.State().Position(), 0);
    EXPECT_EQ(onCover.State().Position(), -2);
}

}  // namespace
}  // namespace lumora
