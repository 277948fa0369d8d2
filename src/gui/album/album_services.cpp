#include "gui/album/album_services.h"

#include <QApplication>
#include <memory>

#include "core/platform/services.h"
#include "core/album/album_item.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/platform/ini_preferences.h"
#include "gui/album/album_load_error.h"
#include "gui/album/fast_bitmap.h"
#include "gui/album/password_dialog.h"

namespace lumora {
namespace {

class FrameStatusDisplay final : public StatusDisplay {
public:
    explicit FrameStatusDisplay(CommandHost& frame) : frame_(frame) {}
    std::string StatusText() const override { return frame_.StatusText().toStdString(); }
    void SetStatusText(const std::string& text) override { frame_.SetStatusText(QString::fromStdString(text)); }
    void BeginWaitCursor() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void EndWaitCursor() override { QApplication::restoreOverrideCursor(); }

private:
    CommandHost& frame_;
};

class DialogPasswordPrompt final : public PasswordPrompt {
public:
    explicit DialogPasswordPrompt(CommandHost& frame) : frame_(frame) {}
    std::optional<std::string> AskPassword() override
    {
        AccessPasswordDialog dialog(frame_.HostWidget());
        dialog.exec();
        return dialog.Typed();
    }

private:
    CommandHost& frame_;
};

std::unique_ptr<FrameStatusDisplay> statusDisplay;
std::unique_ptr<DialogPasswordPrompt> passwordPrompt;
std::unique_ptr<DialogPreviewRetryHandler> retryHandler;

}  // namespace

void InstallAlbumServices(CommandHost& frame, const Preferences& preferences)
{
    statusDisplay = std::make_unique<FrameStatusDisplay>(frame);
    passwordPrompt = std::make_unique<DialogPasswordPrompt>(frame);
    retryHandler = std::make_unique<DialogPreviewRetryHandler>(frame);
    ChangeServices([&preferences](Services& services) {
        services.status = statusDisplay.get();
        services.password = passwordPrompt.get();
        services.previewRetry = retryHandler.get();
        services.preferences = &preferences;
    });
    EnableFastBitmaps(preferences.fastBitmaps);
}

void RemoveAlbumServices()
{
    ChangeServices([](Services& services) {
        services.status = nullptr;
        services.password = nullptr;
        services.previewRetry = nullptr;
        services.preferences = nullptr;
    });
    EnableFastBitmaps(false);
    statusDisplay.reset();
    passwordPrompt.reset();
    retryHandler.reset();
}

}  // namespace lumora
