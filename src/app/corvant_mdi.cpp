#include "app/corvant_mdi.h"

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

}  // namespace lumora
