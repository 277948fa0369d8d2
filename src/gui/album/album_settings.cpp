#include "gui/album/album_settings.h"

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "gui/album/album_properties_dialog.h"
#include "gui/album/gauge_insert_progress.h"
#include "gui/album/title_fonts_dialog.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/album/album_navigation.h"
#include "gui/album/album_command_support.h"
#include "gui/album/album_view.h"

namespace lumora {
namespace {

template <typename F>
void ForEachAlbumView(AlbumDocument& doc, F visit)
{
    // Copied: a view may go while the others are visited.
    const std::vector<LayoutViewObserver*> views = doc.Views();
    for (LayoutViewObserver* observer : views)
        if (auto* view = dynamic_cast<AlbumView*>(observer))
            visit(*view);
}

// After the pages were laid out again for other picture boxes, each view
// moves to the spread of its selected item.
void ShowSelectedItems(AlbumDocument& doc)
{
    ForEachAlbumView(doc, [&doc](AlbumView& view) {
        AlbumViewState state = view.State();
        state.ShowSelectedItem(AlbumLayout(doc));
        view.SetSelection(state.Selection());
        view.SetPosition(state.Position());
        auto* frame = HostOf(&view);
        if (frame && ActiveAlbumView(*frame) == &view)
            frame->SetLocationText(LocationText(state.Position(), doc.PageCount()));
    });
}

}  // namespace

bool EditTitleAndFonts(QWidget* parent, AlbumDocument& doc)
{
    TitleFontsDialog dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    AlbumSettings settings = SettingsOf(doc);
    dialog.StoreInto(settings);
    if (settings != SettingsOf(doc))
        ChangeAlbumSettings(doc, settings, SettingsKind::TitleAndFonts);
    return true;
}

bool EditAlbumProperties(QWidget* parent, AlbumDocument& doc)
{
    AlbumPropertiesDialog dialog(doc, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    AlbumSettings settings = SettingsOf(doc);
    dialog.StoreInto(settings);
    if (settings == SettingsOf(doc))
        return true;
    // Remaking a hundred previews takes a while: the windows keep painting
    // and Échap leaves the rest as they are.
    bool remade = false;
    if (CommandHost* host = HostOf(parent)) {
        GaugeInsertProgress progress(*host);
        remade = ChangeAlbumSettings(doc, settings, SettingsKind::Properties, progress.Hooks());
    } else {
        remade = ChangeAlbumSettings(doc, settings, SettingsKind::Properties);
    }
    if (remade)
        ShowSelectedItems(doc);
    return true;
}

void InstallAlbumSettingsCommands(CommandHost& frame)
{
    const auto onActiveAlbum = [&frame](bool (*edit)(QWidget*, AlbumDocument&)) {
        return OnActiveAlbum(frame, [edit](CommandHost& f, AlbumView& view) { edit(f.HostWidget(), view.Document()); });
    };
    frame.SetCommandHandler(kCmdAlbumProperties, onActiveAlbum(EditAlbumProperties), WhenActiveAlbum(frame, AnyAlbum));
    frame.SetCommandHandler(kCmdTitleFonts, onActiveAlbum(EditTitleAndFonts), WhenActiveAlbum(frame, AnyAlbum));
}

}  // namespace lumora
