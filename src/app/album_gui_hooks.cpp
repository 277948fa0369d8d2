#include "app/album_gui_hooks.h"

#include <QApplication>
#include <QInputDialog>
#include <memory>

#include "album/album_hooks.h"
#include "album/album_item.h"
#include "app/main_frame.h"
#include "app/preferences.h"
#include "view/qt/album_load_error.h"
#include "view/qt/fast_bitmap.h"

namespace lumora {
namespace {

class FrameStatusDisplay final : public StatusDisplay {
public:
    explicit FrameStatusDisplay(CMainFrame& frame) : frame_(frame) {}
    std::string StatusText() const override { return frame_.StatusLabel()->text().toStdString(); }
    void SetStatusText(const std::string& text) override { frame_.SetStatusText(QString::fromStdString(text)); }
    void BeginWaitCursor() override { QApplication::setOverrideCursor(Qt::WaitCursor); }
    void EndWaitCursor() override { QApplication::restoreOverrideCursor(); }

private:
    CMainFrame& frame_;
};

class DialogPasswordPrompt final : public PasswordPrompt {
public:
    explicit DialogPasswordPrompt(CMainFrame& frame) : frame_(frame) {}
    std::optional<std::string> AskPassword() override
    {
        bool ok = false;
        const QString text = QInputDialog::getText(&frame_, "Mot de passe", "&Mot de passe :",
                                                   QLineEdit::Password, {}, &ok);
        return ok ? text.toStdString() : std::string();
    }

private:
    CMainFrame& frame_;
};

std::unique_ptr<FrameStatusDisplay> statusDisplay;
std::unique_ptr<DialogPasswordPrompt> passwordPrompt;
std::unique_ptr<DialogPreviewRetryHandler> retryHandler;

}  // namespace

void InstallAlbumGuiHooks(CMainFrame& frame, const Preferences& preferences)
{
    AlbumPrefs().fastBitmaps = preferences.bitmapRapide;
    AlbumPrefs().deskColor = preferences.DeskColor();
    EnableFastBitmaps();
    statusDisplay = std::make_unique<FrameStatusDisplay>(frame);
    passwordPrompt = std::make_unique<DialogPasswordPrompt>(frame);
    retryHandler = std::make_unique<DialogPreviewRetryHandler>(frame);
    InstallStatusDisplay(statusDisplay.get());
    InstallPasswordPrompt(passwordPrompt.get());
    InstallPreviewRetryHandler(retryHandler.get());
}

void RemoveAlbumGuiHooks()
{
    InstallStatusDisplay(nullptr);
    InstallPasswordPrompt(nullptr);
    InstallPreviewRetryHandler(nullptr);
    statusDisplay.reset();
    passwordPrompt.reset();
    retryHandler.reset();
}

}  // namespace lumora
