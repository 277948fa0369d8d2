#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>

#include "gui/platform/qt_translation.h"

namespace lumora {
namespace {

TEST(QtTranslation, StandardButtonsSpeakFrench)
{
    ASSERT_TRUE(InstallQtFrenchTranslation(*qApp));
    QDialogButtonBox buttons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes |
                             QDialogButtonBox::No);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove('&'), "Annuler");
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove('&'), "Oui");
    EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text().remove('&'), "Non");
}

}  // namespace
}  // namespace lumora
