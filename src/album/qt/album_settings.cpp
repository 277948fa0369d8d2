#include "album/qt/album_settings.h"

#include "album/album_document.h"
#include "album/album_hooks.h"
#include "album/album_layout.h"
#include "album/qt/album_properties_dialog.h"
#include "album/qt/title_fonts_dialog.h"
#include "app/main_frame.h"
#include "res/strings.h"
#include "view/qt/album_navigation.h"
#include "view/qt/album_command_support.h"
#include "view/qt/album_view.h"

namespace lumora {
namespace {

template <typename F>
void ForEachAlbumView(CLumoraDoc& doc, F visit)
{
    // Copied: a view may go while the others are visited.
    const std::vector<LayoutViewObserver*> views = doc.Views();
    for (LayoutViewObserver* observer : views)
        if (auto* view = dynamic_cast<CLumoraView*>(observer))
            visit(*view);
}

// After the pages were laid out again for other picture boxes, each view
// moves to the spread of its selected item.
void ShowSelectedItems(CLumoraDoc& doc)
{
    ForEachAlbumView(doc, [&doc](CLumoraView& view) {
        AlbumViewState state = view.State();
        state.ShowSelectedItem(AlbumLayout(doc));
        view.SetSelection(state.Selection());
        view.SetPosition(state.Position());
        auto* frame = qobject_cast<CMainFrame*>(view.window());
        if (frame && ActiveAlbumView(*frame) == &view)
            frame->SetLocationText(LocationText(state.Position(), doc.pageCount));
    });
}

// Previews are made for one picture box size; a layout with another size
// needs them all made again from the pictures, which takes a while.
void RemakePreviewsForLayout(CLumoraDoc& doc)
{
    StatusDisplay& status = CurrentStatusDisplay();
    status.BeginWaitCursor();
    const std::string kept = status.StatusText();
    status.SetStatusText(LoadString(55009));
    doc.RemakePreviews();
    status.SetStatusText(kept);
    doc.Paginate();
    ShowSelectedItems(doc);
    status.EndWaitCursor();
}

}  // namespace

bool EditTitleAndFonts(QWidget* parent, CLumoraDoc& doc)
{
    CTitleFontsDialog dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.StoreInto(doc);
    doc.UpdateAfterChange();
    UpdateAllViews(doc);
    return true;
}

bool EditAlbumProperties(QWidget* parent, CLumoraDoc& doc)
{
    CAlbumPropertiesDialog dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const int oldLayout = doc.layoutIndex;
    dialog.StoreInto(doc);
    doc.UpdateAfterChange();
    if (!LayoutsShareBoxSize(oldLayout, doc.layoutIndex))
        RemakePreviewsForLayout(doc);
    UpdateAllViews(doc);
    return true;
}

void InstallAlbumSettingsCommands(CMainFrame& frame)
{
    if (!FirstInstall(frame, "lumoraAlbumSettings"))
        return;
    const auto onActiveAlbum = [&frame](bool (*edit)(QWidget*, CLumoraDoc&)) {
        return OnActiveAlbum(frame, [edit](CMainFrame& f, CLumoraView& view) { edit(&f, view.Document()); });
    };
    frame.SetCommandHandler(kCmdAlbumProperties, onActiveAlbum(EditAlbumProperties), WhenActiveAlbum(frame, AnyAlbum));
    frame.SetCommandHandler(kCmdTitleFonts, onActiveAlbum(EditTitleAndFonts), WhenActiveAlbum(frame, AnyAlbum));
}

}  // namespace lumora
