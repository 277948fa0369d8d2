#include "gui/album/editing_commands.h"

#include <QApplication>
#include <QKeyEvent>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/album/album_messages.h"
#include "core/res/strings.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "core/platform/services.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_command_support.h"
#include "gui/album/album_view.h"
#include "gui/album/delete_dialogs.h"
#include "gui/album/gauge_insert_progress.h"
#include "gui/album/history_commands.h"
#include "gui/album/image_properties_dialog.h"
#include "gui/picture/picture_file_dialog.h"
#include "gui/album/tab_dialog.h"
#include "gui/album/text_dialog.h"

namespace lumora {
namespace {

// The last step of every change: the view on its selection (the album's
// windows repaint as they are told of the change).
void ShowChange(AlbumView& view)
{
    ShowSelectedItem(view);
}

int Selection(const AlbumView& view)
{
    return view.State().Selection();
}

const AlbumItem& SelectedItem(const AlbumView& view)
{
    return *view.Document().Items()[static_cast<size_t>(Selection(view))];
}

std::vector<std::string> ToPaths(const QStringList& chosen)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(chosen.size()));
    for (const QString& path : chosen)
        paths.push_back(path.toStdString());
    return paths;
}

void InsertImagesCommand(CommandHost& frame, AlbumView& view)
{
    const QStringList chosen = AskImagesToInsert(frame.HostWidget(), frame.Prefs().showPreview);
    if (chosen.isEmpty())
        return;
    AlbumDocument& doc = view.Document();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame.SaveStatusText();
    frame.SetStatusText(QString::fromStdString(LoadString(kStrAddingPictures)));
    frame.BeginProgress();
    GaugeInsertProgress progress(frame);
    const int selection = InsertImages(doc, ToPaths(chosen), Selection(view), InsertAfterFlag(), &progress);
    frame.EndProgress();
    frame.RestoreStatusText();
    QApplication::restoreOverrideCursor();
    view.SetSelection(selection);
    doc.Paginate();
    ShowChange(view);
}

void InsertTextCommand(CommandHost& frame, AlbumView& view)
{
    TextStyle& last = LastTextStyle();
    TextDialog dialog({}, last.font, last.color, &frame.Prefs().customColors, frame.HostWidget());
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    // The colour is remembered even when the text is given up; the font only
    // with a text.
    last.color = dialog.Color();
    if (!confirmed)
        return;
    last.font = dialog.Font();
    const int index = InsertTextItem(view.Document(), Selection(view), dialog.Text(), dialog.Font(), dialog.Color());
    view.SetSelection(index);
    ShowSelectedItem(view);
}

bool ConfirmDeletion(CommandHost& frame, const AlbumItem& item)
{
    if (!item.IsPhoto())
        return ConfirmTextDeletion(frame.HostWidget());
    DeleteImageDialog dialog(item, frame.HostWidget());
    return dialog.exec() == QDialog::Accepted;
}

void DeleteCommand(CommandHost& frame, AlbumView& view)
{
    ShowSelectedItem(view);
    if (!ConfirmDeletion(frame, SelectedItem(view)))
        return;
    const DeleteOutcome outcome = DeleteAlbumItem(view.Document(), Selection(view));
    view.SetSelection(outcome.selection);
    ShowChange(view);
}

