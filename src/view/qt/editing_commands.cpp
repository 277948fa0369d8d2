#include "view/qt/editing_commands.h"

#include <QApplication>
#include <cstdlib>

#include "album/album_commands.h"
#include "album/album_document.h"
#include "album/album_layout.h"
#include "album/album_messages.h"
#include "app/main_frame.h"
#include "platform/user_interface.h"
#include "view/qt/album_navigation.h"
#include "view/qt/album_command_support.h"
#include "view/qt/album_view.h"
#include "view/qt/delete_dialogs.h"
#include "view/qt/image_properties_dialog.h"
#include "imaging/qt/picture_file_dialog.h"
#include "view/qt/tab_dialog.h"
#include "view/qt/text_dialog.h"

namespace lumora {
namespace {

constexpr int kAddingImagesText = 55013;
constexpr int kTabColorCount = 6;

// The insertion's progress on the frame's gauge.
class GaugeInsertProgress final : public InsertProgress {
public:
    explicit GaugeInsertProgress(CMainFrame& frame) : frame_(frame) {}
    void Step(int done, int total) override
    {
        frame_.SetProgress(static_cast<unsigned>(done), static_cast<unsigned>(total));
    }

private:
    CMainFrame& frame_;
};

// The last step of every change: the view on its selection, all windows
// of the album updated.
void ShowChange(CLumoraView& view)
{
    ShowSelectedItem(view);
    UpdateAllViews(view.Document());
}

int Selection(const CLumoraView& view)
{
    return view.State().Selection();
}

CMyObject& SelectedItem(CLumoraView& view)
{
    return *view.Document().items[static_cast<size_t>(Selection(view))];
}

std::vector<std::string> ToPaths(const QStringList& chosen)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<size_t>(chosen.size()));
    for (const QString& path : chosen)
        paths.push_back(path.toStdString());
    return paths;
}

