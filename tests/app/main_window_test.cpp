#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTimer>
#include <QMenuBar>
#include <QStatusBar>

#include "app/lumora_app.h"
#include "app/main_window.h"
#include "core/formats/bmp_writer.h"
#include "gui/album/photo_drag.h"
#include "gui/picture/picture_window.h"
#include "core/res/strings.h"
#include "gui/help/help_window.h"
#include "gui/platform/profile.h"
#include "gui/platform/screen_fit.h"
#include "gui/properties/properties_window.h"
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
                                  "Rasse&mbler l'album...", "D&iaporama...", "-", "Pr&emière page\tCtrl+Orig",
                                  "P&age précédente\tPg Prec", "Page sui&vante\tPg Suiv", "&Dernière page\tCtrl+Fin",
                                  "Atteind&re la page...", "-",
                                  "Atteindre la &Couverture\tAlt+F1 ou Ctrl+Maj+C",
                                  "Atteindre la Page de &garde\tAlt+F2 ou Ctrl+Maj+G", "-",
                                  "Ajuster à la fenêtre\tCtrl+0", "Taille classique\tCtrl+1",
                                  "Zoom avant\tNum +", "Zoom arrière\tNum -"}));
    frame.UseMenu(ImageMenu());
    EXPECT_EQ(MenuTitles(frame), QStringList({"&Fichier", "&Image", "&Options", "Fe&nêtre", "&?"}));
}

// The letter after & in a menu label.
QChar Mnemonic(const QString& label)
{
    for (qsizetype i = 0; i + 1 < label.size(); ++i) {
        if (label[i] != '&')
            continue;
        if (label[i + 1] != '&')
            return label[i + 1].toLower();
        ++i;
    }
    return {};
}

TEST_F(MainFrameTest, MenuItemsShowTheCommandTablesLabelsKeysAndDistinctLetters)
{
    const struct {
        const char* kind;
        QList<MenuPopup> menu;
    } kinds[] = {{"frame", FrameMenu()}, {"album", AlbumMenu()}, {"image", ImageMenu()}};
    QList<QKeySequence> everyKey;
    for (const auto& kind : kinds) {
        frame.UseMenu(kind.menu);
        for (const MenuPopup& popup : kind.menu) {
            QMenu* shown = MenuNamed(frame, popup.title);
            ASSERT_NE(shown, nullptr) << kind.kind;
            QHash<QChar, QString> letters;
            for (QAction* a : shown->actions()) {
                const int id = a->data().toInt();
                if (a->isSeparator() || id == 0)
                    continue;
                const CommandInfo& command = Command(id);
                EXPECT_EQ(a->text(), MenuLabel(command)) << kind.kind << " " << id;
                EXPECT_EQ(a->shortcuts(), command.keys) << id;
                // Alt+letter must reach one item ("Edition" keeps the two
                // I and the two P the program always had there).
                const QChar letter = Mnemonic(command.label);
                if (letter.isNull() || popup.title == "&Edition")
                    continue;
                EXPECT_FALSE(letters.contains(letter))
                    << kind.kind << " " << popup.title.toStdString() << ": " << command.label.toStdString()
                    << " and " << letters.value(letter).toStdString();
                letters.insert(letter, command.label);
            }
        }
    }
    // The second keys of the cover and flyleaf are in no other entry.
    for (const CommandInfo& command : AllCommands())
        for (const QKeySequence& key : command.keys) {
            EXPECT_FALSE(everyKey.contains(key)) << key.toString().toStdString();
            everyKey << key;
        }
    EXPECT_EQ(frame.Action(kCmdCover)->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::ALT | Qt::Key_F1), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)}));
    EXPECT_EQ(frame.Action(kCmdFlyleaf)->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::ALT | Qt::Key_F2), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G)}));
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

TEST_F(MainFrameTest, FilesDraggedInAreTakenButNotAPhotoDraggedOutOfAnAlbum)
{
    const auto accepts = [this](const QMimeData& data) {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&frame, &enter);
        return enter.isAccepted();
    };
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/photo.jpg")});
    EXPECT_TRUE(accepts(files));
    QMimeData photo;
    photo.setUrls({QUrl::fromLocalFile("/tmp/photo.jpg")});
    photo.setData(kBookItemMimeType, "2");
    EXPECT_FALSE(accepts(photo));
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

