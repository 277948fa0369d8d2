#include "gui/help/help_window.h"

#include <QFile>

#include "gui/platform/screen_fit.h"

namespace lumora {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Aide de Lumora");
    setOpenExternalLinks(true);
    // Over the main window, and never beyond the screen it opens on.
    QRect wanted(QPoint(0, 0), QSize(640, 720));
    if (parent)
        wanted.moveCenter(parent->window()->geometry().center());
    setGeometry(FitInside(wanted, AvailableGeometryFor(parent ? parent->window()->geometry() : wanted)));
    setMarkdown(GuideText());
}

QString HelpWindow::GuideText()
{
    QFile guide(":/help/USER-GUIDE.md");
    if (!guide.open(QIODevice::ReadOnly))
        return "Le guide de l'utilisateur est introuvable.";
    return QString::fromUtf8(guide.readAll());
}

}  // namespace lumora
