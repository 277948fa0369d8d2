// The album's settings dialogs: title, description and fonts; album
// properties with the layout list and the password; the layout change that
// remakes the previews; the two album commands.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <cstdlib>
#include <filesystem>

#include "core/platform/services.h"
#include "gui/album/album_properties_dialog.h"
#include "gui/album/album_settings.h"
#include "gui/album/layout_picture.h"
#include "gui/album/title_fonts_dialog.h"
#include "gui/album/book_pictures.h"
#include "gui/widgets/color_button.h"
#include "app/main_window.h"
#include "support/dialog_driver.h"
#include "core/formats/bmp_writer.h"
#include "gui/widgets/dialog_support.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_view.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

using test::Click;
using test::Get;
using test::RecordingProgress;
using test::Type;
using test::WhenModal;

// Every setting the two dialogs edit.
auto Settings(const AlbumDocument& d)
{
    return std::tuple(d.Settings().title, d.Settings().description, d.Settings().titleColor, d.Settings().titleEffect, d.Settings().fonts, d.Settings().layout,
                      d.Settings().frameStyle, d.Settings().flyleaf, d.Settings().pageNumbers, d.Settings().headerTitle, d.Settings().useTabs, d.Settings().deskColor,
                      d.Settings().password);
}

Rgb ColorOf(QWidget& dialog, const char* button)
{
    auto* colors = dialog.findChild<ColorButton*>(button);
    EXPECT_NE(colors, nullptr) << button;
    return colors ? colors->Color() : 0;
}

// Answers the colour or font dialog opened next.
void AnswerColor(QColor color)
{
    WhenModal([color](QWidget& w) {
        auto* dialog = qobject_cast<QColorDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        dialog->setCurrentColor(color);
        dialog->accept();
    });
}

void AnswerFont(const char* family, int points, bool bold)
{
    WhenModal([=](QWidget& w) {
        auto* dialog = qobject_cast<QFontDialog*>(&w);
        ASSERT_NE(dialog, nullptr);
        QFont font(family);
        font.setPointSize(points);
        font.setBold(bold);
        dialog->setCurrentFont(font);
        dialog->accept();
    });
}

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override { doc.Clear(); }

    void ExpectSavedAndReadBack()
    {
        ASSERT_TRUE(doc.Save(dir.File("album.qza")));
        AlbumDocument read;
        ASSERT_TRUE(read.Open(dir.File("album.qza")));
        EXPECT_TRUE(Settings(read) == Settings(doc));
    }

    test::TempDir dir;
    test::CapturingReporter reporter;
    AlbumDocument doc;
};

// ---- Titre, Description et Polices de l'album ----

using TitleFontsDialogTest = SettingsDialogTest;

TEST_F(TitleFontsDialogTest, OpensOnTheAlbumsValuesWithEachFontDescribedBesideItsButton)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.titleEffect = TitleEffect::Embossed; });
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kPhotosFont].height = -20; });
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kPageTitleFont].weight = 700; });
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kPageNumberFont].italic = false; });
    TitleFontsDialog dialog(doc);
    EXPECT_EQ(Get<QLineEdit>(dialog, widget_name::kTitleEdit).text(), "Titre de l'album");
    EXPECT_EQ(Get<QLineEdit>(dialog, widget_name::kDescriptionEdit).text(), "Description de l'album, date, auteur...");
    EXPECT_EQ(Get<QComboBox>(dialog, widget_name::kTitleEffectCombo).currentText(), "Relief");
    EXPECT_EQ(ColorOf(dialog, widget_name::kTitleColourButton), 0x800000u);
    const QString face = "Nom de police : Times New Roman\n";
    EXPECT_EQ(Get<QLabel>(dialog, widget_name::kTitleFontLabel).text(), face + "Taille : 22,  Gras : non,  Italique : oui.");
    EXPECT_EQ(Get<QLabel>(dialog, widget_name::kDescriptionFontLabel).text(), face + "Taille : 12,  Gras : non,  Italique : oui.");
    EXPECT_EQ(Get<QLabel>(dialog, widget_name::kPhotosFontLabel).text(), face + "Taille : 15,  Gras : non,  Italique : oui.");
    EXPECT_EQ(Get<QLabel>(dialog, widget_name::kPageTitleFontLabel).text(), face + "Taille : 10,  Gras : oui,  Italique : oui.");
    EXPECT_EQ(Get<QLabel>(dialog, widget_name::kPageNumberFontLabel).text(), face + "Taille : 10,  Gras : non,  Italique : non.");
    EXPECT_EQ(Get<QLineEdit>(dialog, widget_name::kTitleEdit).font().pointSize(), 8);  // the small dialog font
}

