#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "app/lumora_app.h"
#include "app/main_window.h"
#include "core/res/strings.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"

namespace lumora {
namespace {

QStringList MenuTitles(QMainWindow& frame)
{
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    return titles;
}

QMenu* MenuNamed(QMainWindow& frame, const QString& title)
{
    for (QAction* a : frame.menuBar()->actions())
        if (a->text() == title)
            return a->menu();
    return nullptr;
}

class MainFrameTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Profile profile{QString::fromStdString(dir.File("lumora.ini"))};
    Preferences preferences;
    MainWindow frame{preferences, profile};
};

TEST_F(MainFrameTest, MenusOfEachWindowKind)
{
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Fichier", "&Options", "&?"}));
    frame.UseMenu(AlbumMenu());
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Fichier", "&Edition", "Effets &sonores", "Al&bum",
                                              "On&glets", "&Options", "Fe&nêtre", "&?"}));
    QMenu* album = MenuNamed(frame, "Al&bum");
    ASSERT_NE(album, nullptr);
    QStringList items;
    for (QAction* a : album->actions())
        items << (a->isSeparator() ? "-" : a->text());
    // The keys after the tab are named as on a French keyboard.
    EXPECT_EQ(items, QStringList({"&Propriétés de l'album...\tF3", "Titre, de&scription et polices...\tF4", "-",
                                  "Rasse&mbler l'album...", "&Diaporama...", "-", "Pr&emière page\tCtrl+Orig",
                                  "P&age précédente\tPg Prec", "Page sui&vante\tPg Suiv", "&Dernière page\tCtrl+Fin",
                                  "Atteind&re la page...", "-", "Atteindre la &Couverture\tAlt+F1",
                                  "Atteindre la Page de &garde\tAlt+F2", "-", "Ajuster à la fenêtre\tCtrl+0",
                                  "Taille classique\tCtrl+1", "Zoom avant\tNum +", "Zoom arrière\tNum -"}));
    frame.UseMenu(ImageMenu());
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Fichier", "&Image", "&Options", "Fe&nêtre", "&?"}));
}

TEST_F(MainFrameTest, CommandsWithoutHandlersStayDisabled)
{
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdFileSave)->isEnabled());
    EXPECT_FALSE(frame.Action(kCmdPrintPoster)->isEnabled());
    EXPECT_TRUE(frame.Action(kCmdPreferences)->isEnabled());
    EXPECT_TRUE(frame.Action(kCmdAppExit)->isEnabled());
    EXPECT_FALSE(frame.Action(kCmdWindowCascade)->isEnabled());  // no document window

    bool ran = false, allowed = false;
    frame.SetCommandHandler(kCmdFileSave, [&] { ran = true; }, [&] { return allowed; });
    frame.Action(kCmdFileSave)->trigger();
    EXPECT_FALSE(ran);
    allowed = true;
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdFileSave)->isEnabled());
    frame.Action(kCmdFileSave)->trigger();
    EXPECT_TRUE(ran);
}

TEST_F(MainFrameTest, SharedCommandsGoToTheWindowThatCanTakeThem)
{
    int album = 0, picture = 0;
    bool albumActive = false, pictureActive = false;
    frame.SetCommandHandler(kCmdEditCopy, [&] { ++album; }, [&] { return albumActive; });
    frame.SetCommandHandler(kCmdEditCopy, [&] { ++picture; }, [&] { return pictureActive; });
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdEditCopy)->isEnabled());
    pictureActive = true;
    frame.RefreshCommandStates();
    frame.Action(kCmdEditCopy)->trigger();
    EXPECT_EQ(picture, 1);
    pictureActive = false;
    albumActive = true;
    frame.RefreshCommandStates();
    frame.Action(kCmdEditCopy)->trigger();
    EXPECT_EQ(album, 1);
    EXPECT_EQ(picture, 1);
}