TEST_F(MainFrameTest, WindowsOpenInsideTheScreenWhateverWasSaved)
{
    const QRect screen = AvailableGeometryFor(QRect(0, 0, 1, 1));
    ASSERT_FALSE(screen.isEmpty());
    auto inside = [&](const QRect& r) { return screen.contains(r); };

    WindowPlacement saved;
    saved.normal = QRect(screen.right() - 100, screen.bottom() - 80, screen.width() + 600, screen.height() + 200);
    frame.RestorePlacement(saved);
    EXPECT_TRUE(inside(frame.geometry())) << frame.geometry().x() << "," << frame.geometry().y();

    preferences.propertiesX = screen.right() - 10;
    preferences.propertiesY = screen.bottom() - 10;
    frame.ShowPropertiesWindow();
    ASSERT_NE(frame.Properties(), nullptr);
    EXPECT_TRUE(inside(frame.Properties()->frameGeometry()));

    HelpWindow help(&frame);
    EXPECT_TRUE(inside(help.geometry()));
}

// However the program ends, the next start finds the window where it was.
TEST_F(MainFrameTest, PlacementIsSavedByTheWindowManagersCloseAndAtSessionEnd)
{
    const QString ini = profile.FileName();
    auto savedPos = [&] { return Profile(ini).GetProfileString("mainwin", "Pos", {}); };
    const QRect screen = AvailableGeometryFor(QRect(0, 0, 1, 1));

    frame.setGeometry(screen.left() + 10, screen.top() + 20, 300, 200);
    QCloseEvent byTitleBar;
    QApplication::sendEvent(&frame, &byTitleBar);
    EXPECT_TRUE(byTitleBar.isAccepted());
    EXPECT_EQ(savedPos(), FormatPos(QRect(screen.left() + 10, screen.top() + 20, 300, 200)));

    // The session ends: the event loop stops without any window closing.
    frame.setGeometry(screen.left() + 30, screen.top() + 40, 320, 210);
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QApplication::exec();
    EXPECT_EQ(savedPos(), FormatPos(QRect(screen.left() + 30, screen.top() + 40, 320, 210)));
    // Saved from a window no longer on screen, the bars still count as shown.
    EXPECT_EQ(Profile(ini).GetProfileInt("mainwin", "ToolBar", 0), 1);
    EXPECT_EQ(Profile(ini).GetProfileInt("mainwin", "StatusBar", 0), 1);
}

TEST_F(MainFrameTest, WindowMenuListsTheOpenWindowsAndOffersTabs)
{
    QStringList paths;
    for (const char* name : {"un.bmp", "deux & trois.bmp"}) {
        paths << QString::fromStdString(dir.File(name));
        WriteBMPFile(paths.last().toStdString(), test::MakeRgbPicture(8, 8, [](int32_t, int32_t) {
                         return ColorTriple{0, 0, 0};
                     }));
    }
    QMdiSubWindow* first = OpenPictureWindow(frame, paths[0]);
    QMdiSubWindow* second = OpenPictureWindow(frame, paths[1]);
    ASSERT_TRUE(first && second);
    QMenu* windows = MenuNamed(frame, "Fe&nêtre");
    ASSERT_NE(windows, nullptr);
    auto entries = [&] {
        emit windows->aboutToShow();
        QStringList texts;
        for (QAction* a : windows->actions())
            if (a->property("windowEntry").toBool() && !a->isSeparator())
                texts << QString(a->isChecked() ? "[x] " : "[ ] ") + a->text();
        return texts;
    };
    EXPECT_EQ(entries(), QStringList({"[ ] &1 un.bmp", "[x] &2 deux && trois.bmp"}));
    // Opening the menu again lists them once; an entry activates its window.
    EXPECT_EQ(entries().size(), 2);
    for (QAction* a : windows->actions())
        if (a->text() == "&1 un.bmp")
            a->trigger();
    EXPECT_EQ(frame.MdiArea()->activeSubWindow(), first);
    EXPECT_EQ(entries(), QStringList({"[x] &1 un.bmp", "[ ] &2 deux && trois.bmp"}));

    // Tabs: off by default, kept with the placement.
    EXPECT_EQ(frame.MdiArea()->viewMode(), QMdiArea::SubWindowView);
    frame.RefreshCommandStates();
    EXPECT_TRUE(frame.Action(kCmdWindowCascade)->isEnabled());
    frame.Action(kCmdTabbedWindows)->trigger();
    EXPECT_EQ(frame.MdiArea()->viewMode(), QMdiArea::TabbedView);
    EXPECT_TRUE(frame.Action(kCmdTabbedWindows)->isChecked());
    EXPECT_FALSE(frame.Action(kCmdWindowCascade)->isEnabled());
    frame.SavePlacement();
    EXPECT_EQ(Profile(profile.FileName()).GetProfileInt("mainwin", "FenetresOnglets", 0), 1);
    EXPECT_TRUE(LoadWindowPlacement(Profile(profile.FileName())).tabbedWindows);
    EXPECT_FALSE(LoadWindowPlacement(Profile(QString::fromStdString(dir.File("none.ini")))).tabbedWindows);
    frame.MdiArea()->closeAllSubWindows();
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
