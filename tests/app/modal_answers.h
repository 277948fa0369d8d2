#pragma once
// Answering the modal dialogs a command opens: the answer is queued before
// the command runs and applied once a dialog of the expected kind is up.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace lumora::test {

// Runs `answer` on the next modal dialog of type T. A dialog of another
// kind, or none within about two seconds, fails the test, and the dialog
// in the way is closed so that the test does not hang.
template <typename T>
void AnswerNextModal(std::function<void(T&)> answer, int attempts = 400)
{
    QTimer::singleShot(5, [answer = std::move(answer), attempts]() mutable {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<T*>(modal)) {
            answer(*dialog);
            return;
        }
        if (attempts > 0) {
            AnswerNextModal<T>(std::move(answer), attempts - 1);
            return;
        }
        ADD_FAILURE() << "the expected dialog did not open";
        if (auto* other = qobject_cast<QDialog*>(modal))
            other->reject();
    });
}

// Clicks the child button `name` of the dialog.
inline void Click(QWidget& dialog, const char* name)
{
    auto* button = dialog.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

}  // namespace lumora::test
