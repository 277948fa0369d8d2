#include "gui/widgets/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

#include "gui/help/help_window.h"

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
    QPushButton* ok = AddButton(dialog, *row, "OK", "IDOK");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(AddButton(dialog, *row, "Annuler", "IDCANCEL"), &QPushButton::clicked, &dialog,
                     &QDialog::reject);
    QObject::connect(AddButton(dialog, *row, "Aide", "IDHELP"), &QPushButton::clicked, &dialog, [&dialog] {
        // Parented to the dialog's owner so that it outlives the dialog.
        (new HelpWindow(dialog.parentWidget()))->show();
    });
    layout.addLayout(row);
}

void AddAnswerButtons(QDialog& dialog, QBoxLayout& layout, const QString& yes, const QString& no)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    QPushButton* accept = AddButton(dialog, *row, yes, "IDOK");
    accept->setDefault(true);
    QObject::connect(accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    if (!no.isEmpty())
        QObject::connect(AddButton(dialog, *row, no, "IDCANCEL"), &QPushButton::clicked, &dialog,
                         &QDialog::reject);
    row->addStretch(1);
    layout.addLayout(row);
}

}  // namespace lumora
