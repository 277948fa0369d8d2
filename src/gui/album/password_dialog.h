#pragma once
// The "Mot de passe d'accès" dialog: changes an album's password in three
// steps — the old password (when there is one), the new one, then the new
// one again. It works on a copy; its owner takes Password() after OK.
#include <QDialog>
#include <string>

class QLabel;
class QLineEdit;

namespace lumora {

class PasswordDialog final : public QDialog {
    Q_OBJECT
public:
    enum Step { kOldPassword = 1, kNewPassword = 2, kVerification = 3 };

    // `password` is the current one; empty means the album has none.
    explicit PasswordDialog(std::string password, QWidget* parent = nullptr);

    // The current password, or the new one once the dialog ended with OK.
    const std::string& Password() const { return password_; }
    Step CurrentStep() const { return step_; }

    // OK moves to the next step; only a confirmed new password ends the
    // dialog with OK. A wrong old password ends it as cancelled.
    void accept() override;

private:
    void GoToStep(Step step);
    void RestartNewPassword();

    std::string password_;
    Step step_ = kOldPassword;
    QLineEdit* oldEdit_;
    QLineEdit* newEdit_;
    QLineEdit* verifyEdit_;
    QLabel* oldLabel_;
    QLabel* newLabel_;
    QLabel* verifyLabel_;
};

// "Mode de passe d'accès": asks the password of a protected album when it
// opens. Its text is what was typed; Cancel leaves it empty.
class AccessPasswordDialog final : public QDialog {
    Q_OBJECT
public:
    explicit AccessPasswordDialog(QWidget* parent = nullptr);

    std::string Typed() const;
    QLineEdit* Edit() const { return edit_; }
    void reject() override;

private:
    QLineEdit* edit_;
};

}  // namespace lumora