bool EditPhoto(CommandHost& frame, AlbumView& view)
{
    ImagePropertiesDialog dialog(SelectedItem(view), frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    // The same text is no change: nothing to undo, the album stays as saved.
    SetItemDescription(view.Document(), Selection(view), dialog.Description());
    return true;
}

bool EditText(CommandHost& frame, AlbumView& view)
{
    const AlbumItem& item = SelectedItem(view);
    TextDialog dialog(item.text, item.font.value_or(DefaultTextFont()), item.textColor,
                       &frame.Prefs().customColors, frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetTextItem(view.Document(), Selection(view), dialog.Text(), dialog.Font(), dialog.Color());
    return true;
}

void ItemPropertiesCommand(CommandHost& frame, AlbumView& view)
{
    ShowSelectedItem(view);
    SelectedItem(view).IsPhoto() ? EditPhoto(frame, view) : EditText(frame, view);
}

// True when the selected item already begins a section, where a new tab
// cannot go.
bool SelectionStartsSection(const AlbumView& view)
{
    const AlbumDocument& doc = view.Document();
    const int s = Selection(view);
    return s > 0 && SelectedTab(doc, s - 1) != SelectedTab(doc, s);
}

void AddTabCommand(CommandHost& frame, AlbumView& view)
{
    if (Selection(view) <= 0)
        return;
    if (SelectionStartsSection(view)) {
        ReportStop(album_text::TabAlreadyThere());
        return;
    }
    ShowSelectedItem(view);
    auto tab = std::make_unique<SectionTab>(album_text::UnnamedTab(), RandomTabNumber());
    TabDialog dialog(TabDialog::Kind::NewTab, *tab, &frame.Prefs().customColors, frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Store(*tab);
    if (view.Document().AddTabBefore(static_cast<size_t>(Selection(view)), std::move(tab)) ==
        AlbumDocument::TabEdit::Refused)
        ReportStop(album_text::TabAlreadyThere());
    ShowChange(view);
}

void DeleteTabCommand(CommandHost& frame, AlbumView& view)
{
    AlbumDocument& doc = view.Document();
    const int tab = SelectedTab(doc, Selection(view));
    if (tab == 0) {
        ReportStop(album_text::FirstTabStays());
        return;
    }
    DeleteTabDialog dialog(doc.Tabs()[static_cast<size_t>(tab)]->name, frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.RemoveTab(static_cast<size_t>(tab));
    ShowChange(view);
}

void TabPropertiesCommand(CommandHost& frame, AlbumView& view)
{
    AlbumDocument& doc = view.Document();
    if (doc.Tabs().empty())
        return;
    const int tab = SelectedTab(doc, Selection(view));
    TabDialog dialog(TabDialog::Kind::Properties, *doc.Tabs()[static_cast<size_t>(tab)],
                      &frame.Prefs().customColors, frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetTabProperties(doc, tab, dialog.Name(), dialog.TabColor(), dialog.NameColor());
}

void ToggleTabsCommand(AlbumView& view)
{
    ToggleTabs(view.Document());
}

bool HasItems(const AlbumView& view)
{
    return !view.Document().Items().empty();
}

bool UsesTabs(const AlbumView& view)
{
    return view.Document().Settings().useTabs;
}

}  // namespace

bool ShowSelectedItem(AlbumView& view)
{
    AlbumViewState state = view.State();
    AlbumLayout layout(view.Document());
    const bool moved = state.ShowSelectedItem(layout);
    view.SetSelection(state.Selection());
    if (moved)
        view.SetPosition(state.Position());
    UpdateLocationText(view);
    return moved;
}

void InstallEditingCommands(CommandHost& frame)
{
    auto on = [&frame](auto command) { return OnActiveAlbum(frame, command); };
    auto when = [&frame](auto test) { return WhenActiveAlbum(frame, test); };
    auto always = AnyAlbum;

    frame.SetCommandHandler(kCmdInsertImages, on(InsertImagesCommand), when(always));
    frame.SetCommandHandler(kCmdInsertText, on(InsertTextCommand), when(always));
    frame.SetCommandHandler(kCmdDeleteItem, on(DeleteCommand), when(HasItems));
    frame.SetCommandHandler(kCmdItemProperties, on(ItemPropertiesCommand), when(HasItems));
    frame.SetCommandHandler(kCmdAddTab, on(AddTabCommand), when([](const AlbumView& v) {
                                return UsesTabs(v) && HasItems(v) && Selection(v) != 0;
                            }));
    frame.SetCommandHandler(kCmdDeleteTab, on(DeleteTabCommand),
                            when([](const AlbumView& v) { return UsesTabs(v) && HasItems(v); }));
    frame.SetCommandHandler(kCmdTabProperties, on(TabPropertiesCommand), when(UsesTabs));
    frame.SetCommandHandler(
        kCmdUseTabs, on([](CommandHost&, AlbumView& v) { ToggleTabsCommand(v); }), when(always), when(UsesTabs));
    InstallHistoryCommands(frame);
}

}  // namespace lumora
