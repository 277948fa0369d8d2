#include "gui/widgets/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

#include "gui/help/help_window.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QPushButton* AddButton(QDialog& dialog, QHBoxLayout& row, const QString& text, const char* name)
{
    auto* button = new QPushButton(text, &dialog);
    button->setObjectName(name);
    row.addWidget(button);
    return button;
}

}  // namespace

void AddOkCancelHelp(QDialog& dialog, QBoxLayout& layout)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* ok = AddButton(dialog, *row, "OK", widget_name::kOkButton);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QPushButton* cancel = AddButton(dialog, *row, "Annuler", widget_name::kCancelButton);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    QPushButton* help = AddButton(dialog, *row, "Aide", widget_name::kHelpButton);
    QObject::connect(help, &QPushButton::clicked, &dialog, [&dialog] {
        // Parented to the dialog's owner so that it outlives the dialog.
        (new HelpWindow(dialog.parentWidget()))->show();
    });
    layout.addLayout(row);
}

void AddAnswerButtons(QDialog& dialog, QBoxLayout& layout, const QString& yes, const QString& no)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* accept = AddButton(dialog, *row, yes, widget_name::kOkButton);
    accept->setDefault(true);
    QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    if (!no.isEmpty())
        QObject::connect(AddButton(dialog, *row, no, widget_name::kCancelButton), &QPushButton::clicked, &dialog,
                         &QDialog::reject);
    row->addStretch(1);
    layout.addLayout(row);
}

}  // namespace lumora
