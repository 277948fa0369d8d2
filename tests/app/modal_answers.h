#pragma once
// Driving the editing dialogs from a test: answers queued before a command
// runs (see modal_answer.h) and buttons pressed by their names.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QWidget>

#include "modal_answer.h"

namespace lumora::test {

// Runs `answer` on the next modal dialog of type T once it is up.
template <typename T>
void AnswerNextModal(std::function<void(T&)> answer)
{
    WhenModal<T>([answer = std::move(answer)](T* dialog) { answer(*dialog); });
}

// Clicks the child button `name` of the dialog.
inline void Click(QWidget& dialog, const char* name)
{
    auto* button = dialog.findChild<QAbstractButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

}  // namespace lumora::test