TEST_F(TitleFontsDialogTest, OkStoresEveryFieldMarksTheAlbumAndItIsSavedWithThem)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kDescriptionFont].stored.quality = 2; });  // a value a QFont does not carry
    const auto untouched = doc.Settings().fonts;
    WhenModal([](QWidget& d) {
        Type(d, widget_name::kTitleEdit, "Vacances 1996");
        Type(d, widget_name::kDescriptionEdit, "Bretagne, août");
        Get<QComboBox>(d, widget_name::kTitleEffectCombo).setCurrentIndex(0);
        AnswerColor(QColor(0x12, 0x34, 0x56));
        Click(d, widget_name::kTitleColourButton);
        AnswerFont("Liberation Sans", 18, true);
        Click(d, widget_name::kDescriptionFontButton);
        EXPECT_EQ(Get<QLabel>(d, widget_name::kDescriptionFontLabel).text(),
                  "Nom de police : Arial\nTaille : 18,  Gras : oui,  Italique : non.");
        Click(d, widget_name::kOkButton);
    });
    ASSERT_TRUE(EditTitleAndFonts(nullptr, doc));
    EXPECT_EQ(doc.Settings().title, "Vacances 1996");
    EXPECT_EQ(doc.Settings().description, "Bretagne, août");
    EXPECT_EQ(doc.Settings().titleEffect, TitleEffect::Normal);
    EXPECT_EQ(doc.Settings().titleColor, 0x563412u);
    const TextFont& chosen = doc.Settings().fonts[kDescriptionFont];
    EXPECT_EQ(chosen.faceName, "Arial");
    EXPECT_EQ(chosen.height, -24);
    EXPECT_EQ(chosen.weight, 700);
    EXPECT_FALSE(chosen.italic);
    EXPECT_EQ(RecordOf(chosen).quality, 2);  // kept through the dialog
    for (AlbumFont other : {kTitleFont, kPageTitleFont, kPageNumberFont, kPhotosFont})
        EXPECT_EQ(doc.Settings().fonts[other], untouched[other]) << other;
    EXPECT_TRUE(doc.IsModified());
    ExpectSavedAndReadBack();
}

TEST_F(TitleFontsDialogTest, FontDialogOpensOnTheAlbumFontAndGivesItBackUnchanged)
{
    const TextFont title = doc.Settings().fonts[kTitleFont];  // Times New Roman, -29 pixels, italic
    WhenModal([](QWidget& d) {
        WhenModal([](QWidget& w) {
            const QFont shown = qobject_cast<QFontDialog*>(&w)->currentFont();
            EXPECT_EQ(shown.family(), "Liberation Serif");
            EXPECT_EQ(shown.pointSize(), 22);
            EXPECT_TRUE(shown.italic());
            qobject_cast<QFontDialog*>(&w)->accept();
        });
        Click(d, widget_name::kTitleFontButton);
        Click(d, widget_name::kOkButton);
    });
    ASSERT_TRUE(EditTitleAndFonts(nullptr, doc));
    EXPECT_EQ(doc.Settings().fonts[kTitleFont], title);
}

