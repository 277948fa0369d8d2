#include "gui/album/album_load_error.h"

#include <QApplication>

#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/picture/load_error_dialog.h"
#include "gui/widgets/dialog_support.h"
#include "gui/album/album_navigation.h"
#include "gui/picture/picture_file_dialog.h"

namespace lumora {
namespace {

// The question comes in the middle of work done under the wait cursor; the
// user answers it with the ordinary arrow.
class ScopedArrowCursor {
public:
    ScopedArrowCursor() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~ScopedArrowCursor() { QApplication::restoreOverrideCursor(); }
    ScopedArrowCursor(const ScopedArrowCursor&) = delete;
    ScopedArrowCursor& operator=(const ScopedArrowCursor&) = delete;
};

}  // namespace

std::optional<QString> AskAlbumLoadError(QWidget* parent, const QString& failedPath, bool& showPreview)
{
    ScopedArrowCursor arrow;
    LoadErrorDialog dialog(failedPath, parent, [&showPreview](QWidget* owner, const QString& current) {
        return BrowseForPicture(owner, current, showPreview);
    });
    PrepareDialog(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
}

std::optional<std::string> DialogPreviewRetryHandler::AskRetry(const UnreadPicture& picture)
{
    ShowHeldMessages(picture.messages);
    AlbumView* view = ActiveAlbumView(frame_);
    if (!view)
        return std::nullopt;
    const auto path =
        AskAlbumLoadError(frame_.HostWidget(), QString::fromStdString(picture.path), frame_.Prefs().showPreview);
    if (!path)
        return std::nullopt;
    return path->toStdString();
}

void DialogPreviewRetryHandler::Tell(const std::vector<HeldMessage>& messages) { ShowHeldMessages(messages); }

}  // namespace lumora
