// The album password dialog: old password, new password, verification.
#include <gtest/gtest.h>

#include <QLabel>

#include "gui/album/password_dialog.h"
#include "gui/widgets/dialog_support.h"
#include <QLineEdit>
#include "support/dialog_driver.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::Click;
using test::Get;
using test::Type;

class PasswordDialogTest : public ::testing::Test {
protected:
    // Only the edit `editId` (of 1065 old, 1066 new, 1067 verification) and
    // its label (id + 3) can be used, and it has the focus.
    static void ExpectOnly(QWidget& dialog, int editId)
    {
        for (int id : {1065, 1066, 1067}) {
            EXPECT_EQ(Get<QLineEdit>(dialog, QString("edit%1").arg(id)).isEnabled(), id == editId) << id;
            EXPECT_EQ(Get<QLabel>(dialog, QString("static%1").arg(id + 3)).isEnabled(), id == editId) << id;
        }
        EXPECT_EQ(dialog.focusWidget(), &Get<QLineEdit>(dialog, QString("edit%1").arg(editId)));
    }
    static void Ok(PasswordDialog& dialog, int editId, const QString& text)
    {
        Type(dialog, QString("edit%1").arg(editId), text);
        Click(dialog, "button1");
    }

    test::CapturingReporter reporter;
};

TEST_F(PasswordDialogTest, WithoutAPasswordItOpensAtTheNewOneAndHidesWhatIsTyped)
{
    PasswordDialog dialog("");
    dialog.show();
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kNewPassword);
    ExpectOnly(dialog, 1066);
    for (const char* edit : {"edit1065", "edit1066", "edit1067"})
        EXPECT_EQ(Get<QLineEdit>(dialog, edit).echoMode(), QLineEdit::Password);
    Ok(dialog, 1066, "secret");
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kVerification);
    ExpectOnly(dialog, 1067);
    Ok(dialog, 1067, "secret");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), "secret");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(PasswordDialogTest, EmptyNewPasswordAndVerificationMeanNoPassword)
{
    PasswordDialog fresh("");
    fresh.show();
    Ok(fresh, 1066, "");
    Ok(fresh, 1067, "");
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(fresh.Password(), "");

    PasswordDialog removal("secret");
    removal.show();
    EXPECT_EQ(removal.CurrentStep(), PasswordDialog::kOldPassword);
    ExpectOnly(removal, 1065);
    Ok(removal, 1065, "secret");
    ExpectOnly(removal, 1066);
    Ok(removal, 1066, "");
    Ok(removal, 1067, "");
    EXPECT_EQ(removal.result(), QDialog::Accepted);
    EXPECT_EQ(removal.Password(), "");
}

TEST_F(PasswordDialogTest, WrongOldPasswordClosesTheDialogUnchanged)
{
    PasswordDialog dialog("secret");
    dialog.show();
    Ok(dialog, 1065, "Secret");  // case counts
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Le mot de passe saisi est incorrect. Vous devez connaître l'ancien "
                                         "mot de passe pour pouvoir le modifier.");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Password(), "secret");
}

TEST_F(PasswordDialogTest, MismatchGoesBackToTheNewPasswordWithEmptyEdits)
{
    PasswordDialog dialog("");
    dialog.show();
    Ok(dialog, 1066, "abc");
    Ok(dialog, 1067, "abd");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Erreur lors de la vérification du nouveau mot de passe. Veuillez recommencer.");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kNewPassword);
    ExpectOnly(dialog, 1066);
    EXPECT_TRUE(Get<QLineEdit>(dialog, "edit1066").text().isEmpty());
    EXPECT_TRUE(Get<QLineEdit>(dialog, "edit1067").text().isEmpty());
    Ok(dialog, 1066, "abd");
    Ok(dialog, 1067, "abd");
    EXPECT_EQ(dialog.Password(), "abd");
}

TEST_F(PasswordDialogTest, CancelOrAPasswordTheAlbumCannotHoldKeepTheOldOne)
{
    PasswordDialog cancelled("secret");
    cancelled.show();
    Ok(cancelled, 1065, "secret");
    Ok(cancelled, 1066, "other");
    Type(cancelled, "edit1067", "other");
    Click(cancelled, "button2");
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.Password(), "secret");

    PasswordDialog refused("");
    refused.show();
    const QString unstorable = QString("ab") + QChar(0x81);
    Ok(refused, 1066, unstorable);
    Ok(refused, 1067, unstorable);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(refused.CurrentStep(), PasswordDialog::kNewPassword);
    EXPECT_EQ(refused.Password(), "");
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST(AccessPasswordDialog, AsksInOneEditAndCancelGivesNoPassword)
{
    AccessPasswordDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("Mode de passe d'accès"));
    EXPECT_EQ(dialog.font(), SmallFont8());
    EXPECT_EQ(dialog.findChildren<QLineEdit*>().size(), 1);
    EXPECT_EQ(dialog.Edit()->echoMode(), QLineEdit::Password);
    dialog.Edit()->setText("Secret");
    EXPECT_EQ(dialog.Typed(), "Secret");  // case kept: compared byte for byte
    dialog.reject();
    EXPECT_EQ(dialog.Typed(), "");
}

}  // namespace
}  // namespace lumora
