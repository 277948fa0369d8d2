// Undo and redo in the album window: the Edit menu's entries and keys,
// their labels, the item put back and selected, the modified mark, moving
// items with Alt+Pg Prec / Alt+Pg Suiv, and the history panel.
#include <gtest/gtest.h>

#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>

#include <QApplication>
#include <QMouseEvent>

#include "core/album/album_commands.h"
#include "core/layout/book_geometry.h"
#include "gui/album/history_panel.h"
#include "gui/platform/commands.h"
#include "support/dialog_driver.h"
#include "album_window_fixture.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

using test::AnswerNextModal;

class HistoryCommandsTest : public test::AlbumWindowTest {
protected:
    // Texts "t0".."t<n-1>", saved as they are.
    AlbumView& OpenTexts(int count)
    {
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear();
        std::vector<std::unique_ptr<AlbumItem>> items;
        for (int i = 0; i < count; ++i)
            items.push_back(std::make_unique<AlbumItem>("t" + std::to_string(i), TextFont{}, 0));
        test::AppendItems(*doc, std::move(items));
        return Open(doc);
    }

    bool Enabled(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->isEnabled();
    }

    void Run(int command)
    {
        ASSERT_TRUE(Enabled(command)) << command;
        frame.Action(command)->trigger();
    }

    QString Label(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->text();
    }

    static std::vector<std::string> Texts(const AlbumDocument& doc)
    {
        std::vector<std::string> texts;
        for (const auto& item : doc.Items())
            texts.push_back(item->text);
        return texts;
    }
};

TEST_F(HistoryCommandsTest, DeleteThenUndoPutsTheItemBackSelected)
{
    AlbumView& view = OpenTexts(5);
    auto* window = qobject_cast<QMdiSubWindow*>(view.parentWidget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Album[*]");
    EXPECT_FALSE(window->isWindowModified());
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    EXPECT_FALSE(Enabled(kCmdEditRedo));
    EXPECT_EQ(Label(kCmdEditUndo), "&Annuler\tCtrl+Z");
    const QList<QKeySequence> undoKeys = frame.Action(kCmdEditUndo)->shortcuts();
    EXPECT_TRUE(undoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Z)));
    EXPECT_TRUE(undoKeys.contains(QKeySequence(Qt::ALT | Qt::Key_Backspace)));
    const QList<QKeySequence> redoKeys = frame.Action(kCmdEditRedo)->shortcuts();
    EXPECT_TRUE(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y)));
    EXPECT_TRUE(redoKeys.contains(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)));

    view.SetSelection(2);
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    Run(kCmdDeleteItem);
    ASSERT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t3", "t4"}));
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(Label(kCmdEditUndo), "&Annuler la suppression\tCtrl+Z");
    view.SetSelection(0);

    Run(kCmdEditUndo);
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4"}));
    EXPECT_EQ(view.State().Selection(), 2);
    EXPECT_FALSE(window->isWindowModified());  // back at the album as it was opened
    EXPECT_FALSE(view.Document().IsModified());
    EXPECT_FALSE(Enabled(kCmdEditUndo));
    EXPECT_EQ(Label(kCmdEditRedo), "&Rétablir la suppression\tCtrl+Y");

    Run(kCmdEditRedo);
    EXPECT_EQ(view.Document().ItemCount(), 4u);
    EXPECT_TRUE(window->isWindowModified());
}

TEST_F(HistoryCommandsTest, AltPageKeysMoveTheSelectedItemOnePlace)
{
    AlbumView& view = OpenTexts(3);
    EXPECT_EQ(frame.Action(kCmdMoveItemForward)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_PageDown));
    EXPECT_EQ(frame.Action(kCmdMoveItemBack)->shortcut(), QKeySequence(Qt::ALT | Qt::Key_PageUp));
    view.SetSelection(0);
    EXPECT_FALSE(Enabled(kCmdMoveItemBack));
    Run(kCmdMoveItemForward);
    Run(kCmdMoveItemForward);
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t1", "t2", "t0"}));
    EXPECT_EQ(view.State().Selection(), 2);
    EXPECT_FALSE(Enabled(kCmdMoveItemForward));
    EXPECT_EQ(Label(kCmdEditUndo), "&Annuler le déplacement\tCtrl+Z");
    Run(kCmdEditUndo);
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t1", "t0", "t2"}));
    EXPECT_EQ(view.State().Selection(), 1);
}