TEST_F(MainFrameTest, AcceleratorsFromTheTable)
{
    EXPECT_EQ(frame.Action(kCmdPreferences)->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(frame.Action(kCmdEditCopy)->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(frame.Action(kCmdZoomIn)->shortcut(), QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
    EXPECT_EQ(frame.Action(kCmdNextTab)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_PageDown));
}

TEST_F(MainFrameTest, MenuKeyNamesAreFrench)
{
    const std::pair<int, const char*> expected[] = {
        {kCmdNextTab, "&Onglet suivant\tCtrl+Pg Suiv"},
        {kCmdPrevTab, "O&nglet précédent\tCtrl+Pg Prec"},
        {kCmdInsertImages, "&Inserer des images...\tInser"},
        {kCmdDeleteItem, "&Supprimer\tSuppr"},
        {kCmdItemProperties, "&Propriétés ...\tAlt+Entrée"},
        {kCmdEditCut, "&Couper\tCtrl+X"},
        {kCmdContextHelp, "Aide &contextuelle\tMaj+F1"},
        {kCmdZoomIn, "Zoom avant\tNum +"},
        {kCmdZoomOut, "Zoom arrière\tNum -"},
        {kCmdGather, "Rasse&mbler l'album..."},
    };
    for (const auto& [id, text] : expected)
        EXPECT_EQ(frame.Action(id)->text(), QString::fromUtf8(text)) << id;
    EXPECT_EQ(MenuKeyText(QKeySequence(Qt::SHIFT | Qt::Key_Insert)), "Maj+Inser");
    EXPECT_EQ(MenuKeyText(QKeySequence(Qt::ALT | Qt::Key_Backspace)), "Alt+Retour arrière");
    // Tooltips keep the bare label; the shortcuts still work.
    EXPECT_EQ(frame.Action(kCmdDeleteItem)->toolTip(), "Supprimer");
    EXPECT_EQ(frame.Action(kCmdDeleteItem)->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(MainFrameTest, PrintSetupIsAlwaysAvailableAndTheIconIsOurs)
{
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdFilePrintSetup)->isEnabled());
    EXPECT_EQ(frame.windowIcon().availableSizes(), QList<QSize>({QSize(48, 48), QSize(128, 128)}));
    QWidget inside(&frame);  // a document window's icon comes from the frame
    EXPECT_EQ(inside.windowIcon().availableSizes(), frame.windowIcon().availableSizes());
}

TEST_F(MainFrameTest, PropertiesWindowToggleIsChecked)
{
    preferences.showProperties = true;
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdPropertiesWindow)->isChecked());
    frame.Action(kCmdPropertiesWindow)->trigger();
    EXPECT_FALSE(preferences.showProperties);
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdPropertiesWindow)->isChecked());
}

TEST_F(MainFrameTest, StatusTextIsKeptAndRestored)
{
    frame.SetStatusText("Prêt");
    frame.SaveStatusText();
    frame.SetStatusText(kStrInitialising);
    EXPECT_EQ(frame.StatusLabel()->text(), "Initialisation de Lumora. Veuillez patienter ...");
    frame.RestoreStatusText();
    EXPECT_EQ(frame.StatusLabel()->text(), "Prêt");
}

TEST(ProgressGaugeBlocks, TwentyBlocksByIntegerDivision)
{
    EXPECT_EQ(ProgressGauge::BlocksFor(0, 10), 0);
    EXPECT_EQ(ProgressGauge::BlocksFor(1, 10), 2);
    EXPECT_EQ(ProgressGauge::BlocksFor(1, 21), 0);
    EXPECT_EQ(ProgressGauge::BlocksFor(2, 21), 1);
    EXPECT_EQ(ProgressGauge::BlocksFor(10, 10), 20);
    EXPECT_EQ(ProgressGauge::BlocksFor(3000000000u, 4000000000u), 15);  // no overflow
    EXPECT_EQ(ProgressGauge::BlocksFor(5, 0), 0);

    ProgressGauge gauge;
    gauge.Begin();
    const int afterBegin = gauge.RepaintCount();
    gauge.SetProgress(1, 100);  // still 0 blocks: nothing to redraw
    EXPECT_EQ(gauge.RepaintCount(), afterBegin);
    gauge.SetProgress(50, 100);
    EXPECT_EQ(gauge.FilledBlocks(), 10);
    EXPECT_EQ(gauge.RepaintCount(), afterBegin + 1);
    gauge.End();
    EXPECT_FALSE(gauge.IsRunning());
}

TEST(StartUp, LoadsPreferencesAndSavesThemAtExit)
{
    test::TempDir dir;
    const QString ini = QString::fromStdString(dir.File("lumora.ini"));
    {
        Profile profile(ini);
        profile.WriteProfileInt("prefs", "Jpeg256", 0);
        profile.WriteProfileInt("mainwin", "PropPosX", 100000);
        profile.Sync();
    }
    {
        LumoraApp app(ini);
        ASSERT_TRUE(app.InitInstance({}));
        ASSERT_NE(app.MainFrame(), nullptr);
        EXPECT_FALSE(app.Prefs().jpeg256);
        EXPECT_LT(app.Prefs().propertiesX, 100000);  // clamped onto the screen
        app.Prefs().slideshowPause = 42;
        app.ExitInstance();
    }
    Profile profile(ini);
    EXPECT_EQ(profile.GetProfileInt("prefs", "DiapoPause", 0), 42);
}

}  // namespace
}  // namespace lumora
