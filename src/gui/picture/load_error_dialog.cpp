#include "gui/picture/load_error_dialog.h"

#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/picture/picture_file_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <utility>

#include "core/formats/image_format.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

LoadErrorPrompt& InstalledPrompt()
{
    static LoadErrorPrompt prompt;
    return prompt;
}

// The preview of the browsing dialog follows the program's ShowApercu
// preference when the question comes from the main window.
bool& ShowApercuFor(QWidget* parent)
{
    static bool withoutFrame = true;
    auto* frame = parent ? HostOf(parent) : nullptr;
    return frame ? frame->Prefs().showPreview : withoutFrame;
}

}  // namespace

LoadErrorDialog::LoadErrorDialog(const QString& path, QWidget* parent, PathBrowser browser)
    : QDialog(parent), browser_(std::move(browser))
{
    setWindowTitle("Erreur de chargement");
    auto* layout = new QVBoxLayout(this);
    auto* pathLabel = new QLabel(path, this);
    pathLabel->setObjectName("path");
    pathLabel->setTextFormat(Qt::PlainText);
    layout->addWidget(pathLabel);
    edit_ = new QLineEdit(path, this);
    edit_->setObjectName("newPath");
    layout->addWidget(edit_);

    auto* buttons = new QHBoxLayout;
    auto* browse = new QPushButton("Parcourir..", this);
    browse->setObjectName("browse");
    auto* retry = new QPushButton("Réessayer", this);
    retry->setObjectName("retry");
    auto* cancel = new QPushButton("Abandonner", this);
    cancel->setObjectName("abandon");
    retry->setDefault(true);
    buttons->addWidget(browse);
    buttons->addStretch(1);
    buttons->addWidget(retry);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(browse, &QPushButton::clicked, this, &LoadErrorDialog::Browse);
    connect(retry, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString LoadErrorDialog::Path() const { return edit_->text(); }

void LoadErrorDialog::Browse()
{
    const QString chosen = browser_ ? browser_(this, edit_->text())
                                    : BrowseForPicture(this, edit_->text(), ShowApercuFor(parentWidget()));
    if (chosen.isEmpty())
        return;
    edit_->setText(chosen);
    edit_->selectAll();
    edit_->setFocus();
}

std::optional<QString> AskLoadErrorPath(QWidget* parent, const QString& path)
{
    if (const LoadErrorPrompt& prompt = InstalledPrompt())
        return prompt(parent, path);
    LoadErrorDialog dialog(path, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.Path();
}

LoadErrorPrompt SetLoadErrorPrompt(LoadErrorPrompt prompt)
{
    return std::exchange(InstalledPrompt(), std::move(prompt));
}

QString QtFileFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;  // the closing "||"
        QString patterns = parts[i + 1];
        filters << parts[i].trimmed() + " (" + patterns.replace(';', ' ') + ")";
    }
    return filters.join(";;");
}

}  // namespace lumora
