#include "gui/album/password_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/album/album_messages.h"
#include "core/album/password_codec.h"
#include "gui/widgets/dialog_support.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QLineEdit* PasswordEdit(const char* name, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    return edit;
}

QLabel* Label(const char* text, const char* name, QLineEdit* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(name);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

PasswordDialog::PasswordDialog(std::string password, QWidget* parent)
    : QDialog(parent), password_(std::move(password))
{
    setWindowTitle(QString::fromUtf8("Mot de passe d'accès"));
    setModal(true);
    oldEdit_ = PasswordEdit(widget_name::kOldPasswordEdit, this);
    newEdit_ = PasswordEdit(widget_name::kNewPasswordEdit, this);
    verifyEdit_ = PasswordEdit(widget_name::kVerifyPasswordEdit, this);
    oldLabel_ = Label("Ancien mot de passe :", widget_name::kOldPasswordLabel, oldEdit_, this);
    newLabel_ = Label("Nouveau mot de passe :", widget_name::kNewPasswordLabel, newEdit_, this);
    verifyLabel_ = Label("Vérification :", widget_name::kVerifyPasswordLabel, verifyEdit_, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(widget_name::kOkButton);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(widget_name::kCancelButton);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(oldLabel_, 0, 0);
    grid->addWidget(oldEdit_, 0, 1);
    grid->addWidget(newLabel_, 1, 0);
    grid->addWidget(newEdit_, 1, 1);
    grid->addWidget(verifyLabel_, 2, 0);
    grid->addWidget(verifyEdit_, 2, 1);
    grid->addWidget(buttons, 3, 0, 1, 2);
    grid->setColumnMinimumWidth(1, 160);

    // Without a password there is no old one to give.
    GoToStep(password_.empty() ? kNewPassword : kOldPassword);
    PrepareDialog(*this, parent);
}

AccessPasswordDialog::AccessPasswordDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("Mode de passe d'accès"));
    setModal(true);
    auto* text = new QLabel(QString::fromUtf8("Cet album est protégé par mot de passe. Veuillez spécifier le "
                                              "mot de passe d'accès ci-dessous :"),
                            this);
    text->setWordWrap(true);
    edit_ = PasswordEdit(widget_name::kPasswordEdit, this);
    text->setBuddy(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &AccessPasswordDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(280);
    edit_->setFocus();
    PrepareDialog(*this, parent);
}

std::string AccessPasswordDialog::Typed() const
{
    return edit_->text().toStdString();
}

void AccessPasswordDialog::reject()
{
    edit_->clear();  // Cancel gives no password
    QDialog::reject();
}

// Only the edit of the current step and its label can be used.
void PasswordDialog::GoToStep(Step step)
{
    step_ = step;
    oldEdit_->setEnabled(step == kOldPassword);
    oldLabel_->setEnabled(step == kOldPassword);
    newEdit_->setEnabled(step == kNewPassword);
    newLabel_->setEnabled(step == kNewPassword);
    verifyEdit_->setEnabled(step == kVerification);
    verifyLabel_->setEnabled(step == kVerification);
    QLineEdit* current = step == kOldPassword ? oldEdit_ : step == kNewPassword ? newEdit_ : verifyEdit_;
    current->setFocus();
}

void PasswordDialog::RestartNewPassword()
{
    newEdit_->clear();
    verifyEdit_->clear();
    GoToStep(kNewPassword);
}

void PasswordDialog::accept()
{
    switch (step_) {
    case kOldPassword:
        if (oldEdit_->text().toStdString() != password_) {
            ReportStop(LoadString(kStrOldPasswordWrong));
            reject();
            return;
        }
        GoToStep(kNewPassword);
        return;
    case kNewPassword:
        GoToStep(kVerification);
        return;
    case kVerification:
        break;
    }
    const std::string typed = newEdit_->text().toStdString();
    if (verifyEdit_->text().toStdString() != typed) {
        ReportStop(LoadString(kStrPasswordMismatch));
        RestartNewPassword();
        return;
    }
    // The album file cannot hold every character; such a password is
    // refused here rather than when the album is saved.
    if (!PasswordCanBeStored(typed)) {
        ReportStop(album_text::PasswordCharacter());
        RestartNewPassword();
        return;
    }
    password_ = typed;
    QDialog::accept();
}

}  // namespace lumora
