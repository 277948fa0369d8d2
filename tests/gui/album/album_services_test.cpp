#include <gtest/gtest.h>

#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "gui/album/album_services.h"
#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/fast_bitmap.h"

namespace lumora {
namespace {

TEST(AlbumGuiHooks, FastBitmapsStatusTextAndPreferences)
{
    test::TempDir dir;
    Profile profile(QString::fromStdString(dir.File("lumora.ini")));
    Preferences preferences;
    preferences.fastBitmaps = true;
    preferences.standardDeskColor = std::to_string(0x123456);
    MainWindow frame(preferences, profile);
    InstallAlbumServices(frame, preferences);

    AlbumDocument doc;
    doc.Clear();
    EXPECT_EQ(doc.Settings().deskColor, 0x123456u);  // new albums take the preferred desk
    ASSERT_TRUE(doc.InsertImage(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), 0));
    doc.MakeFastBitmaps();
    const QPixmap* fast = FastBitmapOf(*doc.Items()[0]);
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->size(), QSize(doc.Items()[0]->preview.Width(), doc.Items()[0]->preview.Height()));
    EXPECT_EQ(frame.StatusLabel()->text(), "Conversion des images en cours...");

    CurrentStatusDisplay().SetStatusText("Prêt");
    EXPECT_EQ(frame.StatusLabel()->text(), "Prêt");

    RemoveAlbumServices();
    AlbumItem text("Bonjour", TextFont{}, 0);
    EXPECT_EQ(FastBitmapOf(text), nullptr);
}

}  // namespace
}  // namespace lumora
