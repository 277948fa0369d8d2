// Changing an album from its window: the Edition and Onglets commands with
// their dialogs answered as a user would.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "gui/album/book_pictures.h"
#include "gui/widgets/color_button.h"
#include "app/lumora_app.h"
#include "app/main_window.h"
#include "gui/picture/load_error_dialog.h"
#include "support/dialog_driver.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_load_error.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "gui/album/delete_dialogs.h"
#include "gui/album/image_properties_dialog.h"
#include "gui/picture/picture_file_dialog.h"
#include "gui/album/tab_dialog.h"
#include "gui/album/text_dialog.h"
#include "gui/widgets/widget_names.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

using test::AnswerNextModal;
using test::Click;

class EditingCommandsTest : public ::testing::Test {
protected:
    EditingCommandsTest()
    {
        LastTextStyle() = {DefaultTextFont(), 0};
        InsertAfterFlag() = false;
        prefs.showPreview = false;  // no preview reading while files are chosen
        const auto picture = test::ReadBytes(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"));
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
            test::WriteBytes(dir.File(name), picture);
        test::WriteBytes(dir.File("broken.bmp"), {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'});
        retryInstalled_.emplace([this](Services& services) { services.previewRetry = &retry; });
    }

    // An album of `texts` text items (two per page) with sections starting
    // at the items of `sections`, tabs shown when there are sections.
    AlbumView& Open(int texts, std::vector<int> sections = {})
    {
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear();
        std::vector<std::unique_ptr<AlbumItem>> items;
        for (int i = 0; i < texts; ++i)
            items.push_back(std::make_unique<AlbumItem>("texte " + std::to_string(i), TextFont{}, 0));
        test::AppendItems(*doc, std::move(items));
        for (int first : sections)
            doc->AddTabBefore(static_cast<size_t>(first),
                              std::make_unique<SectionTab>("Section " + std::to_string(first), 1));
        EditSettings(*doc, [&](AlbumSettings& s) { s.useTabs = !sections.empty(); });
        doc->Paginate();
        doc->MarkSaved();
        QMdiSubWindow* window = OpenAlbumWindow(frame, book, prefs, doc);
        return *qobject_cast<AlbumView*>(window->widget());
    }

    bool Enabled(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->isEnabled();
    }

    void Run(int command)
    {
        ASSERT_TRUE(Enabled(command)) << command;
        frame.Action(command)->trigger();
    }

    std::string Path(const char* name) const { return dir.File(name); }

    // Answers the insert dialog with `names` from the test directory.
    void ChooseFiles(QStringList names, bool after)
    {
        const QString directory = QString::fromStdString(dir.Path());
        AnswerNextModal<PictureFileDialog>([=](PictureFileDialog& dialog) {
            Click(dialog, after ? widget_name::kInsertAfterRadio : widget_name::kInsertBeforeRadio);
            dialog.setDirectory(directory);
            dialog.selectFile('"' + names.join("\" \"") + '"');
            static_cast<QDialog&>(dialog).accept();  // the file dialog's own checks run
        });
    }

    static std::vector<std::string> ImagePaths(const AlbumDocument& doc)
    {
        std::vector<std::string> paths;
        for (const auto& item : doc.Items())
            paths.push_back(item->IsPhoto() ? item->imagePath : "texte");
        return paths;
    }

    test::TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences prefs;
    MainWindow frame{prefs, profile};
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});
    DialogPreviewRetryHandler retry{frame};
    std::optional<ScopedServices> retryInstalled_;
    test::CapturingReporter reporter;
};

TEST_F(EditingCommandsTest, ThreePhotosAfterItemFourTakeFiveToSevenAndSelectTheFirst)
{
    AlbumView& view = Open(6);
    view.SetSelection(4);
    frame.SetStatusText("Prêt");
    ChooseFiles({"a.bmp", "b.bmp", "c.bmp"}, true);
    Run(kCmdInsertImages);

    const AlbumDocument& doc = view.Document();
    ASSERT_EQ(doc.ItemCount(), 9u);
    EXPECT_EQ(ImagePaths(doc), (std::vector<std::string>{"texte", "texte", "texte", "texte", "texte", Path("a.bmp"),
                                                          Path("b.bmp"), Path("c.bmp"), "texte"}));
    EXPECT_EQ(view.State().Selection(), 5);
    EXPECT_EQ(view.State().Position(), ((doc.Items()[5]->pageIndex + 1) / 2) * 2);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(InsertAfterFlag());  // remembered for the next insertion
    EXPECT_FALSE(frame.Gauge()->IsRunning());
    EXPECT_EQ(frame.StatusLabel()->text(), "Prêt");
}

TEST_F(EditingCommandsTest, TheInsertDialogStartsFromTheLastChoice)
{
    AlbumView& view = Open(2);
    InsertAfterFlag() = true;
    bool afterChecked = false;
    AnswerNextModal<PictureFileDialog>([&](PictureFileDialog& dialog) {
        afterChecked = dialog.InsertAfter();
        Click(dialog, widget_name::kInsertBeforeRadio);
        dialog.reject();
    });
    Run(kCmdInsertImages);
    EXPECT_TRUE(afterChecked);
    EXPECT_FALSE(InsertAfterFlag());  // a choice counts even when cancelled
    EXPECT_EQ(view.Document().ItemCount(), 2u);
    EXPECT_FALSE(view.Document().IsModified());
}

TEST_F(EditingCommandsTest, PhotosInsertedInAnEmptyAlbumGoToTheFirstSection)
{
    AlbumView& view = Open(0);
    EditSettings(view.Document(), [&](AlbumSettings& s) { s.useTabs = 1; });
    ChooseFiles({"b.bmp", "a.bmp"}, false);
    Run(kCmdInsertImages);
    const AlbumDocument& doc = view.Document();
    EXPECT_EQ(ImagePaths(doc), (std::vector<std::string>{Path("b.bmp"), Path("a.bmp")}));
    for (const auto& item : doc.Items())
        EXPECT_EQ(item->tabIndex, 0);
    EXPECT_EQ(view.State().Selection(), 0);
    EXPECT_EQ(view.State().Position(), 0);
}

TEST_F(EditingCommandsTest, AnAbandonedFileIsSkippedAndTheOthersInserted)
{
    AlbumView& view = Open(1);
    ChooseFiles({"a.bmp", "broken.bmp", "c.bmp"}, false);
    QString shownPath;
    QString statusMeanwhile;
    bool gaugeMeanwhile = false;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        shownPath = dialog.findChild<QLabel*>("path")->text();
        statusMeanwhile = frame.StatusLabel()->text();
        gaugeMeanwhile = frame.Gauge()->IsRunning();
        Click(dialog, "abandon");
    });
    Run(kCmdInsertImages);
    EXPECT_EQ(shownPath, QString::fromStdString(Path("broken.bmp")));
    EXPECT_EQ(statusMeanwhile, "Ajout des images en cours...");
    EXPECT_TRUE(gaugeMeanwhile);
    EXPECT_EQ(ImagePaths(view.Document()), (std::vector<std::string>{Path("a.bmp"), Path("c.bmp"), "texte"}));
}

