#include "gui/platform/ui_thread_services.h"

#include <QCoreApplication>
#include <QThread>
#include <mutex>
#include <optional>
#include <utility>

#include "core/platform/services.h"

namespace lumora {
namespace {

bool OnGuiThread()
{
    const QCoreApplication* app = QCoreApplication::instance();
    return !app || QThread::currentThread() == app->thread();
}

// Runs `call` on the GUI thread and waits for it.
template <class Call>
void RunAndWait(Call call)
{
    if (OnGuiThread())
        call();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), call, Qt::BlockingQueuedConnection);
}

// Runs `call` on the GUI thread soon, without waiting.
template <class Call>
void Post(Call call)
{
    if (OnGuiThread())
        call();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), call, Qt::QueuedConnection);
}

class PrompterRelay final : public Prompter {
public:
    explicit PrompterRelay(Prompter& target) : target_(target) {}
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string& caption) override
    {
        AbortRetryIgnore answer = AbortRetryIgnore::Abort;
        RunAndWait([&] { answer = target_.AskAbortRetryIgnore(text, caption); });
        return answer;
    }
    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        bool answer = false;
        RunAndWait([&] { answer = target_.AskYesNo(text, caption); });
        return answer;
    }

private:
    Prompter& target_;
};

class ReporterRelay final : public ErrorReporter {
public:
    explicit ReporterRelay(ErrorReporter& target) : target_(target) {}
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        RunAndWait([&] { target_.ShowMessage(text, caption, icon); });
    }

private:
    ErrorReporter& target_;
};

// Keeps its own copy of the text, so that a worker can read it back.
class StatusRelay final : public StatusDisplay {
public:
    explicit StatusRelay(StatusDisplay& target) : target_(target), text_(target.StatusText()) {}
    std::string StatusText() const override
    {
        std::lock_guard lock(mutex_);
        return text_;
    }
    void SetStatusText(const std::string& text) override
    {
        {
            std::lock_guard lock(mutex_);
            text_ = text;
        }
        StatusDisplay& target = target_;
        Post([&target, text] { target.SetStatusText(text); });
    }
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}

private:
    StatusDisplay& target_;
    mutable std::mutex mutex_;
    std::string text_;
};

class ProgressRelay final : public ProgressSink {
public:
    explicit ProgressRelay(ProgressSink& target) : target_(target) {}
    void Begin() override
    {
        ProgressSink& target = target_;
        Post([&target] { target.Begin(); });
    }
    void SetProgress(long done, long total) override
    {
        ProgressSink& target = target_;
        Post([&target, done, total] { target.SetProgress(done, total); });
    }
    void End() override
    {
        ProgressSink& target = target_;
        Post([&target] { target.End(); });
    }

private:
    ProgressSink& target_;
};

}  // namespace

struct UiThreadServices::Relays {
    Relays()
        : prompter(CurrentPrompter()),
          reporter(CurrentErrorReporter()),
          status(CurrentStatusDisplay()),
          progress(CurrentProgressSink()),
          scope([this](Services& s) {
              s.prompter = &prompter;
              s.errors = &reporter;
              s.status = &status;
              s.progress = &progress;
          })
    {
    }
    PrompterRelay prompter;
    ReporterRelay reporter;
    StatusRelay status;
    ProgressRelay progress;
    ScopedServices scope;
};

UiThreadServices::UiThreadServices() : relays_(std::make_unique<Relays>()) {}

UiThreadServices::~UiThreadServices()
{
    // Posted status and gauge changes still refer to the targets, which
    // outlive this object (they were installed before it).
    relays_.reset();
}

}  // namespace lumora
