#pragma once
// The GUI's side of the core's user-interface interfaces: message boxes with
// the program's icons and Abort/Retry/Ignore and yes/no questions.
#include <QPointer>
#include <QWidget>

#include "core/platform/services.h"

namespace lumora {

// The caption of the program's message boxes: its name. (Not Qt's display
// name, which the window system would add to every window's title.)
inline QString ProgramCaption() { return QStringLiteral("Lumora"); }

class MessageBoxReporter final : public ErrorReporter {
public:
    explicit MessageBoxReporter(QWidget* parent = nullptr) : parent_(parent) {}
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;

private:
    QPointer<QWidget> parent_;
};

class MessageBoxPrompter final : public Prompter {
public:
    explicit MessageBoxPrompter(QWidget* parent = nullptr) : parent_(parent) {}
    AbortRetryIgnore AskAbortRetryIgnore(const std::string& text, const std::string& caption) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace lumora