TEST_F(EditingCommandsTest, TheLoadErrorDialogRetriesWithThePathTyped)
{
    AlbumView& view = Open(0);
    ChooseFiles({"broken.bmp"}, false);
    QString offered;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        offered = dialog.Path();
        dialog.findChild<QLineEdit*>("newPath")->setText(QString::fromStdString(Path("b.bmp")));
        Click(dialog, "retry");
    });
    Run(kCmdInsertImages);
    EXPECT_EQ(offered, QString::fromStdString(Path("broken.bmp")));
    ASSERT_EQ(view.Document().ItemCount(), 1u);
    EXPECT_EQ(view.Document().Items()[0]->imagePath, Path("b.bmp"));
    EXPECT_FALSE(view.Document().Items()[0]->preview.IsEmpty());
}

TEST_F(EditingCommandsTest, RetryingUntouchedUsesThePathInItsOwnCase)
{
    AlbumView& view = Open(0);
    const std::string mixed = Path("Vacances_ETE.Bmp");
    test::WriteBytes(mixed, {'n', 'o', 't', ' ', 'y', 'e', 't'});
    ChooseFiles({"Vacances_ETE.Bmp"}, false);
    QString shown, offered;
    AnswerNextModal<LoadErrorDialog>([&](LoadErrorDialog& dialog) {
        shown = dialog.findChild<QLabel*>("path")->text();
        offered = dialog.Path();
        // The user puts the right file in place, then retries as offered.
        test::WriteBytes(mixed, test::ReadBytes(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp")));
        Click(dialog, "retry");
    });
    Run(kCmdInsertImages);
    EXPECT_EQ(shown, QString::fromStdString(mixed));
    EXPECT_EQ(offered, QString::fromStdString(mixed));
    ASSERT_EQ(view.Document().ItemCount(), 1u);
    EXPECT_EQ(view.Document().Items()[0]->imagePath, mixed);
    EXPECT_FALSE(view.Document().Items()[0]->preview.IsEmpty());
}

TEST_F(EditingCommandsTest, WithoutAnAlbumWindowAnUnreadablePhotoIsGivenUp)
{
    AlbumDocument doc;
    doc.Clear();
    EXPECT_FALSE(retry.AskRetry({Path("broken.bmp"), ReadError::Damaged, {}}).has_value());
    EXPECT_FALSE(doc.InsertImage(Path("broken.bmp"), 0));
    EXPECT_TRUE(doc.Items().empty());
}

TEST_F(EditingCommandsTest, DeletingAPhotoAsksWithItsPathAndPreview)
{
    AlbumView& view = Open(2);
    ASSERT_TRUE(view.Document().InsertImage(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), 1));
    view.SetSelection(1);
    QString shown;
    AnswerNextModal<DeleteImageDialog>([&](DeleteImageDialog& dialog) {
        shown = dialog.findChild<QLabel*>(widget_name::kPhotoPathLabel)->text();
        Click(dialog, widget_name::kCancelButton);
    });
    Run(kCmdDeleteItem);
    EXPECT_EQ(shown, "(" + QString::fromStdString(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp")) + ")");
    EXPECT_EQ(view.Document().ItemCount(), 3u);

    AnswerNextModal<DeleteImageDialog>([](DeleteImageDialog& dialog) { Click(dialog, widget_name::kOkButton); });
    Run(kCmdDeleteItem);
    ASSERT_EQ(view.Document().ItemCount(), 2u);
    EXPECT_FALSE(view.Document().Items()[0]->IsPhoto());
    EXPECT_FALSE(view.Document().Items()[1]->IsPhoto());
    EXPECT_EQ(view.State().Selection(), 1);
}

TEST_F(EditingCommandsTest, DeletingATextAsksTheTextQuestion)
{
    AlbumView& view = Open(3);
    view.SetSelection(2);
    QString question;
    AnswerNextModal<QMessageBox>([&](QMessageBox& box) {
        question = box.text();
        box.button(QMessageBox::No)->click();
    });
    Run(kCmdDeleteItem);
    EXPECT_EQ(question, "Voulez-vous réellement supprimer définitivement le texte sélectionné ?");
    EXPECT_EQ(view.Document().ItemCount(), 3u);

    AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    Run(kCmdDeleteItem);
    ASSERT_EQ(view.Document().ItemCount(), 2u);
    EXPECT_EQ(view.Document().Items()[1]->text, "texte 1");
    EXPECT_EQ(view.State().Selection(), 1);  // back within the album
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    Run(kCmdDeleteItem);
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    Run(kCmdDeleteItem);
    EXPECT_TRUE(view.Document().Items().empty());
    EXPECT_FALSE(Enabled(kCmdDeleteItem));
    EXPECT_FALSE(Enabled(kCmdItemProperties));
}

TEST_F(EditingCommandsTest, DeletingTheOnlyItemOfASectionTakesItsTab)
{
    AlbumView& view = Open(4, {2, 3});  // sections 0-1, 2, 3
    view.SetSelection(2);
    AnswerNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); });
    Run(kCmdDeleteItem);
    const AlbumDocument& doc = view.Document();
    ASSERT_EQ(doc.TabCount(), 2u);
    EXPECT_EQ(doc.Tabs()[1]->name, "Section 3");
    EXPECT_EQ(doc.Items()[2]->tabIndex, 1);
    EXPECT_EQ(view.State().Selection(), 2);
}

