#include "gui/platform/document_window.h"

#include <QCloseEvent>

namespace lumora {

DocumentWindow::DocumentWindow(bool maximiseOnFirstShow, QWidget* parent)
    : QMdiSubWindow(parent), maximiseOnFirstShow_(maximiseOnFirstShow)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void DocumentWindow::setVisible(bool visible)
{
    if (visible && firstShow_) {
        firstShow_ = false;
        if (maximiseOnFirstShow_)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    QMdiSubWindow::setVisible(visible);
}

void DocumentWindow::closeEvent(QCloseEvent* event)
{
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace lumora
