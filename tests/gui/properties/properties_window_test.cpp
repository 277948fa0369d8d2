// The roll-up properties window: what it shows for each kind of selection,
// the description edited in place, rolling up and down, its position.
#include <QLineEdit>
#include <QMdiArea>
#include <QTest>
#include <filesystem>

#include "gui/album/album_window_fixture.h"
#include "core/album/album_commands.h"
#include "core/formats/bmp_writer.h"
#include "gui/picture/picture_window.h"
#include "gui/properties/properties_window.h"

namespace lumora {
namespace {

class PropertiesWindowTest : public test::AlbumWindowTest {
protected:
    void SetUp() override
    {
        photoPath = dir.File("Plage-Été.bmp");
        ASSERT_TRUE(WriteBMPFile(photoPath, test::MakeRgbPicture(40, 30, [](int, int) {
                                     return ColorTriple{10, 20, 30};
                                 })));
        frame.ShowPropertiesWindow();
        ASSERT_TRUE(frame.Properties());
    }

    // A text item, then a photo.
    AlbumView& OpenAlbumWithPhoto()
    {
        auto doc = Album(1, false);
        InsertImages(*doc, {photoPath}, 1, false, nullptr);
        doc->MarkSaved();
        return Open(doc);
    }

    PropertiesWindow& Pane() { return *frame.Properties(); }
    std::string photoPath;
};

TEST_F(PropertiesWindowTest, DescribesPhotosTextsAndPictureWindows)
{
    EXPECT_FALSE(Pane().ShowsObject());  // nothing open
    AlbumView& view = OpenAlbumWithPhoto();
    view.SetSelection(0);
    EXPECT_FALSE(Pane().ShowsObject());  // a text item
    view.SetSelection(1);
    ASSERT_TRUE(Pane().ShowsObject());
    EXPECT_EQ(Pane().FileName(), "Plage-Été.bmp");  // the name as the file has it
    EXPECT_EQ(Pane().Properties(), QString("Image Windows BMP\n40x30, 16,8M couleurs, %1 octets")
                                       .arg(std::filesystem::file_size(photoPath)));
    EXPECT_TRUE(Pane().ShowsDescription());

    ASSERT_TRUE(OpenPictureWindow(frame, QString::fromStdString(photoPath)));
    EXPECT_TRUE(Pane().ShowsObject());
    EXPECT_EQ(Pane().FileName(), "Plage-Été.bmp");
    EXPECT_FALSE(Pane().ShowsDescription());
}

TEST_F(PropertiesWindowTest, TypingTheDescriptionChangesThePhotoAtOnce)
{
    AlbumView& view = OpenAlbumWithPhoto();
    view.SetSelection(1);
    QLineEdit& edit = Pane().DescriptionEdit();
    QTest::keyClicks(&edit, "Au soleil");
    EXPECT_EQ(view.Document().Items()[1]->description, "Au soleil");
    EXPECT_TRUE(view.Document().IsModified());
    // Another window's refresh leaves the text being typed alone.
    frame.RefreshCommandStates();
    EXPECT_EQ(edit.text(), "Au soleil");
}

TEST_F(PropertiesWindowTest, RollsUpAndBackToItsFullHeight)
{
    PropertiesWindow& pane = Pane();
    const int full = pane.height();
    QAction* rollUp = pane.TitleMenu().actions().at(0);
    QAction* rollDown = pane.TitleMenu().actions().at(1);
    rollUp->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(!pane.IsAnimating(), 1000);
    EXPECT_TRUE(pane.IsRolled());
    EXPECT_EQ(pane.height(), RollupTitleBar::kHeight + 2);
    rollDown->trigger();  // both entries toggle
    QTRY_VERIFY_WITH_TIMEOUT(!pane.IsAnimating(), 1000);
    EXPECT_FALSE(pane.IsRolled());
    EXPECT_EQ(pane.height(), full);
}

TEST_F(PropertiesWindowTest, ClosingKeepsThePositionForTheNextShow)
{
    Pane().move(123, 77);
    emit Pane().Closed();
    EXPECT_EQ(frame.Properties(), nullptr);
    EXPECT_FALSE(prefs.showProperties);
    EXPECT_EQ(prefs.propertiesX, 123);
    EXPECT_EQ(prefs.propertiesY, 77);
    frame.ShowPropertiesWindow();
    EXPECT_EQ(Pane().pos(), QPoint(123, 77));
    EXPECT_TRUE(prefs.showProperties);
}

}  // namespace
}  // namespace lumora
