#include "gui/album/go_to_dialogs.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/widgets/dialog_support.h"
#include "core/res/strings.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QDialogButtonBox* OkCancelButtons(QDialog& dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void RefuseEntry(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, QStringLiteral("Lumora"), text);
}

}  // namespace

int GoToPageInitialNumber(int position)
{
    return position < 0 ? 1 : position + 1;
}

GoToPageDialog::GoToPageDialog(int initialNumber, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Atteindre une page"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Numéro de la page à atteindre :"), this));
    edit_ = new QLineEdit(QString::number(initialNumber), this);
    edit_->setObjectName(widget_name::kPageNumberEdit);
    edit_->selectAll();
    layout->addWidget(edit_);
    layout->addWidget(OkCancelButtons(*this));
    PrepareDialog(*this, parent);
}

void GoToPageDialog::accept()
{
    bool isNumber = false;
    const long long value = edit_->text().trimmed().toLongLong(&isNumber);
    if (!isNumber) {
        RefuseEntry(this, QString::fromStdString(LoadString(kStrEnterInteger)));
    } else if (value < kLowest || value > kHighest) {
        RefuseEntry(this, QString::fromStdString(LoadString(kStrEnterIntegerInRange)).arg(kLowest).arg(kHighest));
    } else {
        number_ = static_cast<int>(value);
        QDialog::accept();
        return;
    }
    edit_->setFocus();
    edit_->selectAll();
}

GoToTabDialog::GoToTabDialog(const QStringList& tabNames, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Atteindre l'onglet..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Veuillez choisir l'onglet à atteindre :"), this));
    list_ = new QListWidget(this);
    list_->setObjectName(widget_name::kTabList);
    list_->addItems(tabNames);
    list_->setCurrentRow(0);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(list_);
    layout->addWidget(OkCancelButtons(*this));
    PrepareDialog(*this, parent);
}

int GoToTabDialog::ChosenTab() const
{
    return std::max(0, list_->currentRow());
}

}  // namespace lumora
