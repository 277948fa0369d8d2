#include "gui/album/clipboard_commands.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/clipboard_block.h"
#include "core/formats/image_format.h"
#include "core/platform/services.h"
#include "core/album/find_album_file.h"
#include "core/sound/sounds.h"
#include "core/res/strings.h"
#include "gui/album/album_command_support.h"
#include "gui/album/album_view.h"
#include "gui/album/editing_commands.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

QByteArray ToByteArray(const std::vector<uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

std::span<const uint8_t> AsBytes(const QByteArray& bytes)
{
    return {reinterpret_cast<const uint8_t*>(bytes.constData()), static_cast<size_t>(bytes.size())};
}

const AlbumItem& SelectedItem(const AlbumView& view)
{
    return *view.Document().Items()[static_cast<size_t>(view.State().Selection())];
}

bool HasItems(const AlbumView& view)
{
    return !view.Document().Items().empty();
}

bool ClipboardOffersOurBlock()
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(kClipboardMimeType);
}

// Puts the selected item on the clipboard; false when the clipboard did not
// take it.
bool CopySelectedItem(AlbumView& view)
{
    StopSound();
    ShowSelectedItem(view);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QApplication::clipboard()->setMimeData(ItemMimeData(SelectedItem(view), view.Document().Path()));
    QApplication::restoreOverrideCursor();
    return ClipboardOffersOurBlock();
}

void CutSelectedItem(AlbumView& view)
{
    // An item the clipboard did not take stays in the album.
    if (!CopySelectedItem(view))
        return;
    view.SetSelection(CutAlbumItem(view.Document(), view.State().Selection()));
    ShowSelectedItem(view);
}

void PasteItem(AlbumView& view)
{
    StopSound();
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(kClipboardMimeType))
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QByteArray block = data->data(kClipboardMimeType);
    const QByteArray strings = data->data(kClipboardUtf8MimeType);
    std::unique_ptr<AlbumItem> item = FromClipboardBlock(AsBytes(block), AsBytes(strings));
    if (!item) {
        QApplication::restoreOverrideCursor();
        CurrentErrorReporter().ShowMessage(LoadString(kStrPasteFailed), {}, MessageIcon::Exclamation);
        return;
    }
    const int index = PasteAlbumItem(view.Document(), view.State().Selection(), std::move(item));
    if (index >= 0)
        view.SetSelection(index);
    ShowSelectedItem(view);
    QApplication::restoreOverrideCursor();
}

}  // namespace

QMimeData* ItemMimeData(const AlbumItem& item, const std::string& albumPath)
{
    auto* data = new QMimeData;
    data->setData(kClipboardMimeType, ToByteArray(ToClipboardBlock(item)));
    data->setData(kClipboardUtf8MimeType, ToByteArray(ToClipboardStrings(item)));
    if (item.IsPhoto()) {
        // Other programs get the full picture; a file that cannot be read
        // leaves only our own block.
        const std::string found = FindAlbumImage(item.imagePath, albumPath);
        const ReadResult read =
            ReadImageFile(found.empty() ? item.imagePath : found, ReadOptionsFromPreferences(CurrentPreferences()));
        ShowHeldMessages(ReadMessages(read));
        if (read.picture)
            data->setImageData(DIBToQImage(read.picture));
    } else if (!item.text.empty()) {
        data->setText(QString::fromStdString(item.text));
    }
    return data;
}

void InstallClipboardCommands(CommandHost& frame)
{
    auto on = [&frame](auto command) { return OnActiveAlbum(frame, command); };
    auto when = [&frame](auto test) { return WhenActiveAlbum(frame, test); };
    frame.SetCommandHandler(kCmdEditCopy, on([](AlbumView& v) { CopySelectedItem(v); }), when(HasItems));
    frame.SetCommandHandler(kCmdEditCut, on(CutSelectedItem), when(HasItems));
    frame.SetCommandHandler(kCmdEditPaste, on(PasteItem),
                            when([](const AlbumView&) { return ClipboardOffersOurBlock(); }));
}

}  // namespace lumora