TEST_F(EditingCommandsTest, TheTextDialogKeepsTheColourOfACancelledTextButNotItsFont)
{
    AlbumView& view = Open(2);
    view.SetSelection(1);
    TextFont arial = DefaultTextFont();
    arial.faceName = "Arial";
    arial.height = -24;
    AnswerNextModal<TextDialog>([&](TextDialog& dialog) {
        dialog.findChild<ColorButton*>(widget_name::kTextColourButton)->SetColor(0x0000FF);
        dialog.SetFont(arial);
        Click(dialog, widget_name::kCancelButton);
    });
    Run(kCmdInsertText);
    EXPECT_EQ(view.Document().ItemCount(), 2u);
    EXPECT_EQ(LastTextStyle().color, 0x0000FFu);
    EXPECT_EQ(LastTextStyle().font, DefaultTextFont());

    Rgb offeredColor = 0;
    QString offeredFont;
    AnswerNextModal<TextDialog>([&](TextDialog& dialog) {
        offeredColor = dialog.Color();
        offeredFont = dialog.findChild<QLabel*>(widget_name::kTextFontLabel)->text();
        dialog.findChild<QPlainTextEdit*>(widget_name::kTextEdit)->setPlainText("Bonjour\nla mer");
        dialog.SetFont(arial);
        Click(dialog, widget_name::kOkButton);
    });
    Run(kCmdInsertText);
    EXPECT_EQ(offeredColor, 0x0000FFu);
    EXPECT_EQ(offeredFont, "Times New Roman\nTaille : 12,  Gras : non,  Italique : non.");
    const AlbumDocument& doc = view.Document();
    ASSERT_EQ(doc.ItemCount(), 3u);
    const AlbumItem& text = *doc.Items()[1];  // before the selected item
    EXPECT_EQ(text.text, "Bonjour\r\nla mer");
    EXPECT_EQ(text.textColor, 0x0000FFu);
    EXPECT_EQ(text.font, arial);
    EXPECT_EQ(view.State().Selection(), 1);
    EXPECT_EQ(LastTextStyle().font, arial);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditingCommandsTest, PhotoPropertiesShowTheFactsAndStoreTheDescription)
{
    AlbumView& view = Open(0);
    const std::string file = test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    ASSERT_TRUE(view.Document().InsertImage(file, 0));
    view.Document().MarkSaved();
    AnswerNextModal<ImagePropertiesDialog>([](ImagePropertiesDialog& dialog) {
        dialog.findChild<QLineEdit*>(widget_name::kDescriptionEdit)->setText("Ne garder que ceci");
        Click(dialog, widget_name::kCancelButton);
    });
    Run(kCmdItemProperties);
    EXPECT_EQ(view.Document().Items()[0]->description, "");
    EXPECT_FALSE(view.Document().IsModified());

    std::map<std::string, QString> facts;
    AnswerNextModal<ImagePropertiesDialog>([&](ImagePropertiesDialog& dialog) {
        for (const char* name : {widget_name::kPhotoPathLabel, widget_name::kPictureSizeLabel, widget_name::kFileSizeLabel, widget_name::kFormatLabel, widget_name::kColoursLabel})
            facts[name] = dialog.findChild<QLabel*>(name)->text();
        dialog.findChild<QLineEdit*>(widget_name::kDescriptionEdit)->setText("Le port au matin");
        Click(dialog, widget_name::kOkButton);
    });
    Run(kCmdItemProperties);
    const AlbumItem& photo = *view.Document().Items()[0];
    EXPECT_EQ(photo.description, "Le port au matin");
    EXPECT_TRUE(view.Document().IsModified());
    EXPECT_EQ(facts[widget_name::kPhotoPathLabel], QString::fromStdString(file));
    EXPECT_EQ(facts[widget_name::kPictureSizeLabel], "127 x 64");
    EXPECT_EQ(facts[widget_name::kFileSizeLabel], QString::number(test::ReadBytes(file).size()));
    EXPECT_EQ(facts[widget_name::kFormatLabel], "Image Windows BMP");
    EXPECT_EQ(facts[widget_name::kColoursLabel], "16,8M");
}

