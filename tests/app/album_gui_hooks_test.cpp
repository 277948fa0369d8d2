#include <gtest/gtest.h>

#include "album/album_document.h"
#include "album/album_hooks.h"
#include "app/album_gui_hooks.h"
#include "app/main_frame.h"
#include "platform/qt/profile.h"
#include "support/test_support.h"
#include "view/qt/fast_bitmap.h"

namespace lumora {
namespace {

TEST(AlbumGuiHooks, FastBitmapsStatusTextAndPreferences)
{
    test::TempDir dir;
    Profile profile(QString::fromStdString(dir.File("lumora.ini")));
    Preferences preferences;
    preferences.bitmapRapide = true;
    preferences.couleurFondStd = QString::number(0x123456);
    CMainFrame frame(preferences, profile);
    InstallAlbumGuiHooks(frame, preferences);

    CLumoraDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(doc.deskColor, 0x123456u);  // new albums take the preferred desk
    ASSERT_TRUE(doc.InsertImage(test::TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), 0));
    doc.MakeFastBitmaps();
    const QPixmap* fast = FastBitmapOf(*doc.items[0]);
    ASSERT_NE(fast, nullptr);
    EXPECT_EQ(fast->size(), QSize(doc.items[0]->preview.Width(), doc.items[0]->preview.Height()));
    EXPECT_EQ(frame.StatusLabel()->text(), "Conversion des images en cours...");

    CurrentStatusDisplay().SetStatusText("Prêt");
    EXPECT_EQ(frame.StatusLabel()->text(), "Prêt");

    RemoveAlbumGuiHooks();
    CMyObject text("Bonjour", LogFont{}, 0);
    EXPECT_EQ(FastBitmapOf(text), nullptr);
}

}  // namespace
}  // namespace lumora
