#include "app/corvant_mdi.h"

#include <QCloseEvent>

namespace lumora {

CCorvantMDI::CCorvantMDI(bool maximiseOnFirstShow, QWidget* parent)
    : QMdiSubWindow(parent), maximiseOnFirstShow_(maximiseOnFirstShow)
{
    setAttribute(Qt::WA_DeleteOnClose);
}

void CCorvantMDI::setVisible(bool visible)
{
    if (visible && firstShow_) {
        firstShow_ = false;
        if (maximiseOnFirstShow_)
            setWindowState(windowState() | Qt::WindowMaximized);
    }
    QMdiSubWindow::setVisible(visible);
}

void CCorvantMDI::closeEvent(QCloseEvent* event)
{
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace lumora
