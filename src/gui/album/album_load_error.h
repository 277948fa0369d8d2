#pragma once
// The album's load-error dialog: a photo's picture could not be read while
// its preview was being made. The user types or browses (with the picture
// preview) for another path and tries again, or gives up on the photo.
#include <QString>
#include <optional>
#include <string>

#include "core/album/preview_retry.h"

class QWidget;

namespace lumora {

class CommandHost;

// Shows the dialog for `failedPath`; the path to try next, or nothing when
// the user gave up. `showPreview` is the preview preference of the browser.
std::optional<QString> AskAlbumLoadError(QWidget* parent, const QString& failedPath, bool& showPreview);

// The album core's retry question: the reader's messages first, then the
// dialog over the active album window. Without an album window the photo
// is given up.
class DialogPreviewRetryHandler final : public PreviewRetryHandler {
public:
    explicit DialogPreviewRetryHandler(CommandHost& frame) : frame_(frame) {}
    std::optional<std::string> AskRetry(const UnreadPicture& picture) override;
    void Tell(const std::vector<HeldMessage>& messages) override;

private:
    CommandHost& frame_;
};

}  // namespace lumora
