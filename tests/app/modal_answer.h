#pragma once
// Answering modal dialogs from a test: the answer runs inside the dialog's
// own event loop once a modal widget of the expected type shows.
#include <QApplication>
#include <QTimer>
#include <functional>

namespace lumora::test {

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

}  // namespace lumora::test
