#include "app/album_gui_hooks.h"

#include <QApplication>
#include <QInputDialog>
#include <memory>

#include "album/album_hooks.h"
#include "album/album_item.h"
#include "app/main_frame.h"
#include "app/preferences.h"
#include "platform/qt/dib_painter.h"

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

}  // namespace

void InstallAlbumGuiHooks(CMainFrame& frame, const Preferences& preferences)
{
    AlbumPrefs().fastBitmaps = preferences.bitmapRapide;
    AlbumPrefs().deskColor = preferences.DeskColor();
    InstallFastBitmapMaker([](CMyObject& item) {
        if (item.preview.IsEmpty()) {
            item.fastBitmap.reset();
            return;
        }
        item.fastBitmap = std::make_shared<const QPixmap>(
            DIBToDeviceBitmap(item.preview.Picture(), &item.preview.GetPalette()));
    });
    statusDisplay = std::make_unique<FrameStatusDisplay>(frame);
    passwordPrompt = std::make_unique<DialogPasswordPrompt>(frame);
    InstallStatusDisplay(statusDisplay.get());
    InstallPasswordPrompt(passwordPrompt.get());
}

void RemoveAlbumGuiHooks()
{
    InstallFastBitmapMaker({});
    InstallStatusDisplay(nullptr);
    InstallPasswordPrompt(nullptr);
    statusDisplay.reset();
    passwordPrompt.reset();
}

const QPixmap* FastBitmapOf(const CMyObject& item)
{
    return static_cast<const QPixmap*>(item.fastBitmap.get());
}

}  // namespace lumora