void InsertImagesCommand(CMainFrame& frame, CLumoraView& view)
{
    const QStringList chosen = AskImagesToInsert(&frame, frame.Prefs().showApercu);
    if (chosen.isEmpty())
        return;
    CLumoraDoc& doc = view.Document();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame.SaveStatusText();
    frame.SetStatusText(kAddingImagesText);
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

void InsertTextCommand(CMainFrame& frame, CLumoraView& view)
{
    TextStyle& last = LastTextStyle();
    CTextDialog dialog({}, last.font, last.color, &frame.Prefs().customColors, &frame);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    // The colour is remembered even when the text is given up; the font only
    // with a text.
    last.color = dialog.Color();
    if (!confirmed)
        return;
    last.font = dialog.Font();
    const int index = InsertTextItem(view.Document(), Selection(view), dialog.Text(), dialog.Font(), dialog.Color());
    view.SetSelection(index);
    UpdateAllViews(view.Document());
}

bool ConfirmDeletion(CMainFrame& frame, const CMyObject& item)
{
    if (!item.IsPhoto())
        return ConfirmTextDeletion(&frame);
    CDeleteImageDialog dialog(item, &frame);
    return dialog.exec() == QDialog::Accepted;
}

void DeleteCommand(CMainFrame& frame, CLumoraView& view)
{
    ShowSelectedItem(view);
    if (!ConfirmDeletion(frame, SelectedItem(view)))
        return;
    const DeleteOutcome outcome = DeleteAlbumItem(view.Document(), Selection(view));
    view.SetSelection(outcome.selection);
    ShowChange(view);
}

bool EditPhoto(CMainFrame& frame, CLumoraView& view)
{
    CImagePropertiesDialog dialog(SelectedItem(view), &frame);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetItemDescription(view.Document(), Selection(view), dialog.Description());
    // Confirmed properties count as a change even when the text is the same.
    view.Document().UpdateAfterChange();
    return true;
}

bool EditText(CMainFrame& frame, CLumoraView& view)
{
    const CMyObject& item = SelectedItem(view);
    CTextDialog dialog(item.text, item.font.value_or(DefaultTextFont()), item.textColor,
                       &frame.Prefs().customColors, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    SetTextItem(view.Document(), Selection(view), dialog.Text(), dialog.Font(), dialog.Color());
    return true;
}

void ItemPropertiesCommand(CMainFrame& frame, CLumoraView& view)
{
    ShowSelectedItem(view);
    const bool changed = SelectedItem(view).IsPhoto() ? EditPhoto(frame, view) : EditText(frame, view);
    if (changed)
        UpdateAllViews(view.Document());
}

// True when the selected item already begins a section, where a new tab
// cannot go.
bool SelectionStartsSection(const CLumoraView& view)
{
    const CLumoraDoc& doc = view.Document();
    const int s = Selection(view);
    return s > 0 && SelectedTab(doc, s - 1) != SelectedTab(doc, s);
}

void AddTabCommand(CMainFrame& frame, CLumoraView& view)
{
    if (Selection(view) <= 0)
        return;
    if (SelectionStartsSection(view)) {
        ReportStop(album_text::TabAlreadyThere());
        return;
    }
    ShowSelectedItem(view);
    auto tab = std::make_unique<COnglet>(album_text::UnnamedTab(), std::rand() % kTabColorCount);
    CTabDialog dialog(CTabDialog::Kind::NewTab, *tab, &frame.Prefs().customColors, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Store(*tab);
    view.Document().AddTabBefore(static_cast<size_t>(Selection(view)), std::move(tab));
    ShowChange(view);
}

void DeleteTabCommand(CMainFrame& frame, CLumoraView& view)
{
    CLumoraDoc& doc = view.Document();
    const int tab = SelectedTab(doc, Selection(view));
    if (tab == 0) {
        doc.RemoveTab(0);  // refused with its message: the first tab stays
        return;
    }
    CDeleteTabDialog dialog(doc.tabs[static_cast<size_t>(tab)]->name, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    doc.RemoveTab(static_cast<size_t>(tab));
    ShowChange(view);
}

void TabPropertiesCommand(CMainFrame& frame, CLumoraView& view)
{
    CLumoraDoc& doc = view.Document();
    if (doc.tabs.empty())
        return;
    const int tab = SelectedTab(doc, Selection(view));
    CTabDialog dialog(CTabDialog::Kind::Properties, *doc.tabs[static_cast<size_t>(tab)],
                      &frame.Prefs().customColors, &frame);
    if (dialog.exec() != QDialog::Accepted)
        return;
    SetTabProperties(doc, tab, dialog.Name(), dialog.TabColor(), dialog.NameColor());
    UpdateAllViews(doc);
}

void ToggleTabsCommand(CLumoraView& view)
{
    ToggleTabs(view.Document());
    UpdateAllViews(view.Document());
}

bool HasItems(const CLumoraView& view)
{
    return !view.Document().items.empty();
}

bool UsesTabs(const CLumoraView& view)
{
    return view.Document().useTabs != 0;
}

}  // namespace

bool ShowSelectedItem(CLumoraView& view)
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

void InstallEditingCommands(CMainFrame& frame)
{
    if (!FirstInstall(frame, "lumoraEditingCommands"))
        return;
    auto on = [&frame](auto command) { return OnActiveAlbum(frame, command); };
    auto when = [&frame](auto test) { return WhenActiveAlbum(frame, test); };
    auto always = AnyAlbum;

    frame.SetCommandHandler(kCmdInsertImages, on(InsertImagesCommand), when(always));
    frame.SetCommandHandler(kCmdInsertText, on(InsertTextCommand), when(always));
    frame.SetCommandHandler(kCmdDeleteItem, on(DeleteCommand), when(HasItems));
    frame.SetCommandHandler(kCmdItemProperties, on(ItemPropertiesCommand), when(HasItems));
    frame.SetCommandHandler(kCmdAddTab, on(AddTabCommand), when([](const CLumoraView& v) {
                                return UsesTabs(v) && HasItems(v) && Selection(v) != 0;
                            }));
    frame.SetCommandHandler(kCmdDeleteTab, on(DeleteTabCommand),
                            when([](const CLumoraView& v) { return UsesTabs(v) && HasItems(v); }));
    frame.SetCommandHandler(kCmdTabProperties, on(TabPropertiesCommand), when(UsesTabs));
    frame.SetCommandHandler(
        kCmdUseTabs, on([](CMainFrame&, CLumoraView& v) { ToggleTabsCommand(v); }), when(always), when(UsesTabs));
}

}  // namespace lumora
