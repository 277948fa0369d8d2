#pragma once
// The small interfaces through which the core tells the user things.
// The GUI implements them with dialogs and the status-bar gauge, the command
// line with stderr; with nothing installed the core stays silent and takes
// the safest answer.
#include <string>

namespace lumora {

// Message boxes: a text, a caption (empty = the system's default caption)
// and an icon.
enum class MessageIcon { None, Stop, Exclamation, Information, Question };

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
};

// The main frame's progress gauge: begin, step, end.
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
};

// Installing an object makes it the program-wide one; nullptr goes back to
// the silent default. The caller keeps ownership.
void InstallErrorReporter(ErrorReporter* reporter);
void InstallProgressSink(ProgressSink* sink);
void InstallPrompter(Prompter* prompter);

ErrorReporter& CurrentErrorReporter();
ProgressSink& CurrentProgressSink();
Prompter& CurrentPrompter();

// Shorthand for the common stop-icon box.
void ReportStop(const std::string& text, const std::string& caption = {});

}  // namespace lumora
