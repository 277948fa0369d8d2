// Albums in the running program: saving, the question before a changed
// album closes, viewing a photo of the album.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/album/album_document.h"
#include "app/document_manager.h"
#include "app/lumora_app.h"
#include "app/main_window.h"
#include "gui/picture/picture_view.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

class RunningProgram : public ::testing::Test {
protected:
    test::TempDir dir;
    QString ini = QString::fromStdString(dir.File("lumora.ini"));
    std::string album = dir.File("voyage.qza");

    void SetUp() override
    {
        // A saved album with one photo, its picture moved beside it.
        test::WriteBytes(dir.File("hopper.bmp"), test::ReadBytes(test::TestDataPath("bmp/pillow-hopper.bmp")));
        AlbumDocument doc;
        doc.Clear();
        ASSERT_TRUE(doc.InsertImage(dir.File("hopper.bmp"), 0));
        test::ChangePhotoFile(doc, 0, "C:\\PHOTOS\\HOPPER.BMP");  // as stored on another system
        test::ChangeContent(doc, 0, [](ItemContent& c) { c.description = "Au bureau"; });
        ASSERT_TRUE(doc.Save(album));
    }
};

TEST_F(RunningProgram, SavesTheActiveAlbumUnderItsName)
{
    LumoraApp app(ini);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(album)}));
    AlbumView* view = ActiveAlbumView(*app.MainFrame());
    ASSERT_NE(view, nullptr);
    EditSettings(view->Document(), [&](AlbumSettings& s) { s.title = "Voyage en mer"; });
    view->Document().MarkModified();
    app.MainFrame()->RefreshCommandStates();
    ASSERT_TRUE(app.MainFrame()->Action(kCmdFileSave)->isEnabled());
    app.MainFrame()->Action(kCmdFileSave)->trigger();
    EXPECT_FALSE(view->Document().IsModified());
    AlbumDocument reread;
    ASSERT_TRUE(reread.Open(album));
    EXPECT_EQ(reread.Settings().title, "Voyage en mer");
    // Unchanged albums close without a question.
    EXPECT_TRUE(app.Documents()->SaveModified(view->Document()));
}

// The main window names the maximised album once, with Qt's modified mark
// following the album; without a maximised window it is the program's name.
TEST_F(RunningProgram, MainWindowTitleNamesTheMaximisedAlbumOnce)
{
    LumoraApp app(ini);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(album)}));
    MainWindow& frame = *app.MainFrame();
    QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
    ASSERT_NE(window, nullptr);
    AlbumDocument& doc = ActiveAlbumView(frame)->Document();
    const auto settle = [] {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    };
    const struct {
        bool maximised;
        bool modified;
        QString title;
        bool mark;
    } cases[] = {
        {false, false, "Lumora", false},
        {false, true, "Lumora", false},
        {true, true, "Lumora - voyage.qza[*]", true},
        {true, false, "Lumora - voyage.qza[*]", false},
        {false, true, "Lumora", false},
        {true, true, "Lumora - voyage.qza[*]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.maximised ? "maximised " : "normal ") + std::string(c.modified ? "modified" : "saved"));
        if (c.maximised)
            window->showMaximized();
        else
            window->showNormal();
        if (c.modified)
            doc.MarkModified();
        else
            doc.MarkSaved();
        settle();
        EXPECT_EQ(frame.windowTitle(), c.title);
        EXPECT_EQ(frame.isWindowModified(), c.mark);
    }
    doc.MarkSaved();  // closes without a question
    window->close();
    settle();
    EXPECT_EQ(frame.windowTitle(), "Lumora");
}

TEST_F(RunningProgram, AsksBeforeAChangedAlbumCloses)
{
    AlbumDocument doc;
    doc.Clear();
    EXPECT_EQ(DocumentManager::SaveChangesQuestion(doc), "Enregistrer les modifications apportées à Sans titre ?");
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(DocumentManager::SaveChangesQuestion(doc), "Enregistrer les modifications apportées à voyage.qza ?");
}

TEST_F(RunningProgram, ViewingAPhotoOpensItsPictureFoundBesideTheAlbum)
{
    LumoraApp app(ini);
    ASSERT_TRUE(app.InitInstance({QString::fromStdString(album)}));
    MainWindow& frame = *app.MainFrame();
    AlbumView* view = ActiveAlbumView(frame);
    ASSERT_NE(view, nullptr);
    const int windows = static_cast<int>(frame.MdiArea()->subWindowList().size());
    frame.RefreshCommandStates();
    frame.Action(kCmdViewItem)->trigger();
    ASSERT_EQ(frame.MdiArea()->subWindowList().size(), windows + 1);
    QMdiSubWindow* picture = frame.MdiArea()->subWindowList().last();
    EXPECT_NE(qobject_cast<PictureView*>(picture->widget()), nullptr);
    EXPECT_EQ(picture->windowTitle(), "hopper.bmp");
}

TEST_F(RunningProgram, ADocumentOnTheCommandLineOpensInsteadOfANewAlbum)
{
    auto countSplashes = [] {
        int splashes = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            splashes += w->inherits("lumora::SplashWindow") && w->isVisible();
        return splashes;
    };
    {
        LumoraApp app(ini);
        ASSERT_TRUE(app.InitInstance({QString::fromStdString(album)}));
        ASSERT_EQ(app.MainFrame()->MdiArea()->subWindowList().size(), 1);
        EXPECT_EQ(ActiveAlbumView(*app.MainFrame())->Document().Path(), album);
        EXPECT_EQ(countSplashes(), 0);

        // A second window on the same album moves on its own, and closing
        // one of them asks nothing.
        app.MainFrame()->RefreshCommandStates();
        app.MainFrame()->Action(kCmdWindowNew)->trigger();
        ASSERT_EQ(app.MainFrame()->MdiArea()->subWindowList().size(), 2);
        AlbumView* second = ActiveAlbumView(*app.MainFrame());
        second->Document().MarkModified();
        NextPage(*second);
        auto* first = qobject_cast<AlbumView*>(app.MainFrame()->MdiArea()->subWindowList()[0]->widget());
        EXPECT_EQ(first->State().Position(), -2);
        EXPECT_NE(second->State().Position(), -2);
        EXPECT_TRUE(app.MainFrame()->MdiArea()->subWindowList()[0]->close());
        second->Document().MarkSaved();
    }
    {
        LumoraApp app(ini);
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_EQ(app.MainFrame()->MdiArea()->subWindowList().size(), 1);  // the new album
        EXPECT_TRUE(ActiveAlbumView(*app.MainFrame())->Document().Path().empty());
        EXPECT_EQ(countSplashes(), 1);
        app.Prefs().newOnStartup = false;
        app.ExitInstance();
        QApplication::closeAllWindows();
    }
    {
        LumoraApp app(ini);
        ASSERT_TRUE(app.InitInstance({}));
        EXPECT_TRUE(app.MainFrame()->MdiArea()->subWindowList().isEmpty());
        QApplication::closeAllWindows();
    }
}

}  // namespace
}  // namespace lumora
