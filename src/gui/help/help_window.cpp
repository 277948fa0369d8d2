#include "gui/help/help_window.h"

#include <QFile>

namespace lumora {

HelpWindow::HelpWindow(QWidget* parent) : QTextBrowser(parent)
{
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("Aide de Lumora");
    setOpenExternalLinks(true);
    resize(640, 720);
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
