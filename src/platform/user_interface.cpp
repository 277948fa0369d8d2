#include "platform/user_interface.h"

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

SilentReporter silentReporter;
SilentProgress silentProgress;
AbortingPrompter abortingPrompter;

ErrorReporter* installedReporter = &silentReporter;
ProgressSink* installedProgress = &silentProgress;
Prompter* installedPrompter = &abortingPrompter;

}  // namespace

void InstallErrorReporter(ErrorReporter* reporter)
{
    installedReporter = reporter ? reporter : &silentReporter;
}

void InstallProgressSink(ProgressSink* sink)
{
    installedProgress = sink ? sink : &silentProgress;
}

void InstallPrompter(Prompter* prompter)
{
    installedPrompter = prompter ? prompter : &abortingPrompter;
}

ErrorReporter& CurrentErrorReporter() { return *installedReporter; }
ProgressSink& CurrentProgressSink() { return *installedProgress; }
Prompter& CurrentPrompter() { return *installedPrompter; }

void ReportStop(const std::string& text, const std::string& caption)
{
    installedReporter->ShowMessage(text, caption, MessageIcon::Stop);
}

}  // namespace lumora
