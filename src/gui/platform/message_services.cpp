#include "gui/platform/message_services.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace lumora {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    case MessageIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// An empty caption takes the program's name, as the system's default
// caption did.
QString CaptionOrDefault(const std::string& caption)
{
    return caption.empty() ? ProgramCaption() : QString::fromStdString(caption);
}

}  // namespace

void MessageBoxReporter::ShowMessage(const std::string& text, const std::string& caption,
                                     MessageIcon icon)
{
    QMessageBox box(ToQtIcon(icon), CaptionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

AbortRetryIgnore MessageBoxPrompter::AskAbortRetryIgnore(const std::string& text,
                                                         const std::string& caption)
{
    // A file that cannot be written is a failure: the stop icon.
    QMessageBox box(QMessageBox::Critical, CaptionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::NoButton, parent_);
    QPushButton* abort = box.addButton("&Abandonner", QMessageBox::RejectRole);
    QPushButton* retry = box.addButton("&Réessayer", QMessageBox::AcceptRole);
    box.addButton("&Ignorer", QMessageBox::DestructiveRole);
    box.setDefaultButton(abort);
    box.exec();
    if (box.clickedButton() == abort)
        return AbortRetryIgnore::Abort;
    if (box.clickedButton() == retry)
        return AbortRetryIgnore::Retry;
    return AbortRetryIgnore::Ignore;
}

bool MessageBoxPrompter::AskYesNo(const std::string& text, const std::string& caption)
{
    QMessageBox box(QMessageBox::Question, CaptionOrDefault(caption), QString::fromStdString(text),
                    QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);  // the safe answer
    return box.exec() == QMessageBox::Yes;
}

}  // namespace lumora
