#pragma once
// How the album core reaches what lies outside it: the preferences it
// consults, the GUI's screen bitmaps, the dialogs that ask the user. With
// nothing installed the core takes the safest answer (no fast bitmaps,
// abandon a picture that cannot be read, no password given).
#include <functional>
#include <optional>
#include <string>

#include "album/tab.h"

namespace lumora {

class CMyObject;

// Preferences of the application that the album reads.
struct AlbumPreferences {
    bool fastBitmaps = false;      // keep screen-format copies of previews
    COLORREF deskColor = 0x808000; // desk colour of new albums
};
AlbumPreferences& AlbumPrefs();

// Makes the item's screen-format copy of its preview (GUI).
using FastBitmapMaker = std::function<void(CMyObject&)>;
void InstallFastBitmapMaker(FastBitmapMaker maker);
const FastBitmapMaker& CurrentFastBitmapMaker();

// The load-error dialog: a picture could not be read from `failedPath`.
// The answer is another path to try, or nothing to give up.
class PreviewRetryHandler {
public:
    virtual ~PreviewRetryHandler() = default;
    virtual std::optional<std::string> AskRetry(const std::string& failedPath) = 0;
};
void InstallPreviewRetryHandler(PreviewRetryHandler* handler);
PreviewRetryHandler* CurrentPreviewRetryHandler();  // null: abandon

// The password dialog. The text typed (empty on Cancel), or nothing when
// the dialog could not be opened.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    virtual std::optional<std::string> AskPassword() = 0;
};
void InstallPasswordPrompt(PasswordPrompt* prompt);
PasswordPrompt* CurrentPasswordPrompt();  // null: the dialog cannot open

// The main frame's status text and wait cursor.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};
void InstallStatusDisplay(StatusDisplay* display);
StatusDisplay& CurrentStatusDisplay();

}  // namespace lumora