TEST_F(TitleFontsDialogTest, CancelStoresNothingEvenAfterAFontWasChosen)
{
    const auto before = Settings(doc);
    WhenModal([](QWidget& d) {
        Type(d, widget_name::kTitleEdit, "Autre titre");
        AnswerFont("Liberation Sans", 30, true);
        Click(d, widget_name::kTitleFontButton);
        EXPECT_TRUE(Get<QLabel>(d, widget_name::kTitleFontLabel).text().contains("Taille : 30"));
        AnswerColor(QColor(1, 2, 3));
        Click(d, widget_name::kTitleColourButton);
        Click(d, widget_name::kCancelButton);
    });
    EXPECT_FALSE(EditTitleAndFonts(nullptr, doc));
    EXPECT_TRUE(Settings(doc) == before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(TitleFontsDialogTest, OverlongTitleOrDescriptionIsRefusedAndTheDialogStaysOpen)
{
    TitleFontsDialog dialog(doc);
    dialog.show();
    Type(dialog, widget_name::kTitleEdit, QString(51, 'x'));
    Click(dialog, widget_name::kOkButton);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Tapez 50 caractères au maximum.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.focusWidget(), &Get<QLineEdit>(dialog, widget_name::kTitleEdit));

    Type(dialog, widget_name::kTitleEdit, QString(50, 'x'));
    Type(dialog, widget_name::kDescriptionEdit, QString(201, 'y'));
    Click(dialog, widget_name::kOkButton);
    ASSERT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(reporter.messages[1].text, "Tapez 200 caractères au maximum.");
    EXPECT_TRUE(dialog.isVisible());

    Type(dialog, widget_name::kDescriptionEdit, QString(200, QChar(0xE9)));  // accented letters count once
    Click(dialog, widget_name::kOkButton);
    EXPECT_EQ(reporter.messages.size(), 2u);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TitleFontsDialogTest, TitleColourIsWhatTheScreenCanShow)
{
    const auto pick = [&](const char* depth) {
        setenv("LUMORA_SCREEN_DEPTH", depth, 1);
        TitleFontsDialog dialog(doc);
        AnswerColor(QColor(0x30, 0x64, 0x98));
        Click(dialog, widget_name::kTitleColourButton);
        unsetenv("LUMORA_SCREEN_DEPTH");
        return ColorOf(dialog, widget_name::kTitleColourButton);
    };
    EXPECT_EQ(pick("24"), 0x986430u);  // true colour: as chosen
    EXPECT_EQ(pick("8"), 0x996633u);   // the application palette's nearest
    EXPECT_EQ(pick("4"), 0x808000u);   // the sixteen colours' nearest: teal
}

// ---- Propriétés de l'album ----

using AlbumPropertiesDialogTest = SettingsDialogTest;

TEST_F(AlbumPropertiesDialogTest, OpensOnTheAlbumsValuesWithAllSevenLayoutsInView)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.layout = BookLayout::Mini; });
    EditSettings(doc, [&](AlbumSettings& s) { s.frameStyle = FrameStyle::Shadowed; });
    EditSettings(doc, [&](AlbumSettings& s) { s.flyleaf = 0; });
    EditSettings(doc, [&](AlbumSettings& s) { s.headerTitle = 0; });
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    AlbumPropertiesDialog dialog(doc);
    dialog.show();
    auto& layouts = Get<QListWidget>(dialog, widget_name::kLayoutList);
    EXPECT_EQ(layouts.currentRow(), 3);
    ASSERT_EQ(layouts.count(), kLayoutCount);
    for (int i = 0; i < kLayoutCount; ++i) {
        const QRect entry = layouts.visualItemRect(layouts.item(i));
        EXPECT_EQ(entry.size(), QSize(98, 80));
        EXPECT_TRUE(layouts.viewport()->rect().contains(entry)) << i;
    }
    EXPECT_EQ(Get<QComboBox>(dialog, widget_name::kFrameStyleCombo).currentText(), "Affichage ombré");
    EXPECT_FALSE(Get<QCheckBox>(dialog, widget_name::kFlyleafCheck).isChecked());
    EXPECT_TRUE(Get<QCheckBox>(dialog, widget_name::kPageNumbersCheck).isChecked());
    EXPECT_FALSE(Get<QCheckBox>(dialog, widget_name::kHeaderTitleCheck).isChecked());
    EXPECT_TRUE(Get<QCheckBox>(dialog, widget_name::kUseTabsCheck).isChecked());
    // LUMORA_LAYOUT_LIST_PNG=file keeps a picture of the dialog to look at.
    if (const char* png = std::getenv("LUMORA_LAYOUT_LIST_PNG")) {
        EXPECT_TRUE(dialog.grab().save(png));
    }
}

// Changes every value of the properties dialog, the password included.
void ChangeEveryProperty(QWidget& d)
{
    Get<QListWidget>(d, widget_name::kLayoutList).setCurrentRow(4);
    Get<QComboBox>(d, widget_name::kFrameStyleCombo).setCurrentIndex(1);
    Get<QCheckBox>(d, widget_name::kFlyleafCheck).setChecked(false);
    Get<QCheckBox>(d, widget_name::kPageNumbersCheck).setChecked(false);
    Get<QCheckBox>(d, widget_name::kHeaderTitleCheck).setChecked(true);
    Get<QCheckBox>(d, widget_name::kUseTabsCheck).setChecked(true);
    AnswerColor(QColor(0x20, 0x40, 0x60));
    Click(d, widget_name::kDeskColourButton);
    WhenModal([](QWidget& p) {
        Type(p, widget_name::kNewPasswordEdit, "clef");
        Click(p, widget_name::kOkButton);
        Type(p, widget_name::kVerifyPasswordEdit, "clef");
        Click(p, widget_name::kOkButton);
    });
    Click(d, widget_name::kPasswordButton);
    EXPECT_EQ(qobject_cast<AlbumPropertiesDialog*>(&d)->Password(), "clef");
}

