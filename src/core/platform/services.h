#pragma once
// The small interfaces through which the core reaches the user: messages,
// the progress gauge, questions, the status text, the password and
// load-error dialogs, screen copies of previews, and the preferences it
// consults. The windowed program installs its dialogs once at start-up, the
// command line its stderr reporter, a test what it needs (ScopedServices).
// Whatever is not installed has a silent default that takes the safest
// answer: no message, abandon the failing operation, no password given.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/platform/preferences.h"

namespace lumora {

class AlbumItem;
class PreviewRetryHandler;  // core/album/preview_retry.h

// Message boxes: a text, a caption (empty = the system's default caption)
// and an icon.
enum class MessageIcon { None, Stop, Exclamation, Information, Question };

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
};

// The main window's progress gauge: begin, step, end.
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Begin() = 0;
    virtual void SetProgress(long done, long total) = 0;
    virtual void End() = 0;
};

// Questions that need an answer from the user.
enum class AbortRetryIgnore { Abort, Retry, Ignore };

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual AbortRetryIgnore AskAbortRetryIgnore(const std::string& text,
                                                 const std::string& caption) = 0;
    // A yes/no question whose "no" is the safe answer (keep what is on
    // disk). Prompters that cannot ask answer no.
    virtual bool AskYesNo(const std::string& /*text*/, const std::string& /*caption*/)
    {
        return false;
    }
};

// The main window's status text and wait cursor.
class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    virtual std::string StatusText() const = 0;
    virtual void SetStatusText(const std::string& text) = 0;
    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// The password dialog. The text typed (empty on Cancel), or nothing when
// the dialog could not be opened.
class PasswordPrompt {
public:
    virtual ~PasswordPrompt() = default;
    virtual std::optional<std::string> AskPassword() = 0;
};

// Makes an item's screen-format copy of its preview (the windowed program,
// when its preferences ask for such copies).
using FastBitmapMaker = std::function<void(AlbumItem&)>;

// The program's single sound player: WAVE and MIDI files, one sound at a
// time. The end of a sound is handed to the thread that owns the player,
// where it clears the playing flag (see core/sound/sounds.h).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Stops any sound, then starts `path`. False (and nothing plays) when the
    // file cannot be read or played or there is no audio device.
    virtual bool Play(const std::string& path) = 0;
    // Stops and forgets the current sound; safe at any time.
    virtual void Stop() = 0;
    // Set from the start of a sound until it is stopped or has ended.
    virtual bool IsPlaying() const = 0;
};

// Every service at once. Null pointers and an empty maker stand for the
// silent defaults; the caller keeps ownership of what it installs.
struct Services {
    ErrorReporter* errors = nullptr;
    ProgressSink* progress = nullptr;
    Prompter* prompter = nullptr;
    StatusDisplay* status = nullptr;
    PasswordPrompt* password = nullptr;        // null: the dialog cannot open
    PreviewRetryHandler* previewRetry = nullptr;  // null: abandon the picture, say nothing
    FastBitmapMaker fastBitmapMaker;          // empty: no screen copies
    const Preferences* preferences = nullptr;  // null: the built-in preferences
    SoundPlayer* sound = nullptr;              // null: nothing is ever heard
};

void InstallServices(Services services);
const Services& CurrentServices();
// Changes some services and keeps the others.
void ChangeServices(const std::function<void(Services&)>& change);

// Changes some services for the lifetime of the object, then puts back what
// was there (tests, and commands that answer one question their own way).
class ScopedServices {
public:
    explicit ScopedServices(const std::function<void(Services&)>& change);
    ~ScopedServices();
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;

private:
    Services previous_;
};

// The installed service, or its silent default.
ErrorReporter& CurrentErrorReporter();
ProgressSink& CurrentProgressSink();
Prompter& CurrentPrompter();
StatusDisplay& CurrentStatusDisplay();
PasswordPrompt* CurrentPasswordPrompt();            // null: the dialog cannot open
PreviewRetryHandler* CurrentPreviewRetryHandler();  // null: abandon
const FastBitmapMaker& CurrentFastBitmapMaker();
const Preferences& CurrentPreferences();
SoundPlayer& CurrentSoundPlayer();

// Messages raised on a worker thread cannot open a box there: while one of
// these lives, the thread's messages are held, and the thread that started
// the work shows them (ShowHeldMessages) when it takes the result.
struct HeldMessage {
    std::string text, caption;
    MessageIcon icon = MessageIcon::None;
};
class ScopedHeldMessages {
public:
    ScopedHeldMessages();
    ~ScopedHeldMessages();
    ScopedHeldMessages(const ScopedHeldMessages&) = delete;
    ScopedHeldMessages& operator=(const ScopedHeldMessages&) = delete;
    std::vector<HeldMessage> Take();

private:
    ErrorReporter* previous_;
    std::vector<HeldMessage> held_;
    class Holder;
    std::unique_ptr<Holder> holder_;
};
void ShowHeldMessages(const std::vector<HeldMessage>& messages);

// Shorthand for the common stop-icon box.
void ReportStop(const std::string& text, const std::string& caption = {});

}  // namespace lumora
