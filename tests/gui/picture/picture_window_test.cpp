#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QLabel>
#include <QMenuBar>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>

#include "app/lumora_app.h"
#include "app/main_window.h"
#include "core/album/album_document.h"
#include "gui/album/album_view.h"
#include "gui/album/book_pictures.h"
#include "core/formats/bmp_writer.h"
#include "gui/picture/picture_view.h"
#include "gui/picture/full_screen_window.h"
#include "gui/picture/load_error_dialog.h"
#include "gui/picture/picture_window.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class PictureWindowTest : public ::testing::Test {
protected:
    PictureWindowTest()
    {
        frame.show();
        photo = QString::fromStdString(dir.File("photo.bmp"));
        WriteBMPFile(photo.toStdString(), test::MakeRgbPicture(30, 20, [](int32_t x, int32_t) {
                         return ColorTriple{static_cast<uint8_t>(x), 0, 0};
                     }));
    }
    ~PictureWindowTest() override
    {
        SetLoadErrorPrompt({});
        frame.MdiArea()->closeAllSubWindows();
    }
    QStringList MenuTitles()
    {
        QStringList titles;
        for (QAction* a : frame.menuBar()->actions())
            titles << a->text();
        return titles;
    }
    bool Enabled(int command)
    {
        frame.RefreshCommandStates();
        return frame.Action(command)->isEnabled();
    }

    test::TempDir dir;
    LumoraApp app{QString::fromStdString(dir.File("lumora.ini"))};
    Profile profile{QString::fromStdString(dir.File("frame.ini"))};
    MainWindow frame{app.Prefs(), profile};
    QString photo;
};

TEST_F(PictureWindowTest, OpensWithTheFileNameAsTitleImageMenuAndStatus)
{
    QMdiSubWindow* window = OpenPictureWindow(frame, photo);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "photo.bmp");
    EXPECT_TRUE(window->isMaximized());  // MaximiseOnOpen is on by default
    EXPECT_EQ(ActiveDibView(frame), window->widget());
    EXPECT_EQ(MenuTitles(), QStringList({"&Fichier", "&Image", "&Options", "Fe&nêtre", "&?"}));
    EXPECT_EQ(frame.StatusLabel()->text(), "30 x 20 - 16,8M couleurs - 100 %");
    frame.Action(kCmdZoomIn)->trigger();
    EXPECT_EQ(frame.StatusLabel()->text(), "30 x 20 - 16,8M couleurs - 200 %");

    window->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(MenuTitles(), QStringList({"&Fichier", "&Options", "&?"}));
}

TEST_F(PictureWindowTest, StatusTextFollowsTheWindowLeftActiveAfterAClose)
{
    const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});
    const QString wide = QString::fromStdString(dir.File("wide.bmp"));
    WriteBMPFile(wide.toStdString(), test::MakeRgbPicture(48, 10, [](int32_t, int32_t) {
                     return ColorTriple{0, 0, 0};
                 }));
    auto closeActive = [this] {
        frame.MdiArea()->activeSubWindow()->close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    };
    auto openAlbum = [&] {
        auto doc = std::make_shared<AlbumDocument>();
        doc->Clear();
        OpenAlbumWindow(frame, book, app.Prefs(), doc);
    };
    const struct {
        const char* opened;  // in order: a = album, p = photo.bmp, w = wide.bmp; the last is closed
        const char* status;
    } cases[] = {
        {"p", "Prêt"},
        {"ap", "Prêt"},
        {"wp", "48 x 10 - 16,8M couleurs - 100 %"},
        {"pa", "30 x 20 - 16,8M couleurs - 100 %"},
    };
    for (const auto& c : cases) {
        for (const char* k = c.opened; *k; ++k) {
            if (*k == 'a')
                openAlbum();
            else
                ASSERT_NE(OpenPictureWindow(frame, *k == 'p' ? photo : wide), nullptr);
        }
        closeActive();
        EXPECT_EQ(frame.StatusLabel()->text().toStdString(), c.status) << c.opened;
        frame.MdiArea()->closeAllSubWindows();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

TEST_F(PictureWindowTest, KeypadPlusAndMinusZoom)
{
    ASSERT_NE(OpenPictureWindow(frame, photo), nullptr);
    PictureView* view = ActiveDibView(frame);
    view->setFocus();
    auto send = [view](Qt::Key key, Qt::KeyboardModifiers modifiers, const char* text) {
        // As X11 delivers it: the key event itself, no shortcut matched.
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(view, &press);
    };
    send(Qt::Key_Plus, Qt::KeypadModifier, "+");
    EXPECT_EQ(view->ZoomPercent(), 200);
    EXPECT_EQ(frame.StatusLabel()->text(), "30 x 20 - 16,8M couleurs - 200 %");
    send(Qt::Key_Minus, Qt::KeypadModifier, "-");
    send(Qt::Key_Minus, Qt::KeypadModifier, "-");
    EXPECT_EQ(view->ZoomPercent(), 50);
    // The main keyboard's + is no accelerator.
    send(Qt::Key_Plus, Qt::NoModifier, "+");
    EXPECT_EQ(view->ZoomPercent(), 50);
    // Through the whole key path, shortcut map first: one step a key.
    QTest::keyClick(view, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(view->ZoomPercent(), 100);
}

TEST_F(PictureWindowTest, NotMaximisedWhenThePreferenceIsOff)
{
    app.Prefs().maximiseOnOpen = false;
    QMdiSubWindow* window = OpenPictureWindow(frame, photo);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isMaximized());
    // Later shows keep the state asked for.
    app.Prefs().maximiseOnOpen = true;
    window->hide();
    window->show();
    EXPECT_FALSE(window->isMaximized());
}

TEST_F(PictureWindowTest, CommandStatesFollowTheActivePicture)
{
    EXPECT_FALSE(Enabled(kCmdZoomIn));
    ASSERT_NE(OpenPictureWindow(frame, photo), nullptr);
    EXPECT_TRUE(Enabled(kCmdEditCopy));
    EXPECT_TRUE(Enabled(kCmdFullScreen));
    EXPECT_TRUE(Enabled(kCmdFilePrint));
    EXPECT_TRUE(Enabled(kCmdFilePrintPreview));
    EXPECT_TRUE(Enabled(kCmdPrintPoster));
    EXPECT_TRUE(Enabled(kCmdPosterPreview));
    EXPECT_TRUE(Enabled(kCmdExportPdf));
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(Enabled(kCmdZoomIn));
        frame.Action(kCmdZoomIn)->trigger();
    }
    EXPECT_FALSE(Enabled(kCmdZoomIn));
    EXPECT_EQ(ActiveDibView(frame)->ZoomPercent(), 600);
    for (int i = 0; i < 7; ++i)
        frame.Action(kCmdZoomOut)->trigger();
    EXPECT_FALSE(Enabled(kCmdZoomOut));
    EXPECT_EQ(ActiveDibView(frame)->ZoomPercent(), 10);

    frame.Action(kCmdFullScreen)->trigger();
    EXPECT_TRUE(FullScreenWindow::IsActive());
    EXPECT_EQ(FullScreenWindow::Of(frame).Image().size(), QSize(30, 20));
    FullScreenWindow::Of(frame).ClosePicture();
}