TEST_F(AlbumPropertiesDialogTest, OkStoresEveryValueAndThePassword)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.headerTitle = 0; });  // so that every check box changes its flag
    WhenModal([](QWidget& d) {
        ChangeEveryProperty(d);
        Click(d, widget_name::kOkButton);
    });
    ASSERT_TRUE(EditAlbumProperties(nullptr, doc));
    EXPECT_EQ(doc.Settings().layout, BookLayout::Micro);
    EXPECT_EQ(doc.Settings().frameStyle, FrameStyle::Corners);
    EXPECT_EQ(doc.Settings().flyleaf, 0u);
    EXPECT_EQ(doc.Settings().pageNumbers, 0u);
    EXPECT_EQ(doc.Settings().headerTitle, 1u);
    EXPECT_EQ(doc.Settings().useTabs, 1u);
    EXPECT_EQ(doc.Settings().deskColor, 0x604020u);
    EXPECT_EQ(doc.Settings().password, "clef");
    EXPECT_TRUE(doc.IsModified());
    ExpectSavedAndReadBack();
}

TEST_F(AlbumPropertiesDialogTest, CancelStoresNothingNotEvenTheNewPassword)
{
    const auto before = Settings(doc);
    WhenModal([](QWidget& d) {
        ChangeEveryProperty(d);
        Click(d, widget_name::kCancelButton);
    });
    EXPECT_FALSE(EditAlbumProperties(nullptr, doc));
    EXPECT_TRUE(Settings(doc) == before);
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(AlbumPropertiesDialogTest, DoubleClickOnALayoutIsOk)
{
    AlbumPropertiesDialog dialog(doc);
    dialog.show();
    auto& layouts = Get<QListWidget>(dialog, widget_name::kLayoutList);
    const QPointF at = layouts.visualItemRect(layouts.item(3)).center();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, layouts.viewport()->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(layouts.viewport(), &event);
    }
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Layout(), BookLayout::Mini);
}

// The layout pictures: a photo inside every box of the layout, the bare
// page where only other layouts have boxes.
TEST(LayoutPictures, ShowTheBoxesOfTheirLayoutOnBothPages)
{
    const auto centre = [](const PageLayout& layout, int page, int slot) {
        const Rect box = SlotBox(layout, page, slot);
        return Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2};
    };
    for (int index = 0; index < kLayoutCount; ++index) {
        QImage image(kLayoutPictureWidth, kLayoutPictureHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        DrawLayoutPicture(painter, image.rect(), index, false, SmallFont8());
        const PageLayout& layout = LayoutAt(index);
        for (const PageLayout& other : kLayouts)
            for (int page : {1, 2})
                for (int slot = 0; slot < other.slotCount; ++slot) {
                    const Point c = centre(other, page, slot);
                    bool near = false;
                    for (int own = 0; own < layout.slotCount; ++own) {
                        const Rect box = SlotBox(layout, page, own);
                        near |= Rect{box.left - 12, box.top - 12, box.right + 12, box.bottom + 12}.Contains(c);
                    }
                    const QRgb pixel = image.pixel(LayoutPicturePoint(c.x, c.y));
                    if (&other == &layout) {
                        const bool skyOrLand = (qBlue(pixel) == 0xFF && qRed(pixel) < 0xFF) ||
                                               pixel == qRgb(0x66, 0x99, 0x33);
                        EXPECT_TRUE(skyOrLand) << index << " slot " << slot;
                    } else if (!near) {
                        EXPECT_EQ(pixel, qRgb(0xFF, 0xFB, 0xF0)) << index << " at " << c.x << "," << c.y;
                    }
                }
    }
}

// ---- A layout change in an album window, through the command ----

class RecordingStatus final : public StatusDisplay {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.status = this; }};
    RecordingStatus() = default;
    std::string StatusText() const override { return texts.back(); }
    void SetStatusText(const std::string& text) override { texts.push_back(text); }
    void BeginWaitCursor() override { ++waits; }
    void EndWaitCursor() override { --waits; }
    std::vector<std::string> texts{"Prêt"};
    int waits = 0;
};