TEST_F(HistoryCommandsTest, TheHistoryPanelListsTheStepsAndGoesBackToOne)
{
    AlbumView& view = OpenTexts(4);
    EXPECT_FALSE(frame.Action(kCmdHistoryPanel)->isChecked());
    for (int i = 0; i < 3; ++i)
        InsertTextItem(view.Document(), 0, "n" + std::to_string(i), TextFont{}, 0);
    Run(kCmdHistoryPanel);
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdHistoryPanel)->isChecked());
    QListWidget* list = HistoryPanelOf(frame).List();
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->item(0)->text(), "Album ouvert");
    EXPECT_EQ(list->item(3)->text(), "L'insertion d'un texte");
    EXPECT_EQ(list->currentRow(), 3);

    emit list->itemClicked(list->item(1));
    EXPECT_EQ(view.Document().ItemCount(), 5u);
    EXPECT_EQ(list->currentRow(), 1);
    EXPECT_EQ(list->count(), 4);  // the steps undone stay, to be redone
    emit list->itemClicked(list->item(0));
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t2", "t3"}));
    EXPECT_FALSE(view.Document().IsModified());
}

// Mouse events as the viewport gets them, at the centre of `item` or at a
// point of the book.
class DraggingItems : public HistoryCommandsTest {
protected:
    QPoint AtItem(const AlbumView& view, int item) const
    {
        const ItemRect& r = view.Document().Items()[static_cast<size_t>(item)]->displayRect;
        return AtBook(view, {(r.left + r.right) / 2 + kPageAreaOffset.x, (r.top + r.bottom) / 2 + kPageAreaOffset.y});
    }
    static QPoint AtBook(const AlbumView& view, Point inBook)
    {
        // The middle of that book pixel, wherever the zoom puts it.
        const PointF at = view.Transform().ToWindow(PointF{inBook.x + 0.5, inBook.y + 0.5});
        return QPoint(static_cast<int>(at.x), static_cast<int>(at.y));
    }
    static void Send(AlbumView& view, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &event);
    }
    static void Drag(AlbumView& view, QPoint from, QPoint to)
    {
        Send(view, QEvent::MouseButtonPress, from, Qt::LeftButton);
        Send(view, QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
        Send(view, QEvent::MouseMove, to, Qt::LeftButton);
        Send(view, QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
};

TEST_F(DraggingItems, ADropBeforeAnItemOnTheOtherPageMovesItThere)
{
    AlbumView& view = OpenTexts(6);  // two a page: t2 t3 | t4 t5 on the second spread
    view.resize(700, 500);
    view.SetPosition(2);
    view.SetSelection(2);
    ASSERT_EQ(view.Document().Items()[2]->pageIndex, 1);
    ASSERT_EQ(view.Document().Items()[5]->pageIndex, 2);
    Drag(view, AtItem(view, 2), AtItem(view, 5));
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t3", "t4", "t2", "t5"}));
    EXPECT_EQ(view.State().Selection(), 4);
    EXPECT_EQ(Label(kCmdEditUndo), "&Annuler le déplacement\tCtrl+Z");
    Run(kCmdEditUndo);
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t2", "t3", "t4", "t5"}));
}

TEST_F(DraggingItems, AClickOrADropOffThePagesMovesNothing)
{
    AlbumView& view = OpenTexts(3);
    view.resize(700, 500);
    view.SetPosition(0);  // page 0 alone, on the right
    const QPoint item = AtItem(view, 0);
    Send(view, QEvent::MouseButtonPress, item, Qt::LeftButton);
    Send(view, QEvent::MouseButtonRelease, item, Qt::NoButton);
    Drag(view, item, AtBook(view, {5, 5}));  // the desk
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t0", "t1", "t2"}));
    EXPECT_FALSE(view.Document().History().CanUndo());
    // On the empty half of page 0's spread (no left page): nothing either.
    Drag(view, item, AtBook(view, {100, 200}));
    EXPECT_FALSE(view.Document().History().CanUndo());
    // Below the last item of page 0: after it, still on that page.
    const ItemRect& last = view.Document().Items()[1]->displayRect;
    Drag(view, item, AtBook(view, {last.left + kPageAreaOffset.x + 5, last.bottom + kPageAreaOffset.y + 20}));
    EXPECT_EQ(Texts(view.Document()), (std::vector<std::string>{"t1", "t0", "t2"}));
}

}  // namespace
}  // namespace lumora
