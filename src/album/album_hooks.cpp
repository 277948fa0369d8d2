#include "album/album_hooks.h"

namespace lumora {
namespace {

class SilentStatus final : public StatusDisplay {
public:
    std::string StatusText() const override { return text_; }
    void SetStatusText(const std::string& text) override { text_ = text; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    std::string text_;
};

FastBitmapMaker& MakerSlot()
{
    static FastBitmapMaker maker;
    return maker;
}

PreviewRetryHandler* retryHandler = nullptr;
PasswordPrompt* passwordPrompt = nullptr;
SilentStatus silentStatus;
StatusDisplay* statusDisplay = &silentStatus;

}  // namespace

AlbumPreferences& AlbumPrefs()
{
    static AlbumPreferences prefs;
    return prefs;
}

void InstallFastBitmapMaker(FastBitmapMaker maker) { MakerSlot() = std::move(maker); }
const FastBitmapMaker& CurrentFastBitmapMaker() { return MakerSlot(); }

void InstallPreviewRetryHandler(PreviewRetryHandler* handler) { retryHandler = handler; }
PreviewRetryHandler* CurrentPreviewRetryHandler() { return retryHandler; }

void InstallPasswordPrompt(PasswordPrompt* prompt) { passwordPrompt = prompt; }
PasswordPrompt* CurrentPasswordPrompt() { return passwordPrompt; }

void InstallStatusDisplay(StatusDisplay* display)
{
    statusDisplay = display ? display : &silentStatus;
}
StatusDisplay& CurrentStatusDisplay() { return *statusDisplay; }

}  // namespace lumora