class LayoutChangeTest : public ::testing::Test {
protected:
    // An album of a 300 x 400 and a 400 x 100 photo in `layout`, in a window.
    AlbumView& OpenAlbum(BookLayout layout)
    {
        prefs.fastBitmaps = false;
        doc->Clear();
        EditSettings(*doc, [&](AlbumSettings& s) { s.layout = layout; });
        const auto plain = [](int32_t, int32_t) { return ColorTriple{0, 200, 0}; };
        EXPECT_TRUE(WriteBMPFile(tall, test::MakeRgbPicture(300, 400, plain)));
        EXPECT_TRUE(WriteBMPFile(wide, test::MakeRgbPicture(400, 100, plain)));
        EXPECT_TRUE(doc->InsertImage(tall, 0));
        EXPECT_TRUE(doc->InsertImage(wide, 1));
        doc->MarkSaved();
        return *qobject_cast<AlbumView*>(OpenAlbumWindow(frame, book, prefs, doc)->widget());
    }

    // The album properties command, choosing `layout` and confirming.
    void ChooseLayout(int layout)
    {
        WhenModal([layout](QWidget& d) {
            Get<QListWidget>(d, widget_name::kLayoutList).setCurrentRow(layout);
            Click(d, widget_name::kOkButton);
        });
        frame.RefreshCommandStates();
        frame.Action(kCmdAlbumProperties)->trigger();
    }

    QSize PreviewSize(size_t item) const { return {doc->Items()[item]->preview.Width(), doc->Items()[item]->preview.Height()}; }

    test::TempDir dir;
    test::CapturingReporter reporter;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    MainWindow frame{prefs, profile};
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});
    std::shared_ptr<AlbumDocument> doc = std::make_shared<AlbumDocument>();
    const std::string tall = dir.File("tall.bmp"), wide = dir.File("wide.bmp");
};

TEST_F(LayoutChangeTest, SameBoxSizeKeepsThePreviews)
{
    OpenAlbum(BookLayout::Midi);  // Midi 3+3: 124 x 93
    ASSERT_EQ(PreviewSize(0), QSize(69, 93));
    // Were the previews made again, these photos would be lost.
    std::filesystem::remove(tall);
    std::filesystem::remove(wide);
    RecordingStatus status;
    ChooseLayout(5);  // Présentation en X: 124 x 93 too
    EXPECT_EQ(doc->Settings().layout, BookLayout::PresentationX);
    ASSERT_EQ(doc->ItemCount(), 2u);
    EXPECT_EQ(PreviewSize(0), QSize(69, 93));
    EXPECT_EQ(status.texts, std::vector<std::string>{"Prêt"});
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->Items()[1]->displayRect.left, 300);  // paginated: the X's middle box (Midi: 343)
}

TEST_F(LayoutChangeTest, AnotherBoxSizeRemakesThePreviewsUnderTheStatusText)
{
    AlbumView& view = OpenAlbum(BookLayout::Poster);  // Poster 1+1: 185 x 297, one photo a page
    ASSERT_EQ(PreviewSize(0), QSize(185, 246));
    ASSERT_EQ(doc->Items()[1]->pageIndex, 1);
    view.SetSelection(1);
    RecordingStatus status;
    RecordingProgress progress;
    ChooseLayout(1);  // Maxi 2+2: 185 x 140
    ASSERT_EQ(doc->ItemCount(), 2u);
    EXPECT_EQ(PreviewSize(0), QSize(105, 140));
    EXPECT_EQ(PreviewSize(1), QSize(185, 46));
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Prêt", "Changement de résolution des images en cours...", "Prêt"}));
    EXPECT_EQ(status.waits, 0);
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    EXPECT_EQ(progress.steps, (std::vector<std::pair<long, long>>{{1, 2}, {2, 2}}));
    // Both photos share page 0 now, and the view moved to its selected one.
    EXPECT_EQ(doc->Items()[1]->pageIndex, 0);
    EXPECT_EQ(view.State().Position(), 0);
    EXPECT_EQ(frame.Gauge()->Text(), "Page 1");
}

TEST_F(LayoutChangeTest, CommandsNeedAnAlbumWindowAndWorkOnItsAlbum)
{
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdAlbumProperties)->isEnabled());
    EXPECT_FALSE(frame.Action(kCmdTitleFonts)->isEnabled());
    OpenAlbum(BookLayout::Maxi);
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdAlbumProperties)->isEnabled());
    WhenModal([](QWidget& d) {
        Type(d, widget_name::kTitleEdit, "Noël");
        Click(d, widget_name::kOkButton);
    });
    frame.Action(kCmdTitleFonts)->trigger();
    EXPECT_EQ(doc->Settings().title, "Noël");
    EXPECT_TRUE(doc->IsModified());
}

}  // namespace
}  // namespace lumora