TEST_F(EditingCommandsTest, TextPropertiesChangeTheText)
{
    AlbumView& view = Open(2);
    QString offered;
    AnswerNextModal<TextDialog>([&](TextDialog& dialog) {
        auto* edit = dialog.findChild<QPlainTextEdit*>(widget_name::kTextEdit);
        offered = edit->toPlainText();
        edit->setPlainText("autre texte");
        dialog.findChild<ColorButton*>(widget_name::kTextColourButton)->SetColor(0x00FF00);
        Click(dialog, widget_name::kOkButton);
    });
    Run(kCmdItemProperties);
    EXPECT_EQ(offered, "texte 0");
    EXPECT_EQ(view.Document().Items()[0]->text, "autre texte");
    EXPECT_EQ(view.Document().Items()[0]->textColor, 0x00FF00u);
    EXPECT_TRUE(view.Document().IsModified());
    EXPECT_EQ(LastTextStyle().color, 0u);  // only new texts set the remembered colour
}

TEST_F(EditingCommandsTest, ANewTabCannotGoWhereASectionAlreadyBegins)
{
    AlbumView& view = Open(6, {2});
    view.SetSelection(2);
    Run(kCmdAddTab);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Il n'est pas possible d'insérer un onglet avant la première photo d'une "
                                         "section car un autre onglet existe déjà à cet endroit.");
    EXPECT_EQ(reporter.messages[0].icon, MessageIcon::Stop);
    EXPECT_EQ(view.Document().TabCount(), 2u);

    view.SetSelection(0);
    EXPECT_FALSE(Enabled(kCmdAddTab));
}

