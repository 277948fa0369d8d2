#include "core/album/album_layout.h"

#include "gui/album/album_mouse.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "gui/platform/commands.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "core/sound/sounds.h"

namespace lumora {
namespace {

CommandHost* FrameOf(const AlbumView& view)
{
    return HostOf(&view);
}

void RunCommand(const AlbumView& view, int command)
{
    if (CommandHost* frame = FrameOf(view)) {
        frame->RefreshCommandStates();
        if (QAction* action = frame->Action(command); action && action->isEnabled())
            action->trigger();
    }
}

void ActivateWindowOf(AlbumView& view)
{
    for (QWidget* w = view.parentWidget(); w; w = w->parentWidget()) {
        if (auto* window = qobject_cast<QMdiSubWindow*>(w)) {
            if (QMdiArea* area = window->mdiArea())
                area->setActiveSubWindow(window);
            return;
        }
    }
}

struct MenuEntry {
    int command;  // 0: a separator
    const char* label;  // null: the command's label in the album menu
};

// The three pop-up menus: over an item, over a tab, elsewhere.
const std::vector<MenuEntry>& ItemMenu()
{
    static const std::vector<MenuEntry> entries{
        {kCmdItemProperties, "P&ropriétés..."}, {kCmdViewItem, "&Visualiser !"},
        {0, nullptr},
        {kCmdInsertImages, "&Ajouter des images..."}, {kCmdDeleteItem, "&Supprimer"},
        {0, nullptr},
        {kCmdEditCut, "&Couper "}, {kCmdEditCopy, "Co&pier"}, {kCmdEditPaste, "&C&oller"},
        {0, nullptr},
        {kCmdPlaySound, nullptr}, {kCmdAttachSound, nullptr}, {kCmdRemoveSound, nullptr},
        {0, nullptr},
        {kCmdAlbumProperties, "Propr&iétés de l'album..."},
        {kCmdTitleFonts, "Titr&e, description et polices... "},
    };
    return entries;
}

const std::vector<MenuEntry>& TabMenu()
{
    static const std::vector<MenuEntry> entries{
        {kCmdTabProperties, nullptr}, {kCmdAddTab, nullptr}, {kCmdDeleteTab, nullptr},
        {0, nullptr},
        {kCmdGoToTab, nullptr}, {kCmdGoToPage, nullptr},
        {0, nullptr},
        {kCmdAlbumProperties, "Propr&iétés de l'album..."},
        {kCmdTitleFonts, "Titr&e, description et polices... "},
    };
    return entries;
}

const std::vector<MenuEntry>& AlbumMenuEntries()
{
    static const std::vector<MenuEntry> entries{
        {kCmdAlbumProperties, "Propr&iétés de l'album..."},
        {kCmdTitleFonts, "Titr&e, description et polices... "},
        {0, nullptr},
        {kCmdGoToPage, nullptr}, {kCmdGoToTab, nullptr},
    };
    return entries;
}

QMenu* BuildMenu(CommandHost& frame, const std::vector<MenuEntry>& entries)
{
    frame.RefreshCommandStates();
    auto* menu = new QMenu(frame.HostWidget());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (const MenuEntry& entry : entries) {
        if (entry.command == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* command = frame.Action(entry.command);
        const QString label = entry.label ? QString::fromUtf8(entry.label) : Command(entry.command).label;
        QAction* item = menu->addAction(label);
        item->setData(entry.command);
        item->setEnabled(command && command->isEnabled());
        item->setCheckable(command && command->isCheckable());
        item->setChecked(command && command->isChecked());
        if (command)
            QObject::connect(item, &QAction::triggered, command, [command] { command->trigger(); });
    }
    return menu;
}

}  // namespace

BookHit HitAt(const AlbumView& view, Point point)
{
    const AlbumLayout layout(view.Document());
    return HitTestBook(layout, view.State(), view.Document().Settings().flyleaf, point, {0, 0});
}

void ClickBook(AlbumView& view, Point point, bool doubleClick)
{
    // Any click on the book silences the sound, wherever it lands.
    StopSound();
    ActivateWindowOf(view);
    const BookHit hit = HitAt(view, point);
    switch (hit.kind) {
    case BookHit::CoverPlate:
    case BookHit::FlyleafText:
        RunCommand(view, kCmdTitleFonts);
        break;
    case BookHit::Cover:
    case BookHit::NextZone:
        NextPage(view);
        break;
    case BookHit::PreviousZone:
        PreviousPage(view);
        break;
    case BookHit::Tab:
        GoToPage(view, view.Document().Tabs()[static_cast<size_t>(hit.index)]->firstPage);
        break;
    case BookHit::Item:
        SelectItem(view, 0, hit.index);
        if (doubleClick)
            RunCommand(view, kCmdViewItem);
        break;
    case BookHit::Nothing:
        break;
    }
}

BookCursor CursorAt(const AlbumView& view, Point point)
{
    switch (HitAt(view, point).kind) {
    case BookHit::CoverPlate:
    case BookHit::FlyleafText:
    case BookHit::Tab:
    case BookHit::Item:
        return BookCursor::Select;
    case BookHit::Cover:
    case BookHit::NextZone:
        return BookCursor::NextPage;
    case BookHit::PreviousZone:
        return BookCursor::PreviousPage;
    case BookHit::Nothing:
        break;
    }
    return BookCursor::Arrow;
}

QMenu* PrepareContextMenu(AlbumView& view, CommandHost& frame, Point point)
{
    const BookHit hit = HitAt(view, point);
    if (hit.kind == BookHit::Tab) {
        GoToPage(view, view.Document().Tabs()[static_cast<size_t>(hit.index)]->firstPage);
        view.RepaintNow();
        return BuildMenu(frame, TabMenu());
    }
    if (hit.kind == BookHit::Item) {
        SelectItem(view, 0, hit.index);
        view.RepaintNow();
        return BuildMenu(frame, ItemMenu());
    }
    return BuildMenu(frame, AlbumMenuEntries());
}

}  // namespace lumora
