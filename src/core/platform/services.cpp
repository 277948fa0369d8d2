#include "core/platform/services.h"

#include <utility>

namespace lumora {
namespace {

class SilentReporter final : public ErrorReporter {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon) override {}
};

class SilentProgress final : public ProgressSink {
public:
    void Begin() override {}
    void SetProgress(long, long) override {}
    void End() override {}
};

// Without a user to ask, a failing operation is abandoned.
class AbortingPrompter final : public Prompter {
public:
    AbortRetryIgnore AskAbortRetryIgnore(const std::string&, const std::string&) override
    {
        return AbortRetryIgnore::Abort;
    }
};

// Remembers the text it is given, as a status bar would.
class SilentStatus final : public StatusDisplay {
public:
    std::string StatusText() const override { return text_; }
    void SetStatusText(const std::string& text) override { text_ = text; }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    std::string text_;
};

// The thread's own reporter while it holds its messages.
thread_local ErrorReporter* threadReporter = nullptr;

class SilentSoundPlayer final : public SoundPlayer {
public:
    bool Play(const std::string&) override { return false; }
    void Stop() override {}
    bool IsPlaying() const override { return false; }
};

Services& Installed()
{
    static Services services;
    return services;
}

}  // namespace

void InstallServices(Services services) { Installed() = std::move(services); }
const Services& CurrentServices() { return Installed(); }
void ChangeServices(const std::function<void(Services&)>& change) { change(Installed()); }

ScopedServices::ScopedServices(const std::function<void(Services&)>& change)
    : previous_(Installed())
{
    change(Installed());
}

ScopedServices::~ScopedServices() { Installed() = std::move(previous_); }

class ScopedHeldMessages::Holder final : public ErrorReporter {
public:
    explicit Holder(std::vector<HeldMessage>& held) : held_(held) {}
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override
    {
        held_.push_back({text, caption, icon});
    }

private:
    std::vector<HeldMessage>& held_;
};

ScopedHeldMessages::ScopedHeldMessages()
    : previous_(threadReporter), holder_(std::make_unique<Holder>(held_))
{
    threadReporter = holder_.get();
}

ScopedHeldMessages::~ScopedHeldMessages() { threadReporter = previous_; }

std::vector<HeldMessage> ScopedHeldMessages::Take() { return std::exchange(held_, {}); }

void ShowHeldMessages(const std::vector<HeldMessage>& messages)
{
    for (const HeldMessage& m : messages)
        CurrentErrorReporter().ShowMessage(m.text, m.caption, m.icon);
}

ErrorReporter& CurrentErrorReporter()
{
    if (threadReporter)
        return *threadReporter;
    static SilentReporter silent;
    return Installed().errors ? *Installed().errors : silent;
}

ProgressSink& CurrentProgressSink()
{
    static SilentProgress silent;
    return Installed().progress ? *Installed().progress : silent;
}

Prompter& CurrentPrompter()
{
    static AbortingPrompter aborting;
    return Installed().prompter ? *Installed().prompter : aborting;
}

StatusDisplay& CurrentStatusDisplay()
{
    static SilentStatus silent;
    return Installed().status ? *Installed().status : silent;
}

PasswordPrompt* CurrentPasswordPrompt() { return Installed().password; }
PreviewRetryHandler* CurrentPreviewRetryHandler() { return Installed().previewRetry; }
const FastBitmapMaker& CurrentFastBitmapMaker() { return Installed().fastBitmapMaker; }

const Preferences& CurrentPreferences()
{
    static const Preferences builtIn;
    return Installed().preferences ? *Installed().preferences : builtIn;
}

void ReportStop(const std::string& text, const std::string& caption)
{
    CurrentErrorReporter().ShowMessage(text, caption, MessageIcon::Stop);
}

SoundPlayer& CurrentSoundPlayer()
{
    static SilentSoundPlayer silent;
    return Installed().sound ? *Installed().sound : silent;
}

}  // namespace lumora