TEST_F(EditingCommandsTest, ANewTabStartsItsSectionOnARightPage)
{
    AlbumView& view = Open(8, {2});
    view.SetSelection(5);
    QString offeredName;
    AnswerNextModal<TabDialog>([&](TabDialog& dialog) {
        offeredName = dialog.findChild<QLineEdit*>(widget_name::kTabNameEdit)->text();
        EXPECT_EQ(dialog.windowTitle(), "Nouvel onglet");
        EXPECT_NE(dialog.findChild<QLabel*>(widget_name::kTabPicture), nullptr);
        dialog.findChild<QLineEdit*>(widget_name::kTabNameEdit)->setText("Retour");
        dialog.findChild<ColorButton*>(widget_name::kTabColourButton)->SetColor(0x123456);
        Click(dialog, widget_name::kOkButton);
    });
    Run(kCmdAddTab);
    EXPECT_EQ(offeredName, "Sans Nom");
    const AlbumDocument& doc = view.Document();
    ASSERT_EQ(doc.TabCount(), 3u);
    EXPECT_EQ(doc.Tabs()[2]->name, "Retour");
    EXPECT_EQ(doc.Tabs()[2]->tabColor, 0x123456u);
    EXPECT_EQ(doc.Tabs()[2]->nameColor, 0xFFFFFFu);
    EXPECT_EQ(doc.Items()[4]->tabIndex, 1);
    EXPECT_EQ(doc.Items()[5]->tabIndex, 2);
    EXPECT_EQ(doc.Items()[5]->pageIndex % 2, 0) << "a right-hand page";
    EXPECT_EQ(view.State().Position(), doc.Items()[5]->pageIndex);
    EXPECT_TRUE(doc.IsModified());

    AnswerNextModal<TabDialog>([](TabDialog& dialog) { Click(dialog, widget_name::kCancelButton); });
    view.SetSelection(6);
    Run(kCmdAddTab);
    EXPECT_EQ(doc.TabCount(), 3u);
}

