// The colour dialog of the colour buttons opens with the program's sixteen
// custom colours, and what the user changes there reaches the "colors"
// section of the preferences.
#include <gtest/gtest.h>

#include <QColorDialog>

#include "gui/widgets/color_button.h"
#include "support/dialog_driver.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class ColorButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        prefs.customColors[3] = 0x112233;
        UseProgramCustomColors(&prefs.customColors, [this] {
            ++saves;
            SaveCustomColors(profile, prefs.customColors);
        });
    }
    void TearDown() override { UseProgramCustomColors(nullptr); }

    // Clicks the button, runs `inDialog` in the colour dialog, cancels it.
    static void ClickAndCancel(ColorButton& button, std::function<void()> inDialog)
    {
        test::WhenModal([inDialog](QWidget& dialog) {
            EXPECT_NE(qobject_cast<QColorDialog*>(&dialog), nullptr);
            inDialog();
            dialog.close();
        });
        button.click();
    }

    test::TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    int saves = 0;
};

TEST_F(ColorButtonTest, DialogOffersTheProgramsCustomColoursAndKeepsNewOnes)
{
    ColorButton button("&Couleur :", 0x0000FF);
    ClickAndCancel(button, [] {
        EXPECT_EQ(QColorDialog::customColor(3), QColor(0x33, 0x22, 0x11));
        QColorDialog::setCustomColor(5, QColor(1, 2, 3));  // the user adds one
    });
    EXPECT_EQ(button.Color(), 0x0000FFu);
    EXPECT_EQ(prefs.customColors[5], 0x030201u);
    EXPECT_EQ(prefs.customColors[3], 0x112233u);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(profile.GetProfileString("colors", "CustColor06", {}), QString::number(0x030201));

    ClickAndCancel(button, [] {});  // nothing changed: nothing written
    EXPECT_EQ(saves, 1);
}

TEST_F(ColorButtonTest, AButtonWithItsOwnCopyLeavesTheProgramsColoursAlone)
{
    CustomColors copy = prefs.customColors;
    ColorButton button("&Bureau par défaut :", 0, &copy);
    ClickAndCancel(button, [] { QColorDialog::setCustomColor(0, QColor(9, 9, 9)); });
    EXPECT_EQ(copy[0], 0x090909u);
    EXPECT_EQ(prefs.customColors[0], 0u);
    EXPECT_EQ(saves, 0);
}

}  // namespace
}  // namespace lumora