TEST_F(PictureWindowTest, LoadErrorLoopRetriesWithTheChosenPath)
{
    QStringList asked;
    SetLoadErrorPrompt([&](QWidget*, const QString& path) -> std::optional<QString> {
        asked << path;
        if (asked.size() == 1)
            return QString::fromStdString(dir.File("still-missing.bmp"));
        return photo;
    });
    const QString missing = QString::fromStdString(dir.File("gone.bmp"));
    QMdiSubWindow* window = OpenPictureWindow(frame, missing);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(asked, QStringList({missing, QString::fromStdString(dir.File("still-missing.bmp"))}));
    EXPECT_EQ(window->windowTitle(), "photo.bmp");
    EXPECT_EQ(ActiveDibView(frame)->Document().PathName(), photo.toStdString());
}

TEST_F(PictureWindowTest, GivingUpOpensNoWindow)
{
    int asked = 0;
    SetLoadErrorPrompt([&](QWidget*, const QString&) -> std::optional<QString> {
        ++asked;
        return std::nullopt;
    });
    EXPECT_EQ(OpenPictureWindow(frame, QString::fromStdString(dir.File("gone.bmp"))), nullptr);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(frame.MdiArea()->subWindowList().isEmpty());
}

TEST_F(PictureWindowTest, AlbumPhotoFoundBesideTheAlbumWithItsDescription)
{
    SetLoadErrorPrompt([](QWidget*, const QString&) -> std::optional<QString> {
        ADD_FAILURE() << "the photo should have been found";
        return std::nullopt;
    });
    const QString album = QString::fromStdString(dir.File("VACANCES.QZA"));
    QMdiSubWindow* window = OpenPictureWindow(frame, "C:\\PHOTOS\\PHOTO.BMP", "Plage", album);
    ASSERT_NE(window, nullptr);
    const PictureDocument& doc = ActiveDibView(frame)->Document();
    EXPECT_EQ(doc.PathName(), photo.toStdString());
    EXPECT_EQ(doc.Description(), "Plage");
}

TEST(LoadErrorDialogTest, ShowsThePathTwiceAndConvertsFilters)
{
    LoadErrorDialog dialog("/Photos/Plage.BMP");
    EXPECT_EQ(dialog.windowTitle(), "Erreur de chargement");
    // Shown and offered as it is: on Linux another case is another file.
    EXPECT_EQ(dialog.findChild<QLabel*>("path")->text(), "/Photos/Plage.BMP");
    EXPECT_EQ(dialog.Path(), "/Photos/Plage.BMP");
    QStringList buttons;
    for (auto* b : dialog.findChildren<QPushButton*>())
        buttons << b->text();
    EXPECT_EQ(buttons, QStringList({"Parcourir..", "Réessayer", "Abandonner"}));
    EXPECT_EQ(QtFileFilter("Tous |*.a;*.b|B (x)|*.b||"), "Tous (*.a *.b);;B (x) (*.b)");
}

}  // namespace
}  // namespace lumora
