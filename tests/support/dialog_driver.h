#pragma once
// Driving dialogs from a test as a user would: the modal dialog opened by
// exec() is answered from the event loop it runs, and controls are found by
// their object names (widget_name::kTitleEdit, widget_name::kOkButton...).
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>
#include <functional>
#include "gui/widgets/widget_names.h"

namespace lumora::test {

using DialogAction = std::function<void(QWidget&)>;

inline void PollForModal(QPointer<QWidget> outer, DialogAction act, int attemptsLeft)
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == outer) {
        if (attemptsLeft > 0)
            QTimer::singleShot(10, [=] { PollForModal(outer, act, attemptsLeft - 1); });
        else
            ADD_FAILURE() << "no dialog opened";
        return;
    }
    // A dialog the test failed to close must not hang the run.
    QTimer::singleShot(10000, [dialog = QPointer<QWidget>(modal)] {
        if (dialog && dialog->isVisible()) {
            ADD_FAILURE() << "dialog left open";
            dialog->close();
        }
    });
    act(*modal);
}

// Runs `act` on the next modal dialog that opens above the current one.
inline void WhenModal(DialogAction act)
{
    QPointer<QWidget> outer = QApplication::activeModalWidget();
    QTimer::singleShot(0, [=] { PollForModal(outer, act, 300); });
}

// Runs `answer` once a modal widget of type Dialog shows, inside that
// dialog's own event loop.
template <class Dialog>
void WhenModal(std::function<void(Dialog*)> answer)
{
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(5);
}

// The same with the dialog by reference.
template <class Dialog>
void AnswerNextModal(std::function<void(Dialog&)> answer)
{
    WhenModal<Dialog>([answer = std::move(answer)](Dialog* dialog) { answer(*dialog); });
}

// The control `name`; a missing one fails the test and gives a stand-in.
template <typename T>
T& Get(QWidget& dialog, const QString& name)
{
    if (T* child = dialog.findChild<T*>(name))
        return *child;
    ADD_FAILURE() << "no control " << name.toStdString();
    static T* standIn = new T;
    return *standIn;
}

// Clicks the button, check box or radio button `name`.
inline void Click(QWidget& dialog, const QString& name)
{
    auto* button = dialog.findChild<QAbstractButton*>(name);
    if (!button) {
        ADD_FAILURE() << "no button " << name.toStdString();
        return;
    }
    button->click();
}
inline void Type(QWidget& dialog, const QString& name, const QString& text)
{
    Get<QLineEdit>(dialog, name).setText(text);
}

}  // namespace lumora::test
