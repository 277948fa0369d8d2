#include "gui/print/page_setup.h"

#include <QPageSetupDialog>
#include <QPrinter>

namespace lumora {

QPrinter& ApplicationPrinter()
{
    // Made on first use and kept to the end: never destroyed after the
    // application's print system is gone.
    static QPrinter* const printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool ShowPageSetup(QWidget* parent)
{
    QPageSetupDialog dialog(&ApplicationPrinter(), parent);
    dialog.setWindowTitle(QString::fromUtf8("Configuration de l'impression"));
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace lumora
