#include "core/album/album_layout.h"

#include "gui/album/album_navigation.h"

#include "core/sound/sounds.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "core/res/strings.h"
#include "core/layout/page_queries.h"
#include "gui/album/album_command_support.h"
#include "gui/album/album_view.h"
#include "gui/album/go_to_dialogs.h"
#include "gui/album/text_drawing.h"
#include "core/layout/spread.h"

namespace lumora {
namespace {

QString Text(int id)
{
    return QString::fromStdString(LoadString(id));
}

bool HasFlyleaf(const AlbumView& view)
{
    return view.Document().Settings().flyleaf;
}

int PageCount(const AlbumView& view)
{
    return view.Document().PageCount();
}

// A jump from `from` to `to` turns the page the way it goes, unless the
// book was closed.
void AnimateJump(AlbumView& view, int from, int to)
{
    if (from != kCoverPosition && view.AnimatesPageTurns())
        view.AnimatePageTurn(to > from);
}

// The tab whose section the view shows.
int CurrentTab(AlbumView& view)
{
    const int position = view.State().Position();
    const int tabs = static_cast<int>(view.Document().TabCount());
    if (position >= PageCount(view))
        return tabs - 1;
    if (position < 0)
        return 0;
    AlbumLayout layout(view.Document());
    const int item = FirstItemOnPage(layout, position);
    return item >= 0 ? layout.ItemTabIndex(item) : 0;
}

void GoToTab(AlbumView& view, int tab)
{
    const int tabs = static_cast<int>(view.Document().TabCount());
    if (tabs == 0)
        return;
    tab = std::clamp(tab, 0, tabs - 1);
    GoToPage(view, view.Document().Tabs()[static_cast<size_t>(tab)]->firstPage);
}

bool UsesTabsWithItems(const AlbumView& view)
{
    return view.Document().Settings().useTabs && !view.Document().Items().empty();
}

}  // namespace

// The text `id` with its %d fields filled in order.
QString Formatted(int id, std::initializer_list<int> numbers)
{
    QString text = Text(id);
    for (int number : numbers)
        if (const auto at = text.indexOf("%d"); at >= 0)
            text.replace(at, 2, QString::number(number));
    return text;
}

void UpdateLocationText(AlbumView& view)
{
    if (auto* frame = HostOf(&view))
        frame->SetLocationText(LocationText(view.State().Position(), PageCount(view)));
}

QString LocationText(int position, int pageCount)
{
    if (position == kCoverPosition)
        return Text(kStrCover);
    if (position == kFlyleafPosition)
        return Text(kStrFlyleaf);
    if (position == 0)
        return Formatted(kStrPage, {1});
    if (position >= pageCount)
        return Formatted(kStrPage, {position});
    return Formatted(kStrPagesRange, {position, position + 1});
}

void MoveTo(AlbumView& view, int position)
{
    AlbumViewState state = view.State();
    state.SetPosition(position);
    AlbumLayout layout(view.Document());
    state.SelectionForSpread(layout);
    view.SetSelection(state.Selection());
    view.SetPosition(state.Position());
    UpdateLocationText(view);
}

void NextPage(AlbumView& view)
{
    const int position = view.State().Position();
    if (position >= PageCount(view))
        return;
    if (position != kCoverPosition && view.AnimatesPageTurns())
        view.AnimatePageTurn(true);
    if (position == kCoverPosition)
        MoveTo(view, HasFlyleaf(view) ? kFlyleafPosition : 0);
    else if (position == kFlyleafPosition)
        MoveTo(view, 0);
    else
        MoveTo(view, position + 2);
}

void PreviousPage(AlbumView& view)
{
    const int position = view.State().Position();
    if (position <= kCoverPosition)
        return;
    const bool closing = position == (HasFlyleaf(view) ? kFlyleafPosition : 0);
    if (!closing && view.AnimatesPageTurns())
        view.AnimatePageTurn(false);
    if (position == 0)
        MoveTo(view, HasFlyleaf(view) ? kFlyleafPosition : kCoverPosition);
    else if (position == kFlyleafPosition)
        MoveTo(view, kCoverPosition);
    else
        MoveTo(view, position - 2);
}

void GoToPage(AlbumView& view, int page)
{
    page = std::min(page, PageCount(view) - 1);
    const int position = SpreadOfPage(std::max(page, 0));
    const int old = view.State().Position();
    if (position != old) {
        AnimateJump(view, old, position);
        MoveTo(view, position);
        view.RepaintNow();
    }
    UpdateLocationText(view);
}

// After a tab jump the selection goes to the spread shown, even when the
// jump stayed on the same spread (the selection may lie elsewhere).
void SelectForSpreadShown(AlbumView& view)
{
    AlbumViewState state = view.State();
    AlbumLayout layout(view.Document());
    state.SelectionForSpread(layout);
    if (state.Selection() != view.State().Selection()) {
        view.SetSelection(state.Selection());
        view.update();
    }
    UpdateLocationText(view);
}

void NextTab(AlbumView& view)
{
    GoToTab(view, CurrentTab(view) + 1);
    SelectForSpreadShown(view);
}

void PreviousTab(AlbumView& view)
{
    GoToTab(view, CurrentTab(view) - 1);
    SelectForSpreadShown(view);
}

void SelectItem(AlbumView& view, int delta, int index)
{
    const int count = static_cast<int>(view.Document().ItemCount());
    if (count == 0)
        return;
    const int target = std::clamp(delta != 0 ? view.State().Selection() + delta : index, 0, count - 1);
    const int old = view.State().Selection();
    if (target == old)
        return;
    const int oldPosition = view.State().Position();
    const int position = SpreadOfPage(view.Document().Items()[static_cast<size_t>(target)]->pageIndex);
    if (oldPosition < 0 || (oldPosition + 1) / 2 != position / 2) {
        AnimateJump(view, oldPosition, position);
        view.SetSelection(target);
        view.SetPosition(position);
        view.RepaintNow();
    } else {
        // Within the spread shown only the two marks change.
        view.MoveSelectionWithinSpread(target);
    }
    UpdateLocationText(view);
}

AlbumView* ActiveAlbumView(CommandHost& frame)
{
    QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
    if (!window)
        window = frame.MdiArea()->currentSubWindow();
    return window ? qobject_cast<AlbumView*>(window->widget()) : nullptr;
}

void InstallAlbumNavigation(CommandHost& frame)
{
    CommandHost* f = &frame;
    // Moving in the album first stops the sound being played.
    auto on = [&frame](auto action) {
        return OnActiveAlbum(frame, [action](AlbumView& v) {
            StopSound();
            action(v);
        });
    };
    auto when = [&frame](auto test) { return WhenActiveAlbum(frame, test); };
    auto position = [](const AlbumView& v) { return v.State().Position(); };

    frame.SetCommandHandler(kCmdNextPage, on(NextPage),
                            when([=](const AlbumView& v) { return position(v) < PageCount(v); }));
    frame.SetCommandHandler(kCmdPrevPage, on(PreviousPage),
                            when([=](const AlbumView& v) { return position(v) >= kFlyleafPosition; }));
    frame.SetCommandHandler(kCmdFirstPage, on([](AlbumView& v) { MoveTo(v, 0); }),
                            when([=](const AlbumView& v) { return position(v) != 0; }));
    frame.SetCommandHandler(kCmdLastPage, on([](AlbumView& v) { MoveTo(v, PageCount(v)); }),
                            when([=](const AlbumView& v) { return position(v) < PageCount(v); }));
    frame.SetCommandHandler(kCmdCover, on([](AlbumView& v) { MoveTo(v, kCoverPosition); }),
                            when([=](const AlbumView& v) { return position(v) != kCoverPosition; }));
    frame.SetCommandHandler(
        kCmdFlyleaf, on([](AlbumView& v) { MoveTo(v, kFlyleafPosition); }),
        when([=](const AlbumView& v) { return HasFlyleaf(v) && position(v) != kFlyleafPosition; }));
    frame.SetCommandHandler(kCmdNextTab, on(NextTab), when(UsesTabsWithItems));
    frame.SetCommandHandler(kCmdPrevTab, on(PreviousTab), when(UsesTabsWithItems));
    frame.SetCommandHandler(kCmdGoToPage, on([f](AlbumView& v) {
                                GoToPageDialog dialog(GoToPageInitialNumber(v.State().Position()), f->HostWidget());
                                if (dialog.exec() == QDialog::Accepted)
                                    GoToPage(v, dialog.Number() - 1);
                                UpdateLocationText(v);
                            }),
                            when(AnyAlbum));
    frame.SetCommandHandler(kCmdGoToTab, on([f](AlbumView& v) {
                                QStringList names;
                                for (const auto& tab : v.Document().Tabs())
                                    names << AlbumText(tab->name);
                                GoToTabDialog dialog(names, f->HostWidget());
                                if (dialog.exec() == QDialog::Accepted) {
                                    GoToTab(v, dialog.ChosenTab());
                                    MoveTo(v, v.State().Position());
                                }
                                UpdateLocationText(v);
                            }),
                            when([](const AlbumView& v) { return v.Document().Settings().useTabs; }));

    // The location follows the active view.
    QObject::connect(frame.MdiArea(), &QMdiArea::subWindowActivated, frame.HostWidget(), [f](QMdiSubWindow* window) {
        if (auto* view = window ? qobject_cast<AlbumView*>(window->widget()) : nullptr)
            f->SetLocationText(LocationText(view->State().Position(), view->Document().PageCount()));
        else
            f->SetLocationText({});
    });
}

}  // namespace lumora