TEST_F(EditingCommandsTest, DeletingTabsAsksAndKeepsTheFirst)
{
    AlbumView& view = Open(6, {2, 4});
    view.SetSelection(1);
    Run(kCmdDeleteTab);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text, "Il n'est pas possible de supprimer le premier onglet de l'album.");
    EXPECT_EQ(view.Document().TabCount(), 3u);

    view.SetSelection(3);
    QString shownName;
    AnswerNextModal<DeleteTabDialog>([&](DeleteTabDialog& dialog) {
        shownName = dialog.findChild<QLabel*>(widget_name::kTabNameLabel)->text();
        Click(dialog, widget_name::kCancelButton);
    });
    Run(kCmdDeleteTab);
    EXPECT_EQ(shownName, "Section 2");
    EXPECT_EQ(view.Document().TabCount(), 3u);

    AnswerNextModal<DeleteTabDialog>([](DeleteTabDialog& dialog) { Click(dialog, widget_name::kOkButton); });
    Run(kCmdDeleteTab);
    const AlbumDocument& doc = view.Document();
    ASSERT_EQ(doc.TabCount(), 2u);
    EXPECT_EQ(doc.Items()[3]->tabIndex, 0);  // joined the section before
    EXPECT_EQ(doc.Items()[4]->tabIndex, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditingCommandsTest, TabPropertiesEditTheSelectedItemsTab)
{
    AlbumView& view = Open(4, {2});
    view.SetSelection(3);
    AnswerNextModal<TabDialog>([](TabDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Propriétés de l'onglet");
        EXPECT_EQ(dialog.findChild<QLabel*>(widget_name::kTabPicture), nullptr);
        dialog.findChild<QLineEdit*>(widget_name::kTabNameEdit)->setText("Montagne");
        dialog.findChild<ColorButton*>(widget_name::kTabNameColourButton)->SetColor(0x000080);
        Click(dialog, widget_name::kOkButton);
    });
    Run(kCmdTabProperties);
    const AlbumDocument& doc = view.Document();
    EXPECT_EQ(doc.Tabs()[1]->name, "Montagne");
    EXPECT_EQ(doc.Tabs()[1]->nameColor, 0x000080u);
    EXPECT_EQ(doc.Tabs()[0]->name, "Sans Nom");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(EditingCommandsTest, TabCommandsFollowTheUseTabsSwitch)
{
    AlbumView& view = Open(4, {2});
    view.SetSelection(1);
    EXPECT_TRUE(Enabled(kCmdAddTab));
    EXPECT_TRUE(frame.Action(kCmdUseTabs)->isChecked());
    Run(kCmdUseTabs);
    EXPECT_EQ(view.Document().Settings().useTabs, 0u);
    EXPECT_TRUE(view.Document().IsModified());
    EXPECT_FALSE(Enabled(kCmdAddTab));
    EXPECT_FALSE(Enabled(kCmdDeleteTab));
    EXPECT_FALSE(Enabled(kCmdTabProperties));
    EXPECT_FALSE(frame.Action(kCmdUseTabs)->isChecked());
    EXPECT_EQ(view.Document().Items()[2]->tabIndex, 1);  // sections wait for the tabs' return
    Run(kCmdUseTabs);
    EXPECT_TRUE(frame.Action(kCmdUseTabs)->isChecked());
    EXPECT_TRUE(Enabled(kCmdTabProperties));
}

TEST(ViewingItems, ATextShowsInItsDialogAndAPhotoInAPictureWindow)
{
    test::TempDir dir;
    const std::string album = dir.File("textes.qza");
    {
        AlbumDocument doc;
        doc.Clear();
        test::AppendItem(doc, std::make_unique<AlbumItem>("Souvenirs\r\nde vacances", TextFont{}, 0));
        ASSERT_TRUE(doc.InsertImage(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), 1));
        ASSERT_TRUE(doc.Save(album));
    }
    LumoraApp app(QString::fromStdString(dir.File("lumora.ini")));
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(album)}));
    MainWindow& frame = *app.MainFrame();
    QString shown;
    bool readOnly = false;
    int buttons = 0;
    AnswerNextModal<ViewTextDialog>([&](ViewTextDialog& dialog) {
        shown = dialog.findChild<QPlainTextEdit*>(widget_name::kTextEdit)->toPlainText();
        readOnly = dialog.findChild<QPlainTextEdit*>(widget_name::kTextEdit)->isReadOnly();
        buttons = static_cast<int>(dialog.findChildren<QPushButton*>().size());
        Click(dialog, widget_name::kOkButton);
    });
    frame.RefreshCommandStates();
    frame.Action(kCmdViewItem)->trigger();
    EXPECT_EQ(shown, "Souvenirs\nde vacances");
    EXPECT_TRUE(readOnly);
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 1);

    SelectItem(*ActiveAlbumView(frame), 0, 1);
    frame.Action(kCmdViewItem)->trigger();
    EXPECT_EQ(frame.MdiArea()->subWindowList().size(), 2);  // the photo's picture
}

TEST_F(EditingCommandsTest, InsertingIsOfferedEvenInAnEmptyAlbum)
{
    Open(0);
    EXPECT_TRUE(Enabled(kCmdInsertImages));
    EXPECT_TRUE(Enabled(kCmdInsertText));
    EXPECT_FALSE(Enabled(kCmdDeleteItem));
    EXPECT_FALSE(Enabled(kCmdDeleteTab));
}

}  // namespace
}  // namespace lumora
