// The dialogs of the album's editing commands on their own: the picture
// preview of the file dialogs and its timing, browsing from the load-error
// dialog, the text and photo dialogs.
#include <gtest/gtest.h>
#include <filesystem>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "gui/picture/load_error_dialog.h"
#include "support/dialog_driver.h"
#include "support/test_support.h"
#include "gui/album/album_load_error.h"
#include "gui/picture/picture_file_dialog.h"
#include "gui/picture/picture_preview.h"
#include "gui/album/text_dialog.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

using test::AnswerNextModal;
using test::Click;

const std::string kPhoto = test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp");

TEST(PreviewSettle, TheFirstSelectionLoadsAtOnceLaterOnesAfterHalfASecond)
{
    PreviewSettle settle;
    EXPECT_FALSE(settle.Tick(0));  // nothing selected yet
    settle.Selected(10'000);
    EXPECT_TRUE(settle.Tick(10'000));
    EXPECT_FALSE(settle.Tick(10'200));  // loaded once

    settle.Selected(11'000);
    EXPECT_FALSE(settle.Tick(11'200));
    EXPECT_FALSE(settle.Tick(11'500));  // exactly 500 ms is not yet "more than"
    settle.Selected(11'400);            // still moving through the list
    EXPECT_FALSE(settle.Tick(11'800));
    EXPECT_TRUE(settle.Tick(11'901));
    EXPECT_FALSE(settle.Tick(12'500));
}

class PreviewPanelTest : public ::testing::Test {
protected:
    PreviewPanelTest() { panel.SetClock([this] { return now; }); }

    bool showPreview = true;
    long long now = 5'000;
    PicturePreviewPanel panel{showPreview};
};

TEST_F(PreviewPanelTest, LoadsTheSelectedPictureWhenTheSelectionRests)
{
    panel.SelectionChanged(QString::fromStdString(kPhoto));
    panel.Tick();
    ASSERT_FALSE(panel.Box().Image().IsEmpty());
    EXPECT_EQ(panel.Box().Image().Width(), 127);

    panel.SelectionChanged(QString::fromStdString(test::TestDataPath("bmp/bmpsuite-g-pal8.bmp")));
    now += 300;
    panel.Tick();
    EXPECT_EQ(panel.Box().Image().Width(), 127) << "still the first picture";
    now += 300;
    panel.Tick();
    EXPECT_EQ(panel.Box().Image().Image().BitCount(), 8);
}

TEST_F(PreviewPanelTest, TheCheckBoxSwitchesPreviewingAndThePreference)
{
    EXPECT_TRUE(panel.ShowBox().isChecked());
    panel.ShowBox().setChecked(false);
    EXPECT_FALSE(showPreview);
    panel.SelectionChanged(QString::fromStdString(kPhoto));
    panel.Tick();
    EXPECT_TRUE(panel.Box().Image().IsEmpty());  // nothing read while off
    panel.ShowBox().setChecked(true);
    EXPECT_TRUE(showPreview);
    EXPECT_FALSE(panel.Box().Image().IsEmpty());  // switched on: loaded at once
}

TEST_F(PreviewPanelTest, NonPicturesLeaveTheBoxEmpty)
{
    test::TempDir dir;
    panel.SelectionChanged(QString::fromStdString(dir.Path()));
    panel.Tick();
    EXPECT_TRUE(panel.Box().Image().IsEmpty());
}

TEST(PreviewBox, GreyWithARaisedFrameAndThePictureThreePixelsIn)
{
    PreviewBox box;
    box.resize(120, 80);
    Dib red;
    red.Attach(test::MakeRgbPicture(20, 20, [](int32_t, int32_t) { return ColorTriple{255, 0, 0}; }));
    box.SetPicture(red);
    const QImage shot = box.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(120, 80));
    EXPECT_EQ(shot.pixelColor(10, 0), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(0, 10), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(119, 79), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(119, 10), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(10, 79), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(10, 40), QColor(0xC0, 0xC0, 0xC0));  // beside the fitted square
    EXPECT_EQ(shot.pixelColor(60, 40), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(60, 3), QColor(255, 0, 0));  // 74 high from 3 px in
    EXPECT_EQ(shot.pixelColor(60, 76), QColor(255, 0, 0));
    EXPECT_EQ(shot.pixelColor(60, 2), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(shot.pixelColor(60, 77), QColor(0xC0, 0xC0, 0xC0));

    box.SetPictureShown(false);
    EXPECT_EQ(box.grab().toImage().pixelColor(60, 40), QColor(0xC0, 0xC0, 0xC0));
}

TEST(PreviewPicture, PhotoCdPicturesAreReadAtTheirSmallestSize)
{
    Preferences prefs;
    prefs.photoCDSize = 3;
    ScopedServices services([&](Services& s) { s.preferences = &prefs; });
    const Dib picture = ReadPreviewPicture(QString::fromStdString(test::TestDataPath("pcd/pillow-hopper.pcd")));
    EXPECT_EQ(picture.Width(), 192);
    EXPECT_EQ(picture.Height(), 128);
}

TEST(PictureFileDialog, TheInsertDialogOffersTheInsertionChoice)
{
    bool showPreview = false;
    InsertAfterFlag() = true;
    PictureFileDialog dialog(PictureFileDialog::Purpose::InsertImages, showPreview);
    EXPECT_EQ(dialog.windowTitle(), "Ajouter des photos à l'album");
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFiles);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    ASSERT_EQ(dialog.nameFilters().size(), 13);
    EXPECT_EQ(dialog.nameFilters()[0], "Tous fichiers (*.bmp *.dib *.gif *.jpg *.jpeg *.jfif *.pcd *.pcx *.rle *.tga "
                                       "*.tif *.tiff *.png *.webp *.heic *.heif *.avif)");
    EXPECT_FALSE(dialog.findChild<QCheckBox*>(widget_name::kPreviewCheck)->isChecked());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>(widget_name::kInsertAfterRadio)->isChecked());
    EXPECT_TRUE(dialog.InsertAfter());
    dialog.findChild<QRadioButton*>(widget_name::kInsertBeforeRadio)->setChecked(true);
    EXPECT_FALSE(InsertAfterFlag());
}

TEST(PictureFileDialog, ThePreviewFollowsANameTypedInTheNameField)
{
    test::TempDir dir;
    test::TempDir elsewhere;
    for (const std::string& path : {dir.File("un.bmp"), dir.File("deux.bmp"), elsewhere.File("loin.bmp")})
        std::filesystem::copy_file(kPhoto, path);
    bool showPreview = true;
    PictureFileDialog dialog(PictureFileDialog::Purpose::InsertImages, showPreview);
    dialog.setDirectory(QString::fromStdString(dir.Path()));
    auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(name, nullptr);
    const struct {
        std::string typed, previewed;
    } cases[] = {
        {"deux.bmp", dir.File("deux.bmp")},
        {elsewhere.File("loin.bmp"), elsewhere.File("loin.bmp")},
        {"\"un.bmp\" \"deux.bmp\"", dir.File("un.bmp")},
        {"absent.bmp", dir.File("un.bmp")},  // no such file: the last one stays
    };
    for (const auto& c : cases) {
        name->setText(QString::fromStdString(c.typed));
        EXPECT_EQ(dialog.Preview().SelectedPath().toStdString(), c.previewed) << c.typed;
    }
}

TEST(AlbumLoadError, BrowsingReplacesThePathAndRetryGivesIt)
{
    test::TempDir dir;
    test::WriteBytes(dir.File("found.bmp"), test::ReadBytes(kPhoto));
    bool showPreview = true;
    QString browsedTitle;
    QString afterBrowse;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        AnswerNextModal<PictureFileDialog>([&](PictureFileDialog& browser) {
            browsedTitle = browser.windowTitle();
            browser.Preview().ShowBox().setChecked(false);
            browser.selectFile(QString::fromStdString(dir.File("found.bmp")));
            static_cast<QDialog&>(browser).accept();
        });
        Click(dialog, "browse");
        afterBrowse = dialog.Path();
        Click(dialog, "retry");
    });
    const auto answer = AskAlbumLoadError(nullptr, "/Photos/Perdue.BMP", showPreview);
    EXPECT_EQ(browsedTitle, "Parcourir");
    EXPECT_FALSE(showPreview);  // the browser's check box is the preference
    EXPECT_EQ(afterBrowse, QString::fromStdString(dir.File("found.bmp")));
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, QString::fromStdString(dir.File("found.bmp")));
}

TEST(AlbumLoadError, CancelledBrowsingKeepsThePathAndAbandonGivesNothing)
{
    bool showPreview = true;
    QString afterBrowse;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        AnswerNextModal<PictureFileDialog>([](PictureFileDialog& browser) {
            browser.Preview().ShowBox().setChecked(false);
            browser.reject();
        });
        Click(dialog, "browse");
        afterBrowse = dialog.Path();
        Click(dialog, "abandon");
    });
    EXPECT_FALSE(AskAlbumLoadError(nullptr, "/Photos/Perdue.BMP", showPreview).has_value());
    EXPECT_EQ(afterBrowse, "/Photos/Perdue.BMP");  // as it is: file names keep their case
    EXPECT_TRUE(showPreview);                       // Cancel keeps the preference
}

TEST(PictureLoadError, BrowsesWithThePreviewOfTheProgramsPreference)
{
    test::TempDir dir;
    test::WriteBytes(dir.File("found.bmp"), test::ReadBytes(kPhoto));
    Profile profile(QString::fromStdString(dir.File("lumora.ini")));
    Preferences prefs;
    MainWindow frame(prefs, profile);
    bool previewOffered = false;
    bool insertionOffered = true;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        AnswerNextModal<PictureFileDialog>([&](PictureFileDialog& browser) {
            previewOffered = browser.Preview().ShowBox().isChecked();
            insertionOffered = browser.findChild<QRadioButton*>(widget_name::kInsertAfterRadio) != nullptr;
            browser.Preview().ShowBox().setChecked(false);
            browser.selectFile(QString::fromStdString(dir.File("found.bmp")));
            static_cast<QDialog&>(browser).accept();
        });
        Click(dialog, "browse");
        Click(dialog, "retry");
    });
    const auto answer = AskLoadErrorPath(&frame, "/photos/perdue.bmp");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, QString::fromStdString(dir.File("found.bmp")));
    EXPECT_TRUE(previewOffered);
    EXPECT_FALSE(insertionOffered);
    EXPECT_FALSE(prefs.showPreview);  // the check box is the preference
}

TEST(TextDialog, DescribesTheFontAndKeepsLineBreaksAsAlbumsDo)
{
    TextFont bold;
    bold.faceName = "Arial";
    bold.height = -20;
    bold.weight = 700;
    bold.italic = true;
    TextDialog dialog("Ligne 1\r\nLigne 2", bold, 0x00FF00, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Texte...");
    EXPECT_EQ(dialog.findChild<QPlainTextEdit*>(widget_name::kTextEdit)->toPlainText(), "Ligne 1\nLigne 2");
    EXPECT_EQ(dialog.findChild<QLabel*>(widget_name::kTextFontLabel)->text(), "Arial\nTaille : 15,  Gras : oui,  Italique : oui.");
    EXPECT_EQ(dialog.Text(), "Ligne 1\r\nLigne 2");
    EXPECT_EQ(dialog.Color(), 0x00FF00u);
    QStringList buttons;
    for (const char* name : {widget_name::kTextFontButton, widget_name::kTextColourButton, widget_name::kOkButton, widget_name::kCancelButton, widget_name::kHelpButton})
        buttons << dialog.findChild<QPushButton*>(name)->text();
    EXPECT_EQ(buttons, QStringList({"&Changer la police...", "&Couleur du texte :", "OK", "Annuler", "Aide"}));
}

}  // namespace
}  // namespace lumora
