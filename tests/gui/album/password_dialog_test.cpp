// The album password dialog: old password, new password, verification.
#include <gtest/gtest.h>

#include <QLabel>

#include "gui/album/password_dialog.h"
#include "gui/widgets/dialog_support.h"
#include <QLineEdit>
#include "support/dialog_driver.h"
#include "support/test_support.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

using test::Click;
using test::Get;
using test::Type;

class PasswordDialogTest : public ::testing::Test {
protected:
    enum Field { kOld, kNew, kVerify };
    static constexpr const char* kEdits[] = {widget_name::kOldPasswordEdit, widget_name::kNewPasswordEdit,
                                             widget_name::kVerifyPasswordEdit};
    static constexpr const char* kLabels[] = {widget_name::kOldPasswordLabel, widget_name::kNewPasswordLabel,
                                              widget_name::kVerifyPasswordLabel};

    // Only the edit `field` and its label can be used, and it has the focus.
    static void ExpectOnly(QWidget& dialog, Field field)
    {
        for (Field f : {kOld, kNew, kVerify}) {
            EXPECT_EQ(Get<QLineEdit>(dialog, kEdits[f]).isEnabled(), f == field) << kEdits[f];
            EXPECT_EQ(Get<QLabel>(dialog, kLabels[f]).isEnabled(), f == field) << kLabels[f];
        }
        EXPECT_EQ(dialog.focusWidget(), &Get<QLineEdit>(dialog, kEdits[field]));
    }
    static void Ok(PasswordDialog& dialog, Field field, const QString& text)
    {
        Type(dialog, kEdits[field], text);
        Click(dialog, widget_name::kOkButton);
    }

    test::CapturingReporter reporter;
};

TEST_F(PasswordDialogTest, WithoutAPasswordItOpensAtTheNewOneAndHidesWhatIsTyped)
{
    PasswordDialog dialog("");
    dialog.show();
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kNewPassword);
    ExpectOnly(dialog, kNew);
    for (const char* edit : {widget_name::kOldPasswordEdit, widget_name::kNewPasswordEdit, widget_name::kVerifyPasswordEdit})
        EXPECT_EQ(Get<QLineEdit>(dialog, edit).echoMode(), QLineEdit::Password);
    Ok(dialog, kNew, "secret");
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kVerification);
    ExpectOnly(dialog, kVerify);
    Ok(dialog, kVerify, "secret");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Password(), "secret");
    EXPECT_TRUE(reporter.messages.empty());
}

TEST_F(PasswordDialogTest, EmptyNewPasswordAndVerificationMeanNoPassword)
{
    PasswordDialog fresh("");
    fresh.show();
    Ok(fresh, kNew, "");
    Ok(fresh, kVerify, "");
    EXPECT_EQ(fresh.result(), QDialog::Accepted);
    EXPECT_EQ(fresh.Password(), "");

    PasswordDialog removal("secret");
    removal.show();
    EXPECT_EQ(removal.CurrentStep(), PasswordDialog::kOldPassword);
    ExpectOnly(removal, kOld);
    Ok(removal, kOld, "secret");
    ExpectOnly(removal, kNew);
    Ok(removal, kNew, "");
    Ok(removal, kVerify, "");
    EXPECT_EQ(removal.result(), QDialog::Accepted);
    EXPECT_EQ(removal.Password(), "");
}

TEST_F(PasswordDialogTest, WrongOldPasswordClosesTheDialogUnchanged)
{
    PasswordDialog dialog("secret");
    dialog.show();
    Ok(dialog, kOld, "Secret");  // case counts
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
    Ok(dialog, kNew, "abc");
    Ok(dialog, kVerify, "abd");
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Erreur lors de la vérification du nouveau mot de passe. Veuillez recommencer.");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.CurrentStep(), PasswordDialog::kNewPassword);
    ExpectOnly(dialog, kNew);
    EXPECT_TRUE(Get<QLineEdit>(dialog, widget_name::kNewPasswordEdit).text().isEmpty());
    EXPECT_TRUE(Get<QLineEdit>(dialog, widget_name::kVerifyPasswordEdit).text().isEmpty());
    Ok(dialog, kNew, "abd");
    Ok(dialog, kVerify, "abd");
    EXPECT_EQ(dialog.Password(), "abd");
}

TEST_F(PasswordDialogTest, CancelOrAPasswordTheAlbumCannotHoldKeepTheOldOne)
{
    PasswordDialog cancelled("secret");
    cancelled.show();
    Ok(cancelled, kOld, "secret");
    Ok(cancelled, kNew, "other");
    Type(cancelled, widget_name::kVerifyPasswordEdit, "other");
    Click(cancelled, widget_name::kCancelButton);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_EQ(cancelled.Password(), "secret");

    PasswordDialog refused("");
    refused.show();
    const QString unstorable = QString("ab") + QChar(0x81);
    Ok(refused, kNew, unstorable);
    Ok(refused, kVerify, unstorable);
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
