#include "view/qt/album_load_error.h"

#include <QApplication>

#include "app/main_frame.h"
#include "imaging/qt/load_error_dialog.h"
#include "platform/qt/dialog_support.h"
#include "view/qt/album_navigation.h"
#include "imaging/qt/picture_file_dialog.h"

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

std::optional<QString> AskAlbumLoadError(QWidget* parent, const QString& failedPath, bool& showApercu)
{
    ScopedArrowCursor arrow;
    CLoadErrorDlg dialog(failedPath, parent, [&showApercu](QWidget* owner, const QString& current) {
        return BrowseForPicture(owner, current, showApercu);
    });
    PrepareDialog(dialog, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
}

std::optional<std::string> DialogPreviewRetryHandler::AskRetry(const std::string& failedPath)
{
    CLumoraView* view = ActiveAlbumView(frame_);
    if (!view)
        return std::nullopt;
    const auto path = AskAlbumLoadError(&frame_, QString::fromStdString(failedPath), frame_.Prefs().showApercu);
    if (!path)
        return std::nullopt;
    return path->toStdString();
}

}  // namespace lumora
